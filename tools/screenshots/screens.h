#pragma once
// The screens of the screenshot tool. Each file screens_<part>.cpp adds its
// dialogs with one line each:
//
//   VELKA_SCREEN("busy_read_box", [](screenshots::Scene& s) {
//       s.dialog = MakeReadDelayDlg(...);
//   });
//
// The tool builds every scene offscreen, shows its dialog without running it
// modally, and saves it, with its caption drawn above it, as <name>.png.
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace screenshots {

struct Scene {
    // What the dialog works on (pages, profiles, records); destroyed after
    // the dialog.
    std::vector<std::shared_ptr<void>> keep;
    std::unique_ptr<QWidget> dialog;

    template <typename T, typename... Args>
    T* make(Args&&... args) {
        auto object = std::make_shared<T>(std::forward<Args>(args)...);
        keep.push_back(object);
        return object.get();
    }
};

using Factory = std::function<void(Scene&)>;

struct Screen {
    std::string name;
    Factory build;
};

bool add(const char* name, Factory build);
const std::vector<Screen>& all();

}  // namespace screenshots

#define VELKA_SCREEN_JOIN2(a, b) a##b
#define VELKA_SCREEN_JOIN(a, b) VELKA_SCREEN_JOIN2(a, b)
#define VELKA_SCREEN(name, ...)                                                   \
    static const bool VELKA_SCREEN_JOIN(velkaScreen, __LINE__) [[maybe_unused]] = \
        ::screenshots::add(name, __VA_ARGS__)
