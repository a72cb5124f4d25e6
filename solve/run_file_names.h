// Names of the files a solve leaves in the "LOGDIR" directory.
#ifndef CORVANE_SOLVE_RUN_FILE_NAMES_H
#define CORVANE_SOLVE_RUN_FILE_NAMES_H

#include <cstddef>
#include <string>

namespace corvane {

#if defined(_WIN32)
constexpr char kDirectorySeparator = '\\';
#else
constexpr char kDirectorySeparator = '/';
#endif

// Names are built in buffers of this size, the terminating zero included.
constexpr size_t kRunFileNameBuffer = 270;

// The names of one solve. A name that does not fit its buffer is left empty, and the file it
// would have named is not touched.
struct RunFileNames {
    std::string log;
    std::string report;  // the infeasibility report
    std::string basis;
};

RunFileNames buildRunFileNames(const char* logDir, int rankId);
// The MPS file of run `runCounter`.
std::string buildProblemFileName(const char* logDir, int rankId, int runCounter);
std::string buildBasisWarningFileName(const char* logDir);

}  // namespace corvane

#endif
