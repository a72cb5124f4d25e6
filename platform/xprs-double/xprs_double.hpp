// C++ access to the optimizer test double's recording, for GoogleTest code. Header-only, over
// the C interface of xprs_double.h.
#ifndef CORVANE_XPRS_DOUBLE_HPP
#define CORVANE_XPRS_DOUBLE_HPP

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "xprs_double.h"

namespace xdbl {

// One recorded call. Arguments are kept by kind in argument order, as the table in
// xprs_double.h lists them; a disengaged optional stands for a null pointer.
struct Call {
    int index = -1;
    std::string name;
    int result = XDBL_NO_RESULT;
    std::vector<int> ints;
    std::vector<double> doubles;
    std::vector<std::optional<std::string>> strings;
    std::vector<const void*> pointers;
    std::vector<std::optional<std::vector<int>>> intArrays;
    std::vector<std::optional<std::vector<double>>> doubleArrays;
    // May hold NULs: a block of names keeps its separators (see names()).
    std::vector<std::optional<std::string>> charArrays;
};

namespace detail {

inline int argCount(int index, int kind) {
    const int n = xdbl_arg_count(index, kind);
    return n > 0 ? n : 0;
}

template <typename T, typename Read>
std::vector<std::optional<std::vector<T>>> arrays(int index, int kind, Read read) {
    std::vector<std::optional<std::vector<T>>> out;
    for (int k = 0; k < argCount(index, kind); ++k) {
        const T* data = nullptr;
        const int length = read(index, k, &data);
        if (length < 0) {
            out.emplace_back(std::nullopt);
        } else {
            out.emplace_back(std::vector<T>(data, data + length));
        }
    }
    return out;
}

inline std::vector<std::optional<std::string>> charArrays(int index) {
    std::vector<std::optional<std::string>> out;
    for (int k = 0; k < argCount(index, XDBL_ARG_CHAR_ARRAY); ++k) {
        const char* data = nullptr;
        const int length = xdbl_arg_char_array(index, k, &data);
        if (length < 0) {
            out.emplace_back(std::nullopt);
        } else {
            out.emplace_back(std::string(data, static_cast<std::size_t>(length)));
        }
    }
    return out;
}

}  // namespace detail

// The call at a 0-based index; throws std::out_of_range when there is none.
inline Call call(int index) {
    const char* name = xdbl_call_name(index);
    if (!name) throw std::out_of_range("xdbl: no call at index " + std::to_string(index));
    Call c;
    c.index = index;
    c.name = name;
    c.result = xdbl_call_result(index);
    for (int k = 0; k < detail::argCount(index, XDBL_ARG_INT); ++k) {
        c.ints.push_back(xdbl_arg_int(index, k));
    }
    for (int k = 0; k < detail::argCount(index, XDBL_ARG_DOUBLE); ++k) {
        c.doubles.push_back(xdbl_arg_double(index, k));
    }
    for (int k = 0; k < detail::argCount(index, XDBL_ARG_STRING); ++k) {
        const char* text = xdbl_arg_string(index, k);
        c.strings.push_back(text ? std::optional<std::string>(text) : std::nullopt);
    }
    for (int k = 0; k < detail::argCount(index, XDBL_ARG_POINTER); ++k) {
        c.pointers.push_back(xdbl_arg_pointer(index, k));
    }
    c.intArrays = detail::arrays<int>(index, XDBL_ARG_INT_ARRAY, xdbl_arg_int_array);
    c.doubleArrays = detail::arrays<double>(index, XDBL_ARG_DOUBLE_ARRAY, xdbl_arg_double_array);
    c.charArrays = detail::charArrays(index);
    return c;
}

// Calls recorded since the last reset, of every function or of one.
inline int count(const char* function = nullptr) {
    return xdbl_call_count(function);
}

inline std::vector<Call> calls() {
    std::vector<Call> all;
    const int n = xdbl_call_count(nullptr);
    for (int index = 0; index < n; ++index) all.push_back(call(index));
    return all;
}

inline std::vector<Call> calls(const char* function) {
    std::vector<Call> same;
    const int n = xdbl_call_count(function);
    for (int occurrence = 1; occurrence <= n; ++occurrence) {
        same.push_back(call(xdbl_call_index(function, occurrence)));
    }
    return same;
}

// The names of all calls in order, to check a sequence at a glance.
inline std::vector<std::string> callNames() {
    std::vector<std::string> names;
    const int n = xdbl_call_count(nullptr);
    for (int index = 0; index < n; ++index) names.emplace_back(xdbl_call_name(index));
    return names;
}

// The occurrence-th (1-based) call of the function; throws std::out_of_range when there is none,
// which GoogleTest reports as a failure of the test.
inline Call nth(const char* function, int occurrence) {
    const int index = xdbl_call_index(function, occurrence);
    if (index < 0) {
        throw std::out_of_range("xdbl: no call number " + std::to_string(occurrence) + " of " +
                                (function ? function : "any function") + " (" +
                                std::to_string(xdbl_call_count(function)) + " recorded)");
    }
    return call(index);
}

// One XPRSsetintcontrol or XPRSsetdblcontrol call; the value of an integer control is exact.
struct ControlSetting {
    int control = 0;
    double value = 0.0;
    bool integer = false;
    int result = XDBL_NO_RESULT;

    bool operator==(const ControlSetting& o) const {
        return control == o.control && value == o.value && integer == o.integer &&
               result == o.result;
    }
};

// Every control setting attempted, in call order, refused and failed ones included.
inline std::vector<ControlSetting> controlSettings() {
    std::vector<ControlSetting> settings;
    for (const Call& c : calls()) {
        if (c.name == "XPRSsetintcontrol") {
            settings.push_back({c.ints.at(0), static_cast<double>(c.ints.at(1)), true, c.result});
        } else if (c.name == "XPRSsetdblcontrol") {
            settings.push_back({c.ints.at(0), c.doubles.at(0), false, c.result});
        }
    }
    return settings;
}

// The value the last successful setting of the control gave it, if any.
inline std::optional<double> lastControlSet(int control) {
    std::optional<double> value;
    for (const ControlSetting& s : controlSettings()) {
        if (s.control == control && s.result == 0) value = s.value;
    }
    return value;
}

inline std::vector<int> lplogResults() {
    const int total = xdbl_lplog_results(nullptr, 0);
    std::vector<int> results(static_cast<std::size_t>(total));
    xdbl_lplog_results(results.data(), total);
    return results;
}

// Splits a NUL-separated block of names, as XPRSaddnames takes it.
inline std::vector<std::string> names(const std::string& block) {
    std::vector<std::string> out;
    std::string::size_type start = 0;
    while (start < block.size()) {
        std::string::size_type end = block.find('\0', start);
        if (end == std::string::npos) end = block.size();
        out.push_back(block.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

// Resets the double when a test starts and when it ends, so no test sees another's script.
class ScopedReset {
  public:
    ScopedReset() { xdbl_reset(); }
    ~ScopedReset() { xdbl_reset(); }
    ScopedReset(const ScopedReset&) = delete;
    ScopedReset& operator=(const ScopedReset&) = delete;
};

}  // namespace xdbl

#endif
