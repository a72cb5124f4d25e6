// Everything a test scripts, and the attributes and error text the calls answer: all that
// xdbl_reset restores.
#ifndef CORVANE_XPRS_DOUBLE_SCRIPT_HPP
#define CORVANE_XPRS_DOUBLE_SCRIPT_HPP

#include <array>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "functions.hpp"

namespace xdouble {

// A callback run during a call; occurrence 0 matches every call.
struct Firing {
    enum class Kind { LpLog, Message };
    Kind kind = Kind::LpLog;
    Fn fn = Fn::XPRSinit;
    int occurrence = 0;
    int times = 0;
    std::string text;
    int type = 0;
};

struct AttribChange {
    Fn fn = Fn::XPRSinit;
    int occurrence = 0;
    int attrib = 0;
    std::optional<int> intValue;  // else the double value
    double dblValue = 0.0;
};

struct LpSolution {
    std::vector<double> x, dj, slack, dual;
};

struct MipSolution {
    std::vector<double> x, slack;
};

struct Basis {
    std::vector<int> rows, cols;
};

struct ScaledInfeasibilities {
    std::vector<int> colsP, rowsP, rowsD, colsD;
};

inline constexpr char kDefaultVersion[] = "double 1.0";

struct Script {
    int returnCode(Fn fn, int occurrence) const;
    void applyAttribChanges(Fn fn, int occurrence);
    std::vector<Firing> firingsFor(Fn fn, int occurrence) const;

    int intAttrib(int attrib) const;
    double dblAttrib(int attrib) const;

    // Sets the error code attribute and, unless a test scripted the text, the last-error text.
    void noteFailure(int code, std::string text);
    const std::string& lastErrorText() const;

    std::array<int, kFunctionCount> returnAlways{};
    std::array<std::map<int, int>, kFunctionCount> returnAt;
    std::set<int> refusedControls;
    bool fillHandleOnFailure = false;
    std::map<int, int> intControlAnswers;

    std::map<int, int> intAttribs;
    std::map<int, double> dblAttribs;
    std::vector<AttribChange> attribChanges;

    std::string version = kDefaultVersion;
    std::optional<std::string> scriptedLastError;
    std::string lastError;

    LpSolution lpsol;
    MipSolution mipsol;
    Basis basis;
    int unbvec = -1;
    ScaledInfeasibilities infeasibilities;

    std::vector<Firing> firings;
};

// The first `length` values of `data`, zeros where data is null.
template <typename T>
std::vector<T> valuesOrZeros(const T* data, int length) {
    if (length <= 0) return {};
    if (!data) return std::vector<T>(static_cast<std::size_t>(length), T());
    return std::vector<T>(data, data + length);
}

}  // namespace xdouble

#endif
