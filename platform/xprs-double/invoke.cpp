#include "invoke.hpp"

#include <cstdio>

namespace xdouble {

namespace {

void appendLine(const std::string& file, const std::string& text) {
    std::FILE* out = std::fopen(file.c_str(), "a");
    if (!out) return;
    std::fputs(text.c_str(), out);
    std::fputc('\n', out);
    std::fclose(out);
}

// False once the problem is gone, so nothing more is fired on it.
bool deliverMessage(State& state, XPRSprob prob, const Firing& message) {
    std::optional<std::string> logFile;
    std::vector<MessageSink> sinks;
    {
        ScopedLock lock(state.mutex);
        const xo_prob_struct* problem = state.problems.find(prob);
        if (!problem) return false;
        logFile = problem->logFile;
        sinks = problem->messageSinks;
    }
    if (logFile) appendLine(*logFile, message.text);
    const int length = static_cast<int>(message.text.size());
    for (const MessageSink& sink : sinks) {
        sink.callback(prob, sink.data, message.text.c_str(), length, message.type);
    }
    return true;
}

// The callback is looked up afresh each time: it may have replaced itself or ended the problem.
bool runLpLog(State& state, XPRSprob prob, int times) {
    for (int i = 0; i < times; ++i) {
        XPRSlplogcallback callback = nullptr;
        void* data = nullptr;
        {
            ScopedLock lock(state.mutex);
            const xo_prob_struct* problem = state.problems.find(prob);
            if (!problem) return false;
            callback = problem->lplog;
            data = problem->lplogData;
        }
        if (!callback) return true;
        const int result = callback(prob, data);
        {
            ScopedLock lock(state.mutex);
            state.lplogResults.push_back(result);
        }
        if (result != 0) return true;
    }
    return true;
}

}  // namespace

Outcome scriptedFailure(Fn fn, int code) {
    return failed(code,
                  std::string(functionName(fn)) + " failed with code " + std::to_string(code));
}

Outcome invalidProblem(Fn fn) {
    return failed(XDBL_ERR_INVALID_PROBLEM,
                  std::string(functionName(fn)) + ": not a live problem handle");
}

int settleFailure(State& state, const CallPosition& position, const Outcome& outcome) {
    state.script.noteFailure(outcome.code, outcome.error);
    state.log.finish(position, outcome.code);
    return outcome.code;
}

void fire(State& state, XPRSprob prob, const std::vector<Firing>& firings) {
    for (const Firing& firing : firings) {
        const bool alive = firing.kind == Firing::Kind::Message
                               ? deliverMessage(state, prob, firing)
                               : runLpLog(state, prob, firing.times);
        if (!alive) return;
    }
}

}  // namespace xdouble
