#include "platform/host/driver/solver_parameters.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace corvane::host {

namespace {

// Wide enough for every keyword and for the string parameter's longest value and terminator.
constexpr size_t kNameBuffer = 64;
constexpr size_t kValueBuffer = 512;

std::string formatReal(double value) {
    char text[32];
    std::snprintf(text, sizeof(text), "%g", value);
    return text;
}

size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            const bool same = std::toupper(static_cast<unsigned char>(a[i - 1])) ==
                              std::toupper(static_cast<unsigned char>(b[j - 1]));
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

int parseInteger(const std::string& name, const std::string& text) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        throw ParameterError("parameter " + name + " takes an integer, not \"" + text + "\"");
    return static_cast<int>(value);
}

double parseReal(const std::string& name, const std::string& text) {
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value))
        throw ParameterError("parameter " + name + " takes a real number, not \"" + text + "\"");
    return value;
}

std::string unknownParameterMessage(const RTSolver& solver, const std::string& name) {
    std::string message = "unknown parameter \"" + name + "\"";
    const std::vector<std::string> near = closestNames(listParameters(solver), name, 3);
    for (size_t i = 0; i < near.size(); ++i) message += (i == 0 ? "; closest: " : ", ") + near[i];
    return message;
}

}  // namespace

const char* typeName(RTSolver::parameterType type) {
    switch (type) {
        case RTSolver::INT_PARAMETER:
            return "integer";
        case RTSolver::REAL_PARAMETER:
            return "real";
        case RTSolver::STRING_PARAMETER:
            return "string";
        default:
            return "none";
    }
}

std::vector<ParameterInfo> listParameters(const RTSolver& solver) {
    std::vector<ParameterInfo> list;
    char name[kNameBuffer];
    for (int index = 1; index <= solver.inqNumIntParam(); ++index) {
        int value = 0;
        name[0] = '\0';
        solver.inqIntParam(index, name, value);
        list.push_back({name, RTSolver::INT_PARAMETER, index, std::to_string(value)});
    }
    for (int index = 1; index <= solver.inqNumRealParam(); ++index) {
        double value = 0.0;
        name[0] = '\0';
        solver.inqRealParam(index, name, value);
        list.push_back({name, RTSolver::REAL_PARAMETER, index, formatReal(value)});
    }
    for (int index = 1; index <= solver.inqNumStringParam(); ++index) {
        char value[kValueBuffer];
        name[0] = value[0] = '\0';
        solver.inqStringParam(index, name, value);
        list.push_back({name, RTSolver::STRING_PARAMETER, index, std::string("\"") + value + "\""});
    }
    return list;
}

std::pair<std::string, std::string> splitSetting(const std::string& setting) {
    const size_t equals = setting.find('=');
    if (equals == std::string::npos || equals == 0)
        throw ParameterError("--set takes NAME=VALUE, not \"" + setting + "\"");
    return {setting.substr(0, equals), setting.substr(equals + 1)};
}

std::vector<std::string> closestNames(const std::vector<ParameterInfo>& catalogue,
                                      const std::string& name, size_t count) {
    std::vector<std::pair<size_t, const std::string*>> ranked;
    ranked.reserve(catalogue.size());
    for (const ParameterInfo& entry : catalogue)
        ranked.emplace_back(editDistance(name, entry.name), &entry.name);
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> names;
    for (size_t i = 0; i < ranked.size() && i < count; ++i) names.push_back(*ranked[i].second);
    return names;
}

void setParameter(RTSolver& solver, const std::string& name, const std::string& value) {
    const RTSolver::parameterType type = solver.validParam(name.c_str());
    bool taken = false;
    switch (type) {
        case RTSolver::INT_PARAMETER: {
            const int number = parseInteger(name, value);
            solver.setIntParam(name.c_str(), number);
            taken = solver.inqIntParam(name.c_str()) == number;
            break;
        }
        case RTSolver::REAL_PARAMETER: {
            const double number = parseReal(name, value);
            solver.setRealParam(name.c_str(), number);
            taken = solver.inqRealParam(name.c_str()) == number;
            break;
        }
        case RTSolver::STRING_PARAMETER: {
            solver.setStringParam(name.c_str(), value.c_str());
            const char* now = solver.inqStringParam(name.c_str());
            taken = now && value == now;
            break;
        }
        default:
            throw ParameterError(unknownParameterMessage(solver, name));
    }
    if (!taken)
        throw ParameterError("the solver did not take the value \"" + value + "\" for parameter " +
                             name);
}

}  // namespace corvane::host
