#include "platform/host/plugin_loader.h"

#include <climits>
#include <type_traits>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#undef interface  // the loader's entry point of that name
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace corvane::host {

namespace {

#if defined(_WIN32)
void* openLibrary(const std::string& path) { return LoadLibraryA(path.c_str()); }
void closeLibrary(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
void* findSymbol(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
std::string loaderError() { return "error " + std::to_string(GetLastError()); }
#else
void* openLibrary(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }
void closeLibrary(void* handle) { dlclose(handle); }
void* findSymbol(void* handle, const char* name) { return dlsym(handle, name); }
std::string loaderError() {
    const char* text = dlerror();
    return text ? text : "unknown error";
}
#endif

}  // namespace

PluginLoader::~PluginLoader() {
    close();
}

void PluginLoader::close() {
    if (handle_) closeLibrary(handle_);
    handle_ = nullptr;
    entryPoints_ = {};
}

void* PluginLoader::symbol(const char* name) const {
    return handle_ ? findSymbol(handle_, name) : nullptr;
}

bool PluginLoader::open(const std::string& path) {
    close();
    handle_ = openLibrary(path);
    if (!handle_) {
        error_ = "cannot load the plug-in " + path + ": " + loaderError();
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

#if defined(_WIN32)
std::string defaultPluginPath() {
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return "corvane.dll";
    std::string directory(program, length);
    directory.erase(directory.find_last_of("\\/"));
    return directory + "\\corvane.dll";
}
#else
std::string defaultPluginPath() {
    char program[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", program, sizeof(program) - 1);
    if (length <= 0) return "libcorvane.so";
    std::string directory(program, static_cast<size_t>(length));
    directory.erase(directory.find_last_of('/'));
    return directory + "/../lib/libcorvane.so";
}

#endif

}  // namespace corvane::host
