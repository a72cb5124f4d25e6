// What the double remembers of each optimizer call: its arguments, sorted by kind and kept in
// argument order within each kind, and the result it returned.
#ifndef CORVANE_XPRS_DOUBLE_CALL_LOG_HPP
#define CORVANE_XPRS_DOUBLE_CALL_LOG_HPP

#include <array>
#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "functions.hpp"
#include "platform/xprs-double/xprs_double.h"

namespace xdouble {

struct CallRecord {
    Fn fn = Fn::XPRSinit;
    int result = XDBL_NO_RESULT;
    double seconds = 0.0;  // from entry to return, the callbacks it fired included
    std::vector<int> ints;
    std::vector<double> doubles;
    std::vector<std::optional<std::string>> strings;
    std::vector<const void*> pointers;
    std::vector<std::optional<std::vector<int>>> intArrays;
    std::vector<std::optional<std::vector<double>>> doubleArrays;
    // Char arrays may hold NULs (a block of names), so the length is the string's size.
    std::vector<std::optional<std::string>> charArrays;

    // How many arguments of that kind (an XDBL_ARG_* value) were recorded; -1 for no such kind.
    int count(int kind) const;
};

// Builds the record of one call. Arrays are copied at once, reading exactly `length` elements;
// a negative length reads nothing.
class Args {
  public:
    explicit Args(Fn fn) { record_.fn = fn; }

    Args& integer(int value);
    Args& real(double value);
    Args& text(const char* value);
    Args& pointer(const void* value);
    Args& ints(const int* data, int length);
    Args& doubles(const double* data, int length);
    Args& chars(const char* data, int length);

    Fn fn() const { return record_.fn; }
    CallRecord take() { return std::move(record_); }

  private:
    CallRecord record_;
};

struct CallPosition {
    int index = -1;      // 0-based, over all calls since the last clear
    int occurrence = 0;  // 1-based, over the calls of the same function
    unsigned generation = 0;
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
};

class CallLog {
  public:
    // The reference stays valid until clear(): the log never moves a record once stored.
    CallRecord& append(CallRecord record, CallPosition& position);

    // Sets the result of a call still in the log; a call that outlived a clear() is ignored.
    void finish(const CallPosition& position, int result);

    void clear();

    int count() const { return static_cast<int>(calls_.size()); }
    int count(Fn fn) const { return static_cast<int>(byFunction_[slot(fn)].size()); }
    // -1 when there is no such call.
    int indexOf(Fn fn, int occurrence) const;
    int indexOf(int occurrence) const;
    // Null when the index is out of range.
    const CallRecord* at(int index) const;

  private:
    std::deque<CallRecord> calls_;
    std::array<std::vector<int>, kFunctionCount> byFunction_;
    unsigned generation_ = 0;
};

}  // namespace xdouble

#endif
