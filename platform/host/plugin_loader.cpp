#include "platform/host/plugin_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <type_traits>

namespace corvane::host {

PluginLoader::~PluginLoader() {
    close();
}

void PluginLoader::close() {
    if (handle_) dlclose(handle_);
    handle_ = nullptr;
    entryPoints_ = {};
}

void* PluginLoader::symbol(const char* name) const {
    return handle_ ? dlsym(handle_, name) : nullptr;
}

bool PluginLoader::open(const std::string& path) {
    close();
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* text = dlerror();
        error_ = "cannot load the plug-in " + path + ": " + (text ? text : "unknown error");
        return false;
    }
    const auto bind = [this](auto& function, const char* name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(symbol(name));
        if (!function && error_.empty())
            error_ = std::string("the plug-in has no entry point ") + name;
    };
    error_.clear();
    bind(entryPoints_.identity, "zoldll_corvane_identity");
    bind(entryPoints_.init, "zoldll_corvane_init");
    bind(entryPoints_.unload, "zoldll_corvane_unload");
    bind(entryPoints_.interface, "zoldll_corvane_interface");
    bind(entryPoints_.version, "zoldll_corvane_version");
    if (error_.empty()) return true;
    const std::string reason = error_;
    close();
    error_ = reason;
    return false;
}

std::string defaultPluginPath() {
    char program[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", program, sizeof(program) - 1);
    if (length <= 0) return "libcorvane.so";
    std::string directory(program, static_cast<size_t>(length));
    directory.erase(directory.find_last_of('/'));
    return directory + "/../lib/libcorvane.so";
}

}  // namespace corvane::host
