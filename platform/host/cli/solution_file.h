// The solution file: what a solve returned, per column and per model row, as JSON. A file
// written earlier also serves as the start point of a later solve.
#ifndef CORVANE_PLATFORM_HOST_CLI_SOLUTION_FILE_H
#define CORVANE_PLATFORM_HOST_CLI_SOLUTION_FILE_H

#include <optional>
#include <string>

namespace corvane::host {

class HostModel;

struct SolutionHeader {
    int status = 0;  // "STATUS", 0 when the solver set none
    int resultCode = 0;
    std::optional<double> objective;  // with the model's constant
    int iterations = 0;
    bool solveDone = false;
    bool interrupted = false;  // stopped by Ctrl-C: the values are those the solver returned
    bool timeLimit = false;    // ended by the time limit: an incumbent, or the values returned
    // Integer, semi-continuous and set restrictions the solver dropped with a quadratic objective.
    int droppedRestrictions = 0;
};

// Writes beside the target and renames, so a failure leaves no partial file. Throws
// std::runtime_error.
void writeSolutionFile(const std::string& path, HostModel& host, const SolutionHeader& header);

// Puts the file's column values into the host's values, matched by name. Throws ModelError for a
// file that is not a solution file or names a column the model does not have.
void applyStartFile(const std::string& path, HostModel& host);

}  // namespace corvane::host

#endif
