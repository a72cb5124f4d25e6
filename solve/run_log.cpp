// The run log: opened afresh by every solve, shared with the optimizer, which appends its own
// lines to the same file. Lines reach it only through logLine.
#include <cstdio>
#include <fstream>
#include <string>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "solve/run_file_names.h"
#include "solver/zol_xpress.h"

using corvane::RunFileNames;

namespace {

constexpr size_t kVersionBuffer = 256;
constexpr size_t kErrorTextBuffer = 512;

// Emptying a file that holds data costs a journaling file system far more than replacing it
// (hundreds of microseconds against a few, where freed blocks are discarded at once), and the run
// log is rewritten by every solve. A plain file is therefore removed and created anew; a link or
// a device is left to be emptied, so that writing still goes where it went.
void prepareForRewrite(const std::string& name) {
#if !defined(_WIN32)
    struct stat status {};
    if (lstat(name.c_str(), &status) == 0 && S_ISREG(status.st_mode) && status.st_nlink == 1)
        std::remove(name.c_str());
#else
    (void)name;
#endif
}

}  // namespace

void ZOLXpress::logLastError() {
    char text[kErrorTextBuffer] = {};
    XPRSgetlasterror(problemHandle, text);
    text[kErrorTextBuffer - 1] = '\0';
    logLine(text);
}

int ZOLXpress::optimizerErrorCode() {
    int code = 0;
    XPRSgetintattrib(problemHandle, XPRS_ERRORCODE, &code);
    return code;
}

void ZOLXpress::moveLogToEnd() {
    logStream.seekp(0, std::ios::end);
}

// Each solve starts its log afresh under the name its parameters give now; the optimizer then
// appends its own lines to the same file, and so does the plug-in.
RunFileNames ZOLXpress::openRunLog() {
    RunFileNames names = corvane::buildRunFileNames(logDir, rankId);
    char version[kVersionBuffer] = {};
    XPRSgetversion(version);
    version[kVersionBuffer - 1] = '\0';

    if (logStream.is_open()) logStream.close();
    logStream.clear();
    if (names.log.empty()) {
        logStream.setstate(std::ios::failbit);
        return names;
    }
    prepareForRewrite(names.log);
    // Emptied once; then every line goes to the end of the file as it is written, behind
    // whatever the optimizer has appended meanwhile, so that neither writer overwrites the other.
    std::ofstream(names.log, std::ios::out | std::ios::trunc).close();
    logStream.open(names.log, std::ios::out | std::ios::app);
    const std::string banner = std::string("XPRESS version ") + version + "\n";
    logLine("\n", banner);
    if (problemHandle) XPRSsetlogfile(problemHandle, names.log.c_str());
    return names;
}
