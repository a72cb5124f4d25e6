// The path every optimizer call takes through the double: record the arguments, answer the
// scripted failure or act, fire the scripted callbacks without holding the lock, record the
// result.
#ifndef CORVANE_XPRS_DOUBLE_INVOKE_HPP
#define CORVANE_XPRS_DOUBLE_INVOKE_HPP

#include <string>
#include <utility>
#include <vector>

#include "state.hpp"

namespace xdouble {

struct Outcome {
    int code = 0;
    std::string error;
};

inline Outcome succeeded() {
    return Outcome();
}
inline Outcome failed(int code, std::string error) {
    return Outcome{code, std::move(error)};
}

Outcome scriptedFailure(Fn fn, int code);
Outcome invalidProblem(Fn fn);

// Under the lock: notes the failure and stores the result.
int settleFailure(State& state, const CallPosition& position, const Outcome& outcome);

// Without the lock: runs the firings on the problem, for as long as it lives.
void fire(State& state, XPRSprob prob, const std::vector<Firing>& firings);

// `record(Args&)` adds the arguments; `act(State&, CallRecord&)` runs under the lock, may fill in
// the live record, and returns the outcome. Firings run only when `target` is a problem.
template <typename Record, typename Act>
int invoke(Fn fn, XPRSprob target, Record&& record, Act&& act) noexcept {
    try {
        CallPosition position;  // timed from here, before the arguments are copied
        Args args(fn);
        record(args);
        State& state = State::instance();
        std::vector<Firing> firings;
        {
            ScopedLock lock(state.mutex);
            CallRecord& live = state.log.append(args.take(), position);
            int scripted = state.script.returnCode(fn, position.occurrence);
            Outcome outcome = scripted != 0 ? scriptedFailure(fn, scripted) : act(state, live);
            if (outcome.code != 0) return settleFailure(state, position, outcome);
            state.script.applyAttribChanges(fn, position.occurrence);
            firings = state.script.firingsFor(fn, position.occurrence);
        }
        if (target && !firings.empty()) fire(state, target, firings);
        ScopedLock lock(state.mutex);
        state.log.finish(position, 0);
        return 0;
    } catch (...) {
        return XDBL_ERR_INTERNAL;
    }
}

// A call on a problem: the handle is recorded as pointer 0 and checked before `act(State&,
// xo_prob_struct&)` runs.
template <typename Record, typename Act>
int invokeOnProblem(Fn fn, XPRSprob prob, Record&& record, Act&& act) noexcept {
    return invoke(
        fn, prob,
        [&](Args& args) {
            args.pointer(prob);
            record(args);
        },
        [&](State& state, CallRecord&) -> Outcome {
            xo_prob_struct* problem = state.problems.find(prob);
            if (!problem) return invalidProblem(fn);
            return act(state, *problem);
        });
}

}  // namespace xdouble

#endif
