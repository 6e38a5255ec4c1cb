#pragma once
// The binary interface of libvelka-quillet.so, the profile-file extension
// that a file manager (the "shell") loads to show a profile file's icon and a
// "Details" page in the file's property sheet.
//
// The interfaces are laid out as the classic component interfaces: every
// object starts with a pointer to a table of functions, QueryInterface,
// AddRef and Release first, then the interface's own operations in their
// documented order, each taking the object as its first argument. A C++
// class below with only pure virtual functions and no virtual destructor has
// exactly that layout, so a host written in C can call the same objects
// through `(*(void***)object)[slot]`.
//
// A host:
//   1. opens the library and looks up DllGetClassObject and DllCanUnloadNow;
//   2. asks DllGetClassObject(&CLSID_ProfileFileExtension, &IID_IClassFactory)
//      for the factory and creates an extension with CreateInstance;
//   3. for the property sheet: Initialize with a data object that carries the
//      selected files (FileDropObject below), then AddPages with its
//      add-page function; a page it accepts is a ui::PropertyPage it now owns
//      and deletes when its sheet is gone;
//   4. for the icon: IPersistFile::Load with the file, then
//      IExtractIconA::GetIconLocation;
//   5. releases everything and unloads once DllCanUnloadNow says S_OK.
#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace ui {
class PropertyPage;
}

#define QUILLET_EXPORT extern "C" __attribute__((visibility("default")))

using HRESULT = std::int32_t;
using ULONG = std::uint32_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using BOOL = std::int32_t;
using LPARAM = std::intptr_t;
using OLECHAR = char16_t;  // UTF-16 as on the platform the interfaces come from

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline bool operator==(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

// clang-format off
inline constexpr CLSID CLSID_ProfileFileExtension = {0xCD414060, 0x282D, 0x11D1, {0x80, 0x4C, 0x00, 0x20, 0xAF, 0x22, 0x4E, 0x6E}};
inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IDataObject = {0x0000010E, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IShellExtInit = {0x000214E8, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IShellPropSheetExt = {0x000214E9, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IExtractIconA = {0x000214EB, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
// clang-format on

// The folder and key handles of Initialize; the extension does not use them.
using PCIDLIST_ABSOLUTE = const void*;
using HKEY = void*;
using HICON = void*;

// A page the extension made for the host's sheet (a ui::PropertyPage of
// libvelka-ui). The host's add function answers TRUE when it takes the page:
// from then on the host owns it and deletes it when the sheet is gone. On
// FALSE the extension deletes it again.
using HPROPSHEETPAGE = ui::PropertyPage*;
using LPFNADDPROPSHEETPAGE = BOOL (*)(HPROPSHEETPAGE page, LPARAM lParam);

// GetIconLocation's answer flag: the icon depends on the file, not its type.
inline constexpr UINT GIL_PERINSTANCE = 0x0002;

// Clipboard formats and storage mediums of the data object.
inline constexpr std::uint16_t CF_HDROP = 15;
inline constexpr DWORD DVASPECT_CONTENT = 1;
inline constexpr DWORD TYMED_HGLOBAL = 1;

struct FORMATETC {
    std::uint16_t cfFormat;
    const void* ptd;
    DWORD dwAspect;
    std::int32_t lindex;
    DWORD tymed;
};

// A block of global memory: the bytes and how many there are (what the
// handle and its size query give on the platform these interfaces come from).
struct GLOBALBLOCK {
    const void* data;
    std::size_t size;
};

struct IUnknown;

struct STGMEDIUM {
    DWORD tymed;
    const GLOBALBLOCK* hGlobal;
    // The medium's owner: ReleaseStgMedium releases it, and the memory is the
    // owner's. Never null from FileDropObject.
    IUnknown* pUnkForRelease;
};

// The head of a CF_HDROP block. pFiles is the offset of the file names from
// the start of the block: NUL-terminated names, an empty name at the end,
// UTF-16 when fWide is non-zero, else 8-bit.
struct DROPFILES {
    DWORD pFiles;
    std::int32_t ptX, ptY;
    BOOL fNC;
    BOOL fWide;
};

// The interfaces ---------------------------------------------------------

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** out) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
};

struct IClassFactory : IUnknown {
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out) = 0;
    virtual HRESULT LockServer(BOOL lock) = 0;
};

struct IDataObject : IUnknown {
    virtual HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) = 0;
    virtual HRESULT GetDataHere(const FORMATETC* format, STGMEDIUM* medium) = 0;
    virtual HRESULT QueryGetData(const FORMATETC* format) = 0;
    virtual HRESULT GetCanonicalFormatEtc(const FORMATETC* in, FORMATETC* out) = 0;
    virtual HRESULT SetData(const FORMATETC* format, STGMEDIUM* medium, BOOL release) = 0;
    virtual HRESULT EnumFormatEtc(DWORD direction, void** out) = 0;
    virtual HRESULT DAdvise(const FORMATETC* format, DWORD flags, void* sink,
                            DWORD* connection) = 0;
    virtual HRESULT DUnadvise(DWORD connection) = 0;
    virtual HRESULT EnumDAdvise(void** out) = 0;
};

struct IShellExtInit : IUnknown {
    virtual HRESULT Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY key) = 0;
};

