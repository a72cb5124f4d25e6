// Numbers and names as the model files write them, and the limits of what the solver can take.
// The MPS and LP readers share these so that a fault reads the same whatever the format.
#ifndef CORVANE_PLATFORM_HOST_MODEL_MODEL_VALUES_H
#define CORVANE_PLATFORM_HOST_MODEL_MODEL_VALUES_H

#include <string>
#include <string_view>

#include "platform/host/model/linear_model.h"

namespace corvane::host {

// The files' own infinity: a bound or right-hand side of this magnitude or more has no limit.
constexpr double kFileInfinity = 1.0e30;
// The solver takes this magnitude as infinite, so no finite value in a model may reach it.
constexpr double kSolverInfinity = 1.0e20;

// A decimal number, "inf" or "infinity" (any case, either sign), or a value too large for a
// double (infinite then). False for anything else, including NaN and trailing characters.
bool parseNumber(std::string_view text, double& value);

// Each check below returns an empty string when the value is fine, otherwise the message that
// refuses the model, naming the row or column. The readers add the file and line.

// "\"TEXT\" is not a number".
std::string notANumberMessage(std::string_view text);

// Names longer than kMaxNameLength characters.
std::string checkNameLength(std::string_view name);

// A matrix, objective or quadratic coefficient: its magnitude must stay below 1e20.
std::string checkCoefficient(std::string_view row, std::string_view column, double value);

// The objective's constant, in an MPS file the negative of the objective row's right-hand side:
// its magnitude must stay below 1e20.
std::string checkObjectiveConstant(std::string_view objective, double value);

// A row's limits lower <= activity <= upper, each already infinite when the file wrote 1e30 or
// more. An infinite limit in its binding direction makes the model infeasible; a finite limit of
// 1e20 or more cannot be handed over.
std::string checkRowLimits(std::string_view row, double lower, double upper);

// A column's bounds, as written (1e30 or more already infinite). A bound of 1e20 or more in its
// non-binding direction becomes infinite, as the solver would read it; in its binding direction
// (lower bound +1e20 and up, upper bound -1e20 and down) the model is refused.
std::string checkColumnBounds(std::string_view column, double& lower, double& upper);

// A value read as a bound or right-hand side: infinite from kFileInfinity on.
inline double fileLimit(double value) {
    if (value >= kFileInfinity) return kInfinity;
    if (value <= -kFileInfinity) return -kInfinity;
    return value;
}

}  // namespace corvane::host

#endif
