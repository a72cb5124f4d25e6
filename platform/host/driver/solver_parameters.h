// The solver's parameters as the host sees them: listed through the by-index inquiries, set by
// name with the type that validParam reports.
#ifndef CORVANE_PLATFORM_HOST_DRIVER_SOLVER_PARAMETERS_H
#define CORVANE_PLATFORM_HOST_DRIVER_SOLVER_PARAMETERS_H

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "host/rt_solver.h"

namespace corvane::host {

class ParameterError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct ParameterInfo {
    std::string name;
    RTSolver::parameterType type;
    int index;  // 1-based within its type
    std::string defaultText;
};

std::vector<ParameterInfo> listParameters(const RTSolver& solver);

// "NAME=VALUE" into its two parts; throws ParameterError without "=" or without a name.
std::pair<std::string, std::string> splitSetting(const std::string& setting);

// Up to `count` catalogue names nearest to `name` by edit distance, ignoring case.
std::vector<std::string> closestNames(const std::vector<ParameterInfo>& catalogue,
                                      const std::string& name, size_t count);

// Sets the parameter after checking its name and the value's form, and reads it back: a value
// the solver did not take is an error too. Throws ParameterError.
void setParameter(RTSolver& solver, const std::string& name, const std::string& value);

const char* typeName(RTSolver::parameterType type);

}  // namespace corvane::host

#endif
