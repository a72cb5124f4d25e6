// The file name the platform gives a shared library.
#ifndef CORVANE_TESTS_SUPPORT_LIBRARY_NAMES_H
#define CORVANE_TESTS_SUPPORT_LIBRARY_NAMES_H

#include <string>

namespace corvane::test {

inline std::string libraryFile(const std::string& stem) {
#if defined(_WIN32)
    return stem + ".dll";
#else
    return "lib" + stem + ".so";
#endif
}

}  // namespace corvane::test

#endif
