// A window of another program for the message tests (and a stand-in folder
// or monitor for the programs that post to one). It prints
//   endpoint <name>
// once its window is up, then "got <message> <wParam> <lParam>" for every
// message, and answers a sent one with wParam + lParam. wParam 0xDEAD ends
// it. Options:
//   --register NAME    also prints "registered <number>" for NAME first
//   --name-file FILE   writes the endpoint name to FILE as well
#include <QCoreApplication>
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/message_window.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::string nameFile;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--register")
            std::printf("registered %u\n", platform::registerMessage(argv[i + 1]));
        else if (option == "--name-file")
            nameFile = argv[i + 1];
    }
    auto window = platform::MessageWindow::create("peer", [](const platform::Message& m) {
        std::printf("got %u %llu %lld\n", m.message, static_cast<unsigned long long>(m.wParam),
                    static_cast<long long>(m.lParam));
        std::fflush(stdout);
        if (m.wParam == 0xDEAD) QCoreApplication::quit();
        return static_cast<std::int64_t>(m.wParam) + m.lParam;
    });
    if (!window) return 1;
    if (!nameFile.empty()) std::ofstream(nameFile) << window->name();
    std::printf("endpoint %s\n", window->name().c_str());
    std::fflush(stdout);
    return app.exec();
}
