// The "Details" rows of a profile file in the file manager's properties
// (Nautilus 43 and later): a properties-model provider that reads the file
// with the suite's profile-file reader. Nautilus loads this module and calls
// its three entry points.
#include <gio/gio.h>
// Its entry points are declared without C linkage for C++; they are C
// functions that Nautilus looks up by name.
extern "C" {
#include <nautilus-extension.h>
}

#include <memory>
#include <string>

#include "shellext/profile_details.h"
#include "shellext/quillet_strings.h"

#define VELKA_NAUTILUS_EXPORT __attribute__((visibility("default")))

namespace {

constexpr const char* kProfileMimeType = "application/x-velka-ta-profile";

GType g_providerType = 0;

struct GFree {
    void operator()(gchar* text) const { g_free(text); }
};
struct Unref {
    void operator()(gpointer object) const { g_object_unref(object); }
};

// The local path of the one profile file selected; empty for anything else
// (several files, another type, a file that is not on a local disk).
std::string selectedProfileFile(GList* files) {
    if (!files || files->next) return {};
    auto* file = NAUTILUS_FILE_INFO(files->data);
    if (!nautilus_file_info_is_mime_type(file, kProfileMimeType)) return {};
    std::unique_ptr<GFile, Unref> location(nautilus_file_info_get_location(file));
    if (!location) return {};
    std::unique_ptr<gchar, GFree> path(g_file_get_path(location.get()));
    return path ? std::string(path.get()) : std::string();
}

GList* getModels(NautilusPropertiesModelProvider*, GList* files) {
    const std::string path = selectedProfileFile(files);
    if (path.empty()) return nullptr;
    GListStore* rows = g_list_store_new(NAUTILUS_TYPE_PROPERTIES_ITEM);
    for (const auto& [name, value] : quillet::DetailRows(quillet::ReadFileDetails(path))) {
        std::unique_ptr<NautilusPropertiesItem, Unref> item(
            nautilus_properties_item_new(name.c_str(), value.c_str()));
        g_list_store_append(rows, item.get());
    }
    NautilusPropertiesModel* model =
        nautilus_properties_model_new(quillet::kPageCaption, G_LIST_MODEL(rows));
    g_object_unref(rows);
    return g_list_append(nullptr, model);
}

void initProviderInterface(gpointer iface, gpointer) {
    static_cast<NautilusPropertiesModelProviderInterface*>(iface)->get_models = getModels;
}

}  // namespace

VELKA_NAUTILUS_EXPORT void nautilus_module_initialize(GTypeModule* module) {
    static const GTypeInfo info = {
        sizeof(GObjectClass), nullptr, nullptr, nullptr, nullptr, nullptr,
        sizeof(GObject),      0,       nullptr, nullptr};
    g_providerType = g_type_module_register_type(module, G_TYPE_OBJECT, "VelkaTaProfileProperties",
                                                 &info, GTypeFlags(0));
    static const GInterfaceInfo provider = {initProviderInterface, nullptr, nullptr};
    g_type_module_add_interface(module, g_providerType, NAUTILUS_TYPE_PROPERTIES_MODEL_PROVIDER,
                                &provider);
}

VELKA_NAUTILUS_EXPORT void nautilus_module_shutdown() {}

VELKA_NAUTILUS_EXPORT void nautilus_module_list_types(const GType** types, int* count) {
    *types = &g_providerType;
    *count = 1;
}
