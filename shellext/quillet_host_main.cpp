// ta-quillet-host [--library LIB] [--list] FILE...: shows the property sheet of the given files
// with the pages the profile-file extension adds, loading the extension as a file manager does:
// open the library, ask its factory for an extension, hand it the selection and let it add its
// pages. Also what the desktop entry starts to show one profile file. --list prints each page's
// controls (id, text) instead of showing the sheet, for scripts and tests.
#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QTextStream>
#include <map>
#include <memory>
#include <vector>

#include "platform/shared_library.h"
#include "shellext/quillet.h"
#include "ui/property_sheet.h"
#include "ui/resource_id.h"

namespace {

using Pages = std::vector<std::unique_ptr<ui::PropertyPage>>;

BOOL takePage(HPROPSHEETPAGE page, LPARAM lParam) {
    reinterpret_cast<Pages*>(lParam)->emplace_back(page);
    return 1;
}

// The library beside this program's own tree (bin/ and lib/), unless named.
QString defaultLibrary() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/libvelka-quillet.so");
}

template <typename Interface>
struct Released {
    void operator()(Interface* object) const { object->Release(); }
};
template <typename Interface>
using ComPtr = std::unique_ptr<Interface, Released<Interface>>;

// The extension's pages for the selection; empty when it adds none.
Pages extensionPages(const platform::SharedLibrary& library, const QStringList& files,
                     QTextStream& err) {
    auto getClassObject = library.function<DllGetClassObjectFn>("DllGetClassObject");
    if (!getClassObject) {
        err << "DllGetClassObject fehlt in der Bibliothek.\n";
        return {};
    }
    IClassFactory* rawFactory = nullptr;
    HRESULT result = getClassObject(&CLSID_ProfileFileExtension, &IID_IClassFactory,
                                    reinterpret_cast<void**>(&rawFactory));
    if (result != S_OK) {
        err << "DllGetClassObject: 0x" << Qt::hex << quint32(result) << "\n";
        return {};
    }
    ComPtr<IClassFactory> factory(rawFactory);
    IShellExtInit* rawInit = nullptr;
    result =
        factory->CreateInstance(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(&rawInit));
    if (result != S_OK) {
        err << "CreateInstance: 0x" << Qt::hex << quint32(result) << "\n";
        return {};
    }
    ComPtr<IShellExtInit> init(rawInit);

    std::vector<std::u16string> names;
    for (const QString& file : files)
        names.push_back(QFileInfo(file).absoluteFilePath().toStdU16String());
    ComPtr<IDataObject> data(FileDropObject::Create(names));
    init->Initialize(nullptr, data.get(), nullptr);

    Pages pages;
    IShellPropSheetExt* rawSheet = nullptr;
    if (init->QueryInterface(IID_IShellPropSheetExt, reinterpret_cast<void**>(&rawSheet)) == S_OK) {
        ComPtr<IShellPropSheetExt> sheet(rawSheet);
        sheet->AddPages(&takePage, reinterpret_cast<LPARAM>(&pages));
    }
    return pages;
}

// Each page's caption, then "<id> <text>" for its labels and group boxes.
void listPages(const Pages& pages, QTextStream& out) {
    ui::PropertySheet sheet(QString{});
    for (const auto& page : pages) sheet.addPage(page.get());
    sheet.create();
    for (const auto& page : pages) {
        sheet.setActivePage(page.get());  // a page reads its file when first shown
        out << page->caption() << "\n";
        std::map<int, QString> texts;
        for (auto* label : page->findChildren<QLabel*>())
            texts[ui::resourceId(label)] = label->text();
        for (auto* group : page->findChildren<QGroupBox*>())
            texts[ui::resourceId(group)] = group->title();
        for (const auto& [id, text] : texts)
            if (id >= 0) out << id << " " << text << "\n";
    }
    sheet.done(2);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments().mid(1);
    QString libraryPath = defaultLibrary();
    if (args.size() >= 2 && args.front() == QStringLiteral("--library")) {
        libraryPath = args.at(1);
        args = args.mid(2);
    }
    const bool list = !args.isEmpty() && args.front() == QStringLiteral("--list");
    if (list) args.removeFirst();
    if (args.isEmpty()) {
        err << "Aufruf: ta-quillet-host [--library DATEI] [--list] PROFILDATEI...\n";
        return 2;
    }

    platform::SharedLibrary library;
    if (!library.open(libraryPath.toStdString())) {
        err << "Die Erweiterung kann nicht geladen werden: "
            << QString::fromStdString(library.error()) << "\n";
        return 1;
    }
    Pages pages = extensionPages(library, args, err);
    if (pages.empty()) {
        err << "Die Erweiterung zeigt für diese Auswahl keine Seite.\n";
        return 1;
    }

    const QString title = args.size() == 1 ? QFileInfo(args.front()).fileName()
                                           : QStringLiteral("%1 Dateien").arg(args.size());
    int result = 1;
    if (list) {
        QTextStream out(stdout);
        listPages(pages, out);
    } else {
        ui::PropertySheet sheet(QStringLiteral("Eigenschaften von %1").arg(title));
        sheet.setApplyButton(false);
        sheet.setHelpButton(false);
        for (const auto& page : pages) sheet.addPage(page.get());
        result = sheet.doModal();
    }
    pages.clear();
    auto canUnload = library.function<DllCanUnloadNowFn>("DllCanUnloadNow");
    if (canUnload && canUnload() == S_OK) library.close();
    return list || result == 1 ? 0 : 1;
}
