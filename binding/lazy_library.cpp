#include "binding/lazy_library.h"

#include <cstdio>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace corvane {

namespace {

void* openLibrary(const char* fileName) {
#if defined(_WIN32)
    return reinterpret_cast<void*>(LoadLibraryA(fileName));
#else
    return dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
#endif
}

void* findFunction(void* handle, const char* name) {
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
#else
    return dlsym(handle, name);
#endif
}

const char* loaderError() {
#if defined(_WIN32)
    return "not found on the library search path";
#else
    const char* text = dlerror();
    return text ? text : "unknown loader error";
#endif
}

}  // namespace

void* LazyLibrary::openOnce() {
    std::call_once(opened_, [this] {
        handle_ = openLibrary(fileName_);
        if (!handle_)
            std::fprintf(stderr, "corvane: cannot load %s: %s\n", fileName_, loaderError());
    });
    return handle_;
}

void* LazyLibrary::resolve(const char* functionName) {
    void* handle = openOnce();
    if (!handle) return nullptr;
    void* address = findFunction(handle, functionName);
    if (!address) std::fprintf(stderr, "corvane: %s has no function %s\n", fileName_, functionName);
    return address;
}

}  // namespace corvane
