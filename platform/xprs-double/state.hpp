// The double's one piece of shared state and the lock that guards it.
#ifndef CORVANE_XPRS_DOUBLE_STATE_HPP
#define CORVANE_XPRS_DOUBLE_STATE_HPP

#include <vector>

#include "call_log.hpp"
#include "lock.hpp"
#include "problems.hpp"
#include "script.hpp"

namespace xdouble {

struct State {
    static State& instance();

    // Forgets the recording and the script; live problems are kept.
    void reset();

    Mutex mutex;
    CallLog log;
    Script script;
    Problems problems;
    int initCount = 0;
    int problemsCreated = 0;
    std::vector<int> lplogResults;
};

}  // namespace xdouble

#endif
