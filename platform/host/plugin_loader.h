// Loads the plug-in at run time, as the host does, and binds its entry points.
#ifndef CORVANE_PLATFORM_HOST_PLUGIN_LOADER_H
#define CORVANE_PLATFORM_HOST_PLUGIN_LOADER_H

#include <string>

class SolverLibrary;

namespace corvane::host {

struct PluginEntryPoints {
    const char* (*identity)();
    int (*init)(void*, void*, void*, void*, void*, SolverLibrary*);
    int (*unload)(void*, void*, void*, void*, void*, SolverLibrary*);
    int (*interface)(int, const char**, int*, int*);
    int (*version)(const char*, int*, int*);
};

class PluginLoader {
  public:
    PluginLoader() = default;
    ~PluginLoader();
    PluginLoader(const PluginLoader&) = delete;
    PluginLoader& operator=(const PluginLoader&) = delete;

    // Opens the library and binds every entry point; false with error() set otherwise.
    bool open(const std::string& path);
    void close();

    const PluginEntryPoints& entryPoints() const { return entryPoints_; }
    // Any further exported symbol, or null.
    void* symbol(const char* name) const;
    const std::string& error() const { return error_; }

  private:
    void* handle_ = nullptr;
    PluginEntryPoints entryPoints_{};
    std::string error_;
};

// The plug-in beside the running program: <program dir>/../lib/libcorvane.so.
std::string defaultPluginPath();

}  // namespace corvane::host

#endif
