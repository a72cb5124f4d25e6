// A whole file as text: what the tests read back of the run files and reports a solve leaves.
#ifndef CORVANE_TESTS_SUPPORT_FILE_TEXT_H
#define CORVANE_TESTS_SUPPORT_FILE_TEXT_H

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace corvane::test {

// Empty when the file cannot be read.
inline std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace corvane::test

#endif
