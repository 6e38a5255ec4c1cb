#pragma once
// A shared library loaded at run time, the way a host loads an extension:
// open by path, look up exported functions by name, unload when the object
// goes. And the file a loaded function or object comes from.
#include <string>

namespace platform {

class SharedLibrary {
public:
    SharedLibrary() = default;
    explicit SharedLibrary(const std::string& path) { open(path); }
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // Loads the library with its symbols resolved now, so a missing one is
    // reported here and not at its first call. false: see error().
    bool open(const std::string& path);
    // Unloads it (the loader keeps it while another handle holds it).
    void close();
    bool isOpen() const { return handle_ != nullptr; }
    // The exported symbol, or nullptr.
    void* symbol(const char* name) const;
    // The loader's text for the last failure.
    const std::string& error() const { return error_; }

    template <typename Fn>
    Fn function(const char* name) const {
        return reinterpret_cast<Fn>(symbol(name));
    }

private:
    void* handle_ = nullptr;
    std::string error_;
};

// The path of the executable or library that holds `address`; empty when the
// loader does not know it.
std::string modulePathOf(const void* address);

}  // namespace platform
