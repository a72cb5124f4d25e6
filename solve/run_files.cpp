// The run log, the basis read with its timing, the problem file, and the basis save or removal.
#include "solve/run_files.h"

#include <cstdio>
#include <iostream>
#include <locale>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "host/host_codes.h"
#include "solve/processor_clock.h"
#include "solve/solve_context.h"
#include "solver/zol_xpress.h"

namespace corvane {

namespace {

ClockSource clockSource = nullptr;

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

void setProcessorClock(ClockSource source) {
    clockSource = source;
}

std::clock_t readProcessorClock() {
    return clockSource ? clockSource() : std::clock();
}

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

using corvane::BasisTiming;
using corvane::RunFileNames;

namespace {

constexpr size_t kVersionBuffer = 256;
constexpr size_t kErrorTextBuffer = 512;

}  // namespace

void ZOLXpress::logCoded(const char* text, int code) {
    logStream << text << code << std::endl;
}

void ZOLXpress::logLastError() {
    char text[kErrorTextBuffer] = {};
    XPRSgetlasterror(problemHandle, text);
    text[kErrorTextBuffer - 1] = '\0';
    logStream << text << std::endl;
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
    corvane::prepareForRewrite(names.log);
    // Emptied once; then every line goes to the end of the file as it is written, behind
    // whatever the optimizer has appended meanwhile, so that neither writer overwrites the other.
    std::ofstream(names.log, std::ios::out | std::ios::trunc).close();
    logStream.open(names.log, std::ios::out | std::ios::app);
    const std::string banner = std::string("XPRESS version ") + version + "\n";
    logStream << "\n" << banner << "\n";
    logStream.flush();
    if (problemHandle) XPRSsetlogfile(problemHandle, names.log.c_str());
    return names;
}

// The run counter advances here, before the read: the problem file of this run carries it.
void ZOLXpress::readSavedBasis(corvane::SolveContext& context) {
    const RunFileNames& names = context.names;
    BasisTiming& timing = context.timing;
    ++runCounter;
    timing.start = corvane::readProcessorClock();
    if (warmStart == 1 && !basisIgnored && !names.basis.empty()) {
        const int readRc = XPRSreadbasis(problemHandle, names.basis.c_str(), "");
        moveLogToEnd();
        if (readRc != 0) {
            *context.resultCode = corvane::result::kNotLoaded;
            logCoded(" *** Error loading basis. Error code ", optimizerErrorCode());
            logLastError();
        }
    }
    // A basis that cannot be read costs the solve its warm start and nothing more: its return
    // code is not the run's, which would otherwise pass for a failed MIP search and throw away
    // the search's solution.
    timing.afterRead = corvane::readProcessorClock();
}

void ZOLXpress::saveProblemFile() {
    if (writeProblemFile < 1) return;
    const std::string name = corvane::buildProblemFileName(logDir, rankId, runCounter);
    if (!name.empty()) XPRSwriteprob(problemHandle, name.c_str(), "po");
    if (writeProblemFile == 1) writeProblemFile = 0;
}

// A basis that takes longer to restore than it saves is not worth reading again.
void ZOLXpress::checkBasisRestorationTime(const BasisTiming& timing) {
    const std::clock_t end = corvane::readProcessorClock();
    const double readSeconds =
        static_cast<double>(timing.afterRead - timing.start) / CLOCKS_PER_SEC;
    const double totalSeconds = static_cast<double>(end - timing.start) / CLOCKS_PER_SEC;
    if (!(readSeconds > 1.0 && readSeconds > 0.5 * totalSeconds) || basisIgnored) return;
    basisIgnored = true;
    const std::string name = corvane::buildBasisWarningFileName(logDir);
    if (name.empty()) return;
    std::ofstream warning(name, std::ios::out | std::ios::app);
    warning.imbue(std::locale::classic());
    warning << " *** Warning: The basis file will be ignored due to a large restoration time of "
            << readSeconds << " seconds \n";
    warning.flush();
}

void ZOLXpress::saveBasisAfterMip(const RunFileNames& names, int* resultCode) {
    XPRSgetbasis(problemHandle, rowBasis, colBasis);
    if (names.basis.empty()) return;
    if (XPRSwritebasis(problemHandle, names.basis.c_str(), "") != 0) {
        *resultCode = corvane::result::kNotLoaded;
        logCoded(" *** Error saving basis. Error code ", optimizerErrorCode());
    }
}

// A successful solve leaves its basis for the next; a failed first solve removes a basis that
// earlier work left, so that no later solve starts from it.
void ZOLXpress::saveOrRemoveBasis(const RunFileNames& names, int resultCode) {
    if (names.basis.empty()) return;
    if (resultCode == corvane::result::kSolved) {
        if (XPRSwritebasis(problemHandle, names.basis.c_str(), "") != 0)
            logCoded(" *** Error saving basis. Error code ", optimizerErrorCode());
    } else if (runCounter == 0) {
        std::remove(names.basis.c_str());
    }
}
