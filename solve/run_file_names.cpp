// The names of the run files, built from "LOGDIR", "RANKID" and the run number.
#include "solve/run_file_names.h"

#include <iostream>

namespace corvane {

namespace {

// A name longer than its buffer is refused whole, never cut: a cut name is another file.
std::string fitted(std::string name) {
    if (name.size() < kRunFileNameBuffer) return name;
    std::cerr << "corvane: run file name does not fit " << kRunFileNameBuffer
              << " characters, file not used: " << name << '\n';
    return std::string();
}

std::string inDirectory(const char* logDir, const char* stem) {
    return std::string(logDir) + kDirectorySeparator + stem;
}

}  // namespace

RunFileNames buildRunFileNames(const char* logDir, int rankId) {
    const std::string rank = rankId < 0 ? std::string() : "_" + std::to_string(rankId);
    const std::string base = inDirectory(logDir, "xpress") + rank;
    RunFileNames names;
    names.log = fitted(base + ".log");
    names.report = fitted(inDirectory(logDir, "lpsolver") + rank + ".inf");
    names.basis = fitted(base + ".bss");
    return names;
}

std::string buildProblemFileName(const char* logDir, int rankId, int runCounter) {
    std::string name = inDirectory(logDir, "xpress_");
    if (rankId >= 0) name += "p" + std::to_string(rankId) + "_";
    return fitted(name + std::to_string(runCounter) + ".mps");
}

std::string buildBasisWarningFileName(const char* logDir) {
    return fitted(inDirectory(logDir, "xpressBasisFailed.log"));
}

}  // namespace corvane
