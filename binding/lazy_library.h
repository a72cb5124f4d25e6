// A shared library opened with the platform loader at its first use.
//
// The plug-in links none of the libraries it calls: each is found by the platform's library
// search when the first of its functions is needed, so the plug-in loads and answers its identity
// queries on a machine that has none of them. Each outside library has a binding file of its own
// here, which names the library and forwards its functions.
#ifndef CORVANE_BINDING_LAZY_LIBRARY_H
#define CORVANE_BINDING_LAZY_LIBRARY_H

#include <mutex>

namespace corvane {

class LazyLibrary {
  public:
    explicit LazyLibrary(const char* fileName) : fileName_(fileName) {}
    LazyLibrary(const LazyLibrary&) = delete;
    LazyLibrary& operator=(const LazyLibrary&) = delete;

    // The address of an exported function, or null when the library or the function is missing;
    // either is reported once on standard error. Callers keep the answer: each name is resolved
    // once.
    void* resolve(const char* functionName);

    const char* fileName() const { return fileName_; }

  private:
    void* openOnce();

    const char* fileName_;
    std::once_flag opened_;
    void* handle_ = nullptr;
};

}  // namespace corvane

// The platform's file name of the library `stem`: "xprs" is xprs.dll or libxprs.so.
#if defined(_WIN32)
#define CORVANE_LIBRARY_FILE(stem) stem ".dll"
#else
#define CORVANE_LIBRARY_FILE(stem) "lib" stem ".so"
#endif

// Declares bound_<function>: `library`'s own `function`, resolved at the first pass and null when
// it cannot be bound.
#define CORVANE_BIND(library, function)  \
    static const auto bound_##function = \
        reinterpret_cast<decltype(&function)>(library.resolve(#function))

#endif
