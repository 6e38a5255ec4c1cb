// The class factory, the extension object and the library's exports.
//
// Objects are counted and freed the way the interfaces require: each starts
// with one reference, the last Release deletes it, and every object (and
// every page still open) holds the module count up, so the host never
// unloads the library while code or a page of it is in use. The host may
// call from several threads; only these counts are shared between calls.
#include <atomic>
#include <cstring>
#include <memory>
#include <new>
#include <span>
#include <string>

#include "platform/shared_library.h"
#include "shellext/details_page.h"
#include "shellext/drop_list.h"
#include "shellext/profile_details.h"
#include "shellext/quillet.h"

namespace {

std::atomic<long> g_moduleObjects{0};

// Raises the module count for as long as the object that holds it lives.
class ModuleReference {
public:
    ModuleReference() { ++g_moduleObjects; }
    ~ModuleReference() { --g_moduleObjects; }
    ModuleReference(const ModuleReference&) = delete;
    ModuleReference& operator=(const ModuleReference&) = delete;
};

// One reference count for each object, and its end: the interfaces leave
// the object's life to its last Release, so this is the one place that
// deletes with a plain `delete`.
template <typename Object>
class RefCount {
public:
    ULONG add() { return ++refs_; }
    ULONG release(Object* self) {
        const ULONG left = --refs_;
        if (left == 0) delete self;
        return left;
    }

private:
    std::atomic<ULONG> refs_{1};
};

// The "Details" page as the extension hands it to the host. It keeps the
// extension alive while it exists, like the page callback's release does on
// the platform these interfaces come from, and counts as a module object.
class CExtensionPage final : public CDetailsPage {
public:
    CExtensionPage(std::string path, IUnknown* owner)
        : CDetailsPage(std::move(path)), owner_(owner) {
        owner_->AddRef();
    }
    ~CExtensionPage() override { owner_->Release(); }

private:
    ModuleReference module_;
    IUnknown* owner_;
};

class CProfileFileExtension final : public IShellExtInit,
                                    public IShellPropSheetExt,
                                    public IExtractIconA,
                                    public IPersistFile {
public:
    HRESULT QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IShellExtInit)
            *out = static_cast<IShellExtInit*>(this);
        else if (iid == IID_IShellPropSheetExt)
            *out = static_cast<IShellPropSheetExt*>(this);
        else if (iid == IID_IExtractIconA)
            *out = static_cast<IExtractIconA*>(this);
        else if (iid == IID_IPersistFile)
            *out = static_cast<IPersistFile*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return refs_.add(); }
    ULONG Release() override { return refs_.release(this); }

    // IShellExtInit
    HRESULT Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY) override {
        if (data) data->AddRef();
        if (data_) data_->Release();
        data_ = data;
        return S_OK;
    }

    // IShellPropSheetExt
    HRESULT AddPages(LPFNADDPROPSHEETPAGE add, LPARAM lParam) override;
    HRESULT ReplacePage(UINT, LPFNADDPROPSHEETPAGE, LPARAM) override { return E_FAIL; }

    // IExtractIconA
    HRESULT GetIconLocation(UINT flags, char* file, UINT size, int* index, UINT* outFlags) override;
    // The host takes the icon out of the file named above itself.
    HRESULT Extract(const char*, UINT, HICON*, HICON*, UINT) override { return S_FALSE; }

    // IPersistFile
    HRESULT GetClassID(CLSID*) override { return E_FAIL; }
    HRESULT IsDirty() override { return S_FALSE; }
    HRESULT Load(const OLECHAR* name, DWORD) override {
        if (!name) return E_POINTER;
        try {
            iconFile_ = quillet::Utf8FromUtf16(name);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        return S_OK;
    }
    HRESULT Save(const OLECHAR*, BOOL) override { return E_FAIL; }
    HRESULT SaveCompleted(const OLECHAR*) override { return E_FAIL; }
    HRESULT GetCurFile(OLECHAR**) override { return E_FAIL; }

private:
    ~CProfileFileExtension() {
        if (data_) data_->Release();
    }
    friend class RefCount<CProfileFileExtension>;

    // The one file the data object carries: false for none that can be
    // read, or for several (several files together get no page).
    bool selectedFile(std::string& path) const;

    ModuleReference module_;
    RefCount<CProfileFileExtension> refs_;
    IDataObject* data_ = nullptr;
    std::string iconFile_;  // from IPersistFile::Load
};

bool CProfileFileExtension::selectedFile(std::string& path) const {
    if (!data_) return false;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (data_->GetData(&format, &medium) != S_OK) return false;
    std::vector<std::string> names;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal && medium.hGlobal->data) {
        const auto* bytes = static_cast<const std::byte*>(medium.hGlobal->data);
        names = quillet::DropFileNames(std::span(bytes, medium.hGlobal->size));
    }
    ReleaseStgMedium(&medium);
    if (names.size() > 1) return false;
    // No name at all still gets the page, which then shows a cleared model.
    path = names.empty() ? std::string() : names.front();
    return true;
}

HRESULT CProfileFileExtension::AddPages(LPFNADDPROPSHEETPAGE add, LPARAM lParam) {
    if (!add) return E_POINTER;
    try {
        std::string path;
        if (!selectedFile(path)) return S_OK;
        auto page =
            std::make_unique<CExtensionPage>(std::move(path), static_cast<IShellExtInit*>(this));
        // A page the host took is the host's; one it refused goes again, and
        // with it the reference it held.
        if (add(page.get(), lParam)) page.release();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT CProfileFileExtension::GetIconLocation(UINT, char* file, UINT size, int* index,
                                               UINT* outFlags) {
    if (!file || !index) return E_POINTER;
    // The icons live beside the library under the index the file chooses;
    // a cut path would name another file, so one that does not fit fails.
    const std::string module =
        platform::modulePathOf(reinterpret_cast<const void*>(&DllCanUnloadNow));
    if (module.empty() || module.size() >= size) return E_FAIL;
    std::memcpy(file, module.c_str(), module.size() + 1);
    *index = quillet::IconIndex(iconFile_);
    if (outFlags) *outFlags = GIL_PERINSTANCE;
    return S_OK;
}

class CProfileFileExtensionFactory final : public IClassFactory {
public:
    HRESULT QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!(iid == IID_IUnknown || iid == IID_IClassFactory)) return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return refs_.add(); }
    ULONG Release() override { return refs_.release(this); }

    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* extension = new (std::nothrow) CProfileFileExtension;
        if (!extension) return E_OUTOFMEMORY;
        const HRESULT result = extension->QueryInterface(iid, out);
        extension->Release();
        return result;
    }
    HRESULT LockServer(BOOL) override { return S_OK; }

private:
    ~CProfileFileExtensionFactory() = default;
    friend class RefCount<CProfileFileExtensionFactory>;

    ModuleReference module_;
    RefCount<CProfileFileExtensionFactory> refs_;
};

}  // namespace

QUILLET_EXPORT HRESULT DllGetClassObject(const GUID* clsid, const GUID* iid, void** out) {
    if (!out || !clsid || !iid) return E_POINTER;
    *out = nullptr;
    if (!(*clsid == CLSID_ProfileFileExtension)) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) CProfileFileExtensionFactory;
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT result = factory->QueryInterface(*iid, out);
    factory->Release();
    return result;
}

QUILLET_EXPORT HRESULT DllCanUnloadNow() {
    return g_moduleObjects.load() == 0 ? S_OK : S_FALSE;
}
