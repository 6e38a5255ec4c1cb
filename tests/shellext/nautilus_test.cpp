// The file manager's properties of a profile file: the extension module
// loaded and started through its entry points as Nautilus does, asked for
// its models with file records like the ones Nautilus passes.
#include <gtest/gtest.h>
#include <nautilus-extension.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/shared_library.h"
#include "profile/profile_file.h"
#include "tests/support/temp_home.h"

namespace {

using ModuleInit = void (*)(GTypeModule*);
using ModuleListTypes = void (*)(const GType**, int*);
ModuleInit g_initialize = nullptr;

}  // namespace

// A type module like Nautilus's own: loading it starts the extension.
struct TestModule {
    GTypeModule parent;
};
struct TestModuleClass {
    GTypeModuleClass parent;
};
G_DEFINE_TYPE(TestModule, test_module, G_TYPE_TYPE_MODULE)

static gboolean testModuleLoad(GTypeModule* module) {
    g_initialize(module);
    return TRUE;
}
static void testModuleUnload(GTypeModule*) {}
static void test_module_class_init(TestModuleClass* klass) {
    G_TYPE_MODULE_CLASS(klass)->load = testModuleLoad;
    G_TYPE_MODULE_CLASS(klass)->unload = testModuleUnload;
}
static void test_module_init(TestModule*) {}

// One selected file as the file manager describes it: its place and type.
struct FakeFile {
    GObject parent;
    GFile* location;
    const char* mimeType;
};
struct FakeFileClass {
    GObjectClass parent;
};
static void fakeFileInfoInit(NautilusFileInfoInterface* iface);
G_DEFINE_TYPE_WITH_CODE(FakeFile, fake_file, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(NAUTILUS_TYPE_FILE_INFO, fakeFileInfoInit))

static FakeFile* asFake(NautilusFileInfo* info) {
    return G_TYPE_CHECK_INSTANCE_CAST(info, fake_file_get_type(), FakeFile);
}
static GFile* fakeGetLocation(NautilusFileInfo* info) {
    return G_FILE(g_object_ref(asFake(info)->location));
}
static gboolean fakeIsMimeType(NautilusFileInfo* info, const char* type) {
    return g_strcmp0(asFake(info)->mimeType, type) == 0;
}
static void fakeFileInfoInit(NautilusFileInfoInterface* iface) {
    iface->get_location = fakeGetLocation;
    iface->is_mime_type = fakeIsMimeType;
}
static void fake_file_finalize(GObject* object) {
    g_object_unref(G_TYPE_CHECK_INSTANCE_CAST(object, fake_file_get_type(), FakeFile)->location);
    G_OBJECT_CLASS(fake_file_parent_class)->finalize(object);
}
static void fake_file_class_init(FakeFileClass* klass) {
    G_OBJECT_CLASS(klass)->finalize = fake_file_finalize;
}
static void fake_file_init(FakeFile*) {}

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

class NautilusProviderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static platform::SharedLibrary library;
        ASSERT_TRUE(library.open(testsupport::binDir() + "/../lib/libvelka-ta-nautilus.so"))
            << library.error();
        g_initialize = library.function<ModuleInit>("nautilus_module_initialize");
        auto listTypes = library.function<ModuleListTypes>("nautilus_module_list_types");
        ASSERT_TRUE(g_initialize && listTypes && library.symbol("nautilus_module_shutdown"));
        auto* module = G_TYPE_MODULE(g_object_new(test_module_get_type(), nullptr));
        ASSERT_TRUE(g_type_module_use(module));
        const GType* types = nullptr;
        int count = 0;
        listTypes(&types, &count);
        ASSERT_EQ(count, 1);
        providerType_ = types[0];
    }

    // The rows of every model the provider gives for the files; the models'
    // titles go in as rows of their own.
    static Rows rowsFor(const std::vector<std::pair<std::string, const char*>>& files) {
        GObject* provider = G_OBJECT(g_object_new(providerType_, nullptr));
        GList* infos = nullptr;
        for (const auto& [path, type] : files) {
            auto* file = G_TYPE_CHECK_INSTANCE_CAST(g_object_new(fake_file_get_type(), nullptr),
                                                    fake_file_get_type(), FakeFile);
            file->location = g_file_new_for_path(path.c_str());
            file->mimeType = type;
            infos = g_list_append(infos, file);
        }
        GList* models = nautilus_properties_model_provider_get_models(
            NAUTILUS_PROPERTIES_MODEL_PROVIDER(provider), infos);
        Rows rows;
        for (GList* m = models; m; m = m->next) {
            auto* model = NAUTILUS_PROPERTIES_MODEL(m->data);
            rows.emplace_back("model", nautilus_properties_model_get_title(model));
            GListModel* items = nautilus_properties_model_get_model(model);
            for (guint i = 0; i < g_list_model_get_n_items(items); ++i) {
                auto* item = NAUTILUS_PROPERTIES_ITEM(g_list_model_get_item(items, i));
                rows.emplace_back(nautilus_properties_item_get_name(item),
                                  nautilus_properties_item_get_value(item));
                g_object_unref(item);
            }
        }
        g_list_free_full(models, g_object_unref);
        g_list_free_full(infos, g_object_unref);
        g_object_unref(provider);
        return rows;
    }

    static GType providerType_;
    testsupport::TempHome home_;
};
GType NautilusProviderTest::providerType_ = 0;

constexpr const char* kOurs = "application/x-velka-ta-profile";

TEST_F(NautilusProviderTest, ShowsTheDetailsOfOneProfileFile) {
    CDeviceProfiles model;
    model.northAmerica = 0;
    model.profiles[0].name = "Büro";
    model.profiles[0].number1 = "0301234";
    model.profiles[2].name = "Fax";
    model.profiles[2].number2 = "0305678";
    const std::string file = home_.file("pro.prf");
    ASSERT_EQ(CProfileFile().Save(file, model, 7, 2), 0);

    const Rows expected = {
        {"model", "Details"},
        {"Gerätetyp", "Tamo T/A Pro ISDN Modem"},
        {"ISDN-Typ", "International (exkl. Nordamerika)"},
        {"Profil 0", "Büro"},
        {"Profil 0: Rufnummer 1", "0301234"},
        {"Profil 0: Rufnummer 2", ""},
        {"Profil 1", ""},
        {"Profil 1: Rufnummer 1", ""},
        {"Profil 1: Rufnummer 2", ""},
        {"Profil 2", "Fax"},
        {"Profil 2: Rufnummer 1", ""},
        {"Profil 2: Rufnummer 2", "0305678"},
    };
    EXPECT_EQ(rowsFor({{file, kOurs}}), expected);
    EXPECT_EQ(rowsFor({{file, "text/plain"}}), Rows{}) << "another type";
    EXPECT_EQ(rowsFor({{file, kOurs}, {file, kOurs}}), Rows{}) << "several files";
    EXPECT_EQ(rowsFor({}), Rows{});
}

}  // namespace
