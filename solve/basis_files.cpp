// The basis read with its timing, the problem file, the slow-basis warning and the basis save or
// removal.
#include <cstdio>
#include <fstream>
#include <locale>

#include "host/host_codes.h"
#include "solve/processor_clock.h"
#include "solve/run_file_names.h"
#include "solve/solve_context.h"
#include "solver/zol_xpress.h"

using corvane::BasisTiming;
using corvane::RunFileNames;

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
            logLine(" *** Error loading basis. Error code ", optimizerErrorCode());
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
        logLine(" *** Error saving basis. Error code ", optimizerErrorCode());
    }
}

// A successful solve leaves its basis for the next; a failed first solve removes a basis that
// earlier work left, so that no later solve starts from it.
void ZOLXpress::saveOrRemoveBasis(const RunFileNames& names, int resultCode) {
    if (names.basis.empty()) return;
    if (resultCode == corvane::result::kSolved) {
        if (XPRSwritebasis(problemHandle, names.basis.c_str(), "") != 0)
            logLine(" *** Error saving basis. Error code ", optimizerErrorCode());
    } else if (runCounter == 0) {
        std::remove(names.basis.c_str());
    }
}
