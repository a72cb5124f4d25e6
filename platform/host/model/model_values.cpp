#include "platform/host/model/model_values.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/host/model/line_source.h"

namespace corvane::host {

namespace {

// The shortest text that reads back as `value`.
std::string shortest(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string quoted(std::string_view text) {
    constexpr size_t kShown = 40;
    if (text.size() <= kShown) return "\"" + std::string(text) + "\"";
    return "\"" + std::string(text.substr(0, kShown)) + "...\"";
}

// from_chars leaves the value alone when it does not fit a double: strtod then tells an overflow
// (infinite) from an underflow (zero or a denormal). Rare, so the copy does not matter.
double outOfRangeValue(std::string_view text) {
    return std::strtod(std::string(text).c_str(), nullptr);
}

// Most numbers in a model file are plain decimals such as -12.5 or 3: with up to 15 digits and
// no exponent, the digits make an integer that a double holds exactly, and one division by an
// exact power of ten rounds it correctly, as from_chars would. False for anything else.
bool parsePlainDecimal(std::string_view text, double& value) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p < end && *p == '-';
    if (negative) ++p;
    uint64_t digits = 0;
    const char* const whole = p;
    while (p < end && static_cast<unsigned char>(*p - '0') < 10)
        digits = digits * 10 + (*p++ - '0');
    size_t count = p - whole;
    size_t decimals = 0;
    if (count == 0) return false;
    if (p < end && *p == '.') {
        const char* const fraction = ++p;
        while (p < end && static_cast<unsigned char>(*p - '0') < 10)
            digits = digits * 10 + (*p++ - '0');
        decimals = p - fraction;
        if (decimals == 0) return false;
        count += decimals;
    }
    if (p != end || count > 15) return false;
    const double magnitude = static_cast<double>(digits) / kPowers[decimals];
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

bool parseNumber(std::string_view text, double& value) {
    // from_chars takes no '+' of its own, and must not see a sign after one.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '+' || text.front() == '-') return false;
    }
    if (parsePlainDecimal(text, value)) return true;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (ptr != end) return false;
    if (error == std::errc::result_out_of_range) {
        value = outOfRangeValue(text);
        return true;
    }
    return error == std::errc() && !std::isnan(value);
}

std::string notANumberMessage(std::string_view text) {
    return quoted(text) + " is not a number";
}

std::string checkNameLength(std::string_view name) {
    if (name.size() <= kMaxNameLength) return {};
    return "the name " + quoted(name) + " has " + std::to_string(name.size()) +
           " characters, more than " + std::to_string(kMaxNameLength);
}

std::string checkCoefficient(std::string_view row, std::string_view column, double value) {
    if (std::fabs(value) < kSolverInfinity) return {};
    return "the coefficient " + shortest(value) + " of column " + std::string(column) + " in row " +
           std::string(row) + " is 1e20 or more in magnitude, which the solver takes as infinite";
}

std::string checkObjectiveConstant(std::string_view objective, double value) {
    if (std::fabs(value) < kSolverInfinity) return {};
    return "the objective " + std::string(objective) + " has the constant " + shortest(value) +
           ", 1e20 or more in magnitude, which the solver takes as infinite";
}

std::string checkRowLimits(std::string_view row, double lower, double upper) {
    if (lower == kInfinity || upper == -kInfinity)
        return "row " + std::string(row) +
               " has an infinite right-hand side in its binding direction: no point satisfies it";
    for (const double limit : {lower, upper}) {
        if (std::isinf(limit) || std::fabs(limit) < kSolverInfinity) continue;
        return "row " + std::string(row) + " has the right-hand side " + shortest(limit) +
               ", 1e20 or more in magnitude, which the solver takes as infinite (write 1e30 or " +
               "more for no limit)";
    }
    if (lower > upper)
        return "row " + std::string(row) + " has its lower limit " + shortest(lower) +
               " above its upper limit " + shortest(upper);
    return {};
}

std::string checkColumnBounds(std::string_view column, double& lower, double& upper) {
    if (lower == kInfinity || upper == -kInfinity)
        return "column " + std::string(column) +
               " has an infinite bound in its binding direction: no value satisfies it";
    const auto tooLarge = [&](const char* which, double bound) {
        return "column " + std::string(column) + " has the " + which + " bound " + shortest(bound) +
               ", 1e20 or more in magnitude, which the solver takes as infinite (write 1e30 or " +
               "more for no bound)";
    };
    if (lower >= kSolverInfinity) return tooLarge("lower", lower);
    if (upper <= -kSolverInfinity) return tooLarge("upper", upper);
    if (lower <= -kSolverInfinity) lower = -kInfinity;
    if (upper >= kSolverInfinity) upper = kInfinity;
    return {};
}

}  // namespace corvane::host