struct IShellPropSheetExt : IUnknown {
    virtual HRESULT AddPages(LPFNADDPROPSHEETPAGE add, LPARAM lParam) = 0;
    virtual HRESULT ReplacePage(UINT pageId, LPFNADDPROPSHEETPAGE replace, LPARAM lParam) = 0;
};

struct IExtractIconA : IUnknown {
    virtual HRESULT GetIconLocation(UINT flags, char* file, UINT size, int* index,
                                    UINT* outFlags) = 0;
    virtual HRESULT Extract(const char* file, UINT index, HICON* large, HICON* small,
                            UINT sizes) = 0;
};

struct IPersistFile : IUnknown {
    virtual HRESULT GetClassID(CLSID* clsid) = 0;
    virtual HRESULT IsDirty() = 0;
    virtual HRESULT Load(const OLECHAR* name, DWORD mode) = 0;
    virtual HRESULT Save(const OLECHAR* name, BOOL remember) = 0;
    virtual HRESULT SaveCompleted(const OLECHAR* name) = 0;
    virtual HRESULT GetCurFile(OLECHAR** name) = 0;
};

// The library's exports.
QUILLET_EXPORT HRESULT DllGetClassObject(const GUID* clsid, const GUID* iid, void** out);
QUILLET_EXPORT HRESULT DllCanUnloadNow();

using DllGetClassObjectFn = HRESULT (*)(const GUID*, const GUID*, void**);
using DllCanUnloadNowFn = HRESULT (*)();

inline void ReleaseStgMedium(STGMEDIUM* medium) {
    if (medium->pUnkForRelease) medium->pUnkForRelease->Release();
    *medium = {};
}

// The small data object a host hands to Initialize: the selected files as a
// CF_HDROP block with UTF-16 names. Made on the heap; the last Release
// deletes it.
class FileDropObject final : public IDataObject {
public:
    static FileDropObject* Create(const std::vector<std::u16string>& files) {
        return new FileDropObject(files);
    }

    HRESULT QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *out = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) override {
        if (!format || !medium) return E_POINTER;
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = &global_;
        medium->pUnkForRelease = this;
        AddRef();
        return S_OK;
    }
    HRESULT GetDataHere(const FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT QueryGetData(const FORMATETC* format) override {
        const bool ours = format && format->cfFormat == CF_HDROP &&
                          (format->tymed & TYMED_HGLOBAL) && format->dwAspect == DVASPECT_CONTENT;
        return ours ? S_OK : DV_E_FORMATETC;
    }
    HRESULT GetCanonicalFormatEtc(const FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT SetData(const FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT EnumFormatEtc(DWORD, void**) override { return E_NOTIMPL; }
    HRESULT DAdvise(const FORMATETC*, DWORD, void*, DWORD*) override { return E_NOTIMPL; }
    HRESULT DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT EnumDAdvise(void**) override { return E_NOTIMPL; }

private:
    explicit FileDropObject(const std::vector<std::u16string>& files) {
        DROPFILES head{};
        head.pFiles = sizeof(DROPFILES);
        head.fWide = 1;
        std::u16string names;
        for (const auto& file : files) {
            names += file;
            names += u'\0';
        }
        names += u'\0';
        block_.resize(sizeof head + names.size() * sizeof(char16_t));
        std::memcpy(block_.data(), &head, sizeof head);
        std::memcpy(block_.data() + sizeof head, names.data(), names.size() * sizeof(char16_t));
        global_ = {block_.data(), block_.size()};
    }
    ~FileDropObject() = default;

    std::atomic<ULONG> refs_{1};
    std::vector<unsigned char> block_;
    GLOBALBLOCK global_{};
};
