// The profile-file extension as a file manager sees it: the library loaded
// at run time, every call through its exports and the interface tables.
#include <gtest/gtest.h>
#include <QGroupBox>
#include <QLabel>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/shared_library.h"
#include "profile/profile_file.h"
#include "shellext/quillet.h"
#include "tests/support/temp_home.h"
#include "tests/ui/ui_test_support.h"
#include "ui/property_sheet.h"
#include "ui/resource_id.h"

namespace {

constexpr IID kIPersist = {0x0000010C, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

struct Release {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T>
using Ref = std::unique_ptr<T, Release>;

using Pages = std::vector<std::unique_ptr<ui::PropertyPage>>;

BOOL takePage(HPROPSHEETPAGE page, LPARAM lParam) {
    reinterpret_cast<Pages*>(lParam)->emplace_back(page);
    return 1;
}
BOOL refusePage(HPROPSHEETPAGE, LPARAM) {
    return 0;
}

class QuilletTest : public uitest::WithApp, public ::testing::Test {
protected:
    void SetUp() override {
        const std::string path = testsupport::binDir() + "/../lib/libvelka-quillet.so";
        ASSERT_TRUE(library_.open(path)) << library_.error();
        getClassObject_ = library_.function<DllGetClassObjectFn>("DllGetClassObject");
        canUnloadNow_ = library_.function<DllCanUnloadNowFn>("DllCanUnloadNow");
        ASSERT_TRUE(getClassObject_ && canUnloadNow_);
    }
    void TearDown() override { EXPECT_EQ(canUnloadNow_(), S_OK) << "an object outlived its test"; }

    Ref<IClassFactory> factory() {
        void* out = nullptr;
        EXPECT_EQ(getClassObject_(&CLSID_ProfileFileExtension, &IID_IClassFactory, &out), S_OK);
        return Ref<IClassFactory>(static_cast<IClassFactory*>(out));
    }
    template <typename T>
    Ref<T> extension(REFIID iid) {
        void* out = nullptr;
        EXPECT_EQ(factory()->CreateInstance(nullptr, iid, &out), S_OK);
        return Ref<T>(static_cast<T*>(out));
    }

    // The extension's pages for a selection of files.
    Pages pagesFor(const std::vector<std::string>& files) {
        std::vector<std::u16string> names;
        for (const auto& file : files)
            names.push_back(QString::fromStdString(file).toStdU16String());
        auto init = extension<IShellExtInit>(IID_IShellExtInit);
        Ref<IDataObject> data(FileDropObject::Create(names));
        EXPECT_EQ(init->Initialize(nullptr, data.get(), nullptr), S_OK);
        void* out = nullptr;
        EXPECT_EQ(init->QueryInterface(IID_IShellPropSheetExt, &out), S_OK);
        Ref<IShellPropSheetExt> sheetExt(static_cast<IShellPropSheetExt*>(out));
        Pages pages;
        EXPECT_EQ(sheetExt->AddPages(&takePage, reinterpret_cast<LPARAM>(&pages)), S_OK);
        return pages;
    }

    // The texts a page shows once its sheet runs, by control id.
    static std::map<int, QString> shownTexts(ui::PropertyPage* page) {
        ui::PropertySheet sheet(QStringLiteral("Eigenschaften"));
        sheet.addPage(page);
        sheet.create();
        std::map<int, QString> texts;
        for (auto* label : page->findChildren<QLabel*>())
            if (ui::resourceId(label) > 0) texts[ui::resourceId(label)] = label->text();
        for (auto* group : page->findChildren<QGroupBox*>())
            texts[ui::resourceId(group)] = group->title();
        sheet.done(2);
        return texts;
    }

    std::string writeProfileFile(const std::string& name, const std::array<std::string, 3>& names,
                                 std::int32_t kind, std::int32_t northAmerica) {
        CDeviceProfiles model;
        model.northAmerica = northAmerica;
        for (std::size_t n = 0; n < 3; ++n) {
            model.profiles[n].name = names[n];
            model.profiles[n].number1 = "555010" + std::to_string(n);
            model.profiles[n].number2 = n == 2 ? "" : "555020" + std::to_string(n);
        }
        const std::string path = home_.file(name);
        EXPECT_EQ(CProfileFile().Save(path, model, 7, kind), 0);
        return path;
    }

    testsupport::TempHome home_;
    platform::SharedLibrary library_;
    DllGetClassObjectFn getClassObject_ = nullptr;
    DllCanUnloadNowFn canUnloadNow_ = nullptr;
};

TEST_F(QuilletTest, ServesOnlyItsClassWithoutAggregation) {
    constexpr CLSID other = {
        0xCD414061, 0x282D, 0x11D1, {0x80, 0x4C, 0, 0x20, 0xAF, 0x22, 0x4E, 0x6E}};
    void* out = &out;
    EXPECT_EQ(getClassObject_(&other, &IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(getClassObject_(&CLSID_ProfileFileExtension, &IID_IShellExtInit, &out),
              E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);

    auto classFactory = factory();
    EXPECT_EQ(classFactory->LockServer(1), S_OK);
    Ref<IUnknown> outer(extension<IUnknown>(IID_IUnknown));
    out = &out;
    EXPECT_EQ(classFactory->CreateInstance(outer.get(), IID_IUnknown, &out), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(classFactory->QueryInterface(IID_IUnknown, &out), S_OK);
    static_cast<IUnknown*>(out)->Release();
}

TEST_F(QuilletTest, AnswersEachInterfaceAndCountsReferences) {
    auto unknown = extension<IUnknown>(IID_IUnknown);
    const struct {
        const char* name;
        IID iid;
        bool offered;
    } interfaces[] = {
        {"IShellExtInit", IID_IShellExtInit, true},
        {"IShellPropSheetExt", IID_IShellPropSheetExt, true},
        {"IExtractIconA", IID_IExtractIconA, true},
        {"IPersistFile", IID_IPersistFile, true},
        {"IPersist", kIPersist, false},
        {"IClassFactory", IID_IClassFactory, false},
        {"IDataObject", IID_IDataObject, false},
    };
    for (const auto& i : interfaces) {
        void* out = &out;
        ASSERT_EQ(unknown->QueryInterface(i.iid, &out), i.offered ? S_OK : E_NOINTERFACE) << i.name;
        if (!i.offered) {
            EXPECT_EQ(out, nullptr) << i.name;
            continue;
        }
        // Each answer took a reference: the next AddRef counts 3.
        auto* face = static_cast<IUnknown*>(out);
        EXPECT_EQ(face->AddRef(), 3u) << i.name;
        EXPECT_EQ(face->Release(), 2u) << i.name;
        EXPECT_EQ(face->Release(), 1u) << i.name;
    }
    void* primary = nullptr;
    ASSERT_EQ(unknown->QueryInterface(IID_IShellExtInit, &primary), S_OK);
    EXPECT_EQ(primary, unknown.get()) << "IUnknown is the primary interface";
    static_cast<IUnknown*>(primary)->Release();
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
}

// A host in C calls through the tables by slot: QueryInterface, AddRef,
// Release, then each interface's operations in their documented order.
TEST_F(QuilletTest, TablesHaveTheDocumentedSlots) {
    auto slot = [](void* object, int n) { return (*static_cast<void***>(object))[n]; };
    using Unary = HRESULT (*)(void*);
    using WithPointer = HRESULT (*)(void*, void*);

    auto persist = extension<IPersistFile>(IID_IPersistFile);
    void* p = persist.get();
    EXPECT_EQ(reinterpret_cast<ULONG (*)(void*)>(slot(p, 1))(p), 2u);
    EXPECT_EQ(reinterpret_cast<ULONG (*)(void*)>(slot(p, 2))(p), 1u);
    CLSID clsid{};
    EXPECT_EQ(reinterpret_cast<WithPointer>(slot(p, 3))(p, &clsid), E_FAIL);  // GetClassID
    EXPECT_EQ(reinterpret_cast<Unary>(slot(p, 4))(p), S_FALSE);               // IsDirty
    EXPECT_EQ(
        reinterpret_cast<HRESULT (*)(void*, const OLECHAR*, DWORD)>(slot(p, 5))(p, u"/x.prf", 0),
        S_OK);  // Load
    EXPECT_EQ(reinterpret_cast<HRESULT (*)(void*, const OLECHAR*, BOOL)>(slot(p, 6))(p, u"/x", 1),
              E_FAIL);  // Save
    EXPECT_EQ(reinterpret_cast<HRESULT (*)(void*, const OLECHAR*)>(slot(p, 7))(p, u"/x"), E_FAIL);
    OLECHAR* name = nullptr;
    EXPECT_EQ(reinterpret_cast<WithPointer>(slot(p, 8))(p, &name), E_FAIL);  // GetCurFile

    auto sheetExt = extension<IShellPropSheetExt>(IID_IShellPropSheetExt);
    void* s = sheetExt.get();
    EXPECT_EQ(
        reinterpret_cast<HRESULT (*)(void*, UINT, void*, LPARAM)>(slot(s, 4))(s, 0, nullptr, 0),
        E_FAIL);  // ReplacePage

    auto icon = extension<IExtractIconA>(IID_IExtractIconA);
    void* x = icon.get();
    using Extract = HRESULT (*)(void*, const char*, UINT, HICON*, HICON*, UINT);
    EXPECT_EQ(reinterpret_cast<Extract>(slot(x, 4))(x, "", 0, nullptr, nullptr, 0), S_FALSE);
}

TEST_F(QuilletTest, DetailsPageShowsTheFileAndHoldsTheLibrary) {
    const std::string file = writeProfileFile("box.prf", {"Büro", "", "Fax"}, 1, 1);
    Pages pages = pagesFor({file});
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0]->caption(), QStringLiteral("Details"));
    EXPECT_EQ(pages[0]->dialogId(), 129);
    // The extension object is gone; the page still holds it and the library.
    EXPECT_EQ(canUnloadNow_(), S_FALSE);

    const std::map<int, QString> expected = {
        {1032, "Tamo T/A ISDN Modem"},
        {1029, "Nordamerika"},
        {1039, "Profil 0 ( Büro )"},
        {1020, "5550100"},
        {1025, "5550200"},
        {1040, "Profil 1"},
        {1031, "5550101"},
        {1035, "5550201"},
        {1041, "Profil 2 ( Fax )"},
        {1033, "5550102"},
        {1037, ""},
    };
    EXPECT_EQ(shownTexts(pages[0].get()), expected);
    pages.clear();
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

TEST_F(QuilletTest, PagesBySelection) {
    const std::string a = writeProfileFile("a.prf", {"", "", ""}, 2, 0);
    const std::string b = writeProfileFile("b.prf", {"", "", ""}, 8, 0);
    EXPECT_EQ(pagesFor({a}).size(), 1u);
    EXPECT_EQ(pagesFor({a, b}).size(), 0u) << "several files get no page";
    EXPECT_EQ(pagesFor({}).size(), 1u) << "an empty selection shows a cleared model";

    // Without a data object, or when the host refuses the page.
    auto sheetExt = extension<IShellPropSheetExt>(IID_IShellPropSheetExt);
    Pages pages;
    EXPECT_EQ(sheetExt->AddPages(&takePage, reinterpret_cast<LPARAM>(&pages)), S_OK);
    EXPECT_TRUE(pages.empty());
    void* out = nullptr;
    ASSERT_EQ(sheetExt->QueryInterface(IID_IShellExtInit, &out), S_OK);
    Ref<IShellExtInit> init(static_cast<IShellExtInit*>(out));
    Ref<IDataObject> data(FileDropObject::Create({QString::fromStdString(a).toStdU16String()}));
    init->Initialize(nullptr, data.get(), nullptr);
    EXPECT_EQ(sheetExt->AddPages(&refusePage, 0), S_OK);
    EXPECT_EQ(sheetExt->AddRef(), 3u) << "a refused page gave its reference back";
    sheetExt->Release();
}

TEST_F(QuilletTest, FilesItCannotReadShowTheClearedModel) {
    const std::map<int, QString> cleared = {
        {1032, "Unbekannt"}, {1029, "Nordamerika"},
        {1039, "Profil 0"},  {1020, ""},
        {1025, ""},          {1040, "Profil 1"},
        {1031, ""},          {1035, ""},
        {1041, "Profil 2"},  {1033, ""},
        {1037, ""},
    };
    for (const std::string& file : {home_.file("missing.prf"), home_.path()}) {
        Pages pages = pagesFor({file});
        ASSERT_EQ(pages.size(), 1u) << file;
        EXPECT_EQ(shownTexts(pages[0].get()), cleared) << file;
    }
}

TEST_F(QuilletTest, IconLocationFollowsIconImageIndex) {
    const std::string plain = writeProfileFile("plain.prf", {"", "", ""}, 16, 0);
    const std::string chosen = writeProfileFile("chosen.prf", {"", "", ""}, 16, 0);
    testsupport::writeFile(chosen, testsupport::readFile(chosen) + "[IconImage]\r\nIndex=3\r\n");
    const struct {
        std::string file;
        int index;
    } cases[] = {{plain, 0}, {chosen, 3}, {home_.file("missing.prf"), 0}};
    for (const auto& c : cases) {
        auto persist = extension<IPersistFile>(IID_IPersistFile);
        ASSERT_EQ(persist->Load(QString::fromStdString(c.file).toStdU16String().c_str(), 0), S_OK);
        void* out = nullptr;
        ASSERT_EQ(persist->QueryInterface(IID_IExtractIconA, &out), S_OK);
        Ref<IExtractIconA> icon(static_cast<IExtractIconA*>(out));
        char module[4096] = {};
        int index = -1;
        UINT flags = 0;
        ASSERT_EQ(icon->GetIconLocation(0, module, sizeof module, &index, &flags), S_OK);
        EXPECT_EQ(index, c.index) << c.file;
        EXPECT_TRUE(std::string(module).ends_with("/libvelka-quillet.so")) << module;
        // A buffer too small for the whole path gets no cut one.
        EXPECT_EQ(icon->GetIconLocation(0, module, 8, &index, &flags), E_FAIL);
    }
}

TEST_F(QuilletTest, ThreadsCreatingAndReleasingLeaveNoObject) {
    std::vector<std::jthread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([this] {
            for (int i = 0; i < 300; ++i) {
                void* out = nullptr;
                ASSERT_EQ(getClassObject_(&CLSID_ProfileFileExtension, &IID_IClassFactory, &out),
                          S_OK);
                Ref<IClassFactory> classFactory(static_cast<IClassFactory*>(out));
                ASSERT_EQ(classFactory->CreateInstance(nullptr, IID_IPersistFile, &out), S_OK);
                Ref<IPersistFile> persist(static_cast<IPersistFile*>(out));
                ASSERT_EQ(persist->QueryInterface(IID_IExtractIconA, &out), S_OK);
                static_cast<IUnknown*>(out)->Release();
            }
        });
    }
    threads.clear();
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

}  // namespace
