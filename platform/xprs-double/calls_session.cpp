// The library's start and end, problems, controls, attributes, errors, callbacks and the
// optimizing calls.
#include "invoke.hpp"
#include "outputs.hpp"

using namespace xdouble;

namespace {

constexpr std::size_t kVersionCapacity = 256;
constexpr std::size_t kLastErrorCapacity = 512;
constexpr int kDefaultMpsNameLength = 64;

int intControlAnswer(const Script& script, const xo_prob_struct& problem, int control) {
    auto scripted = script.intControlAnswers.find(control);
    if (scripted != script.intControlAnswers.end()) return scripted->second;
    auto set = problem.intControls.find(control);
    if (set != problem.intControls.end()) return set->second;
    return control == XPRS_MPSNAMELENGTH ? kDefaultMpsNameLength : 0;
}

Outcome refusedControl(int control) {
    return failed(XDBL_ERR_REFUSED_CONTROL, "control " + std::to_string(control) + " refused");
}

// Optimizing calls take only their flags; what they produce is scripted.
int optimize(Fn fn, XPRSprob prob, const char* flags) {
    return invokeOnProblem(
        fn, prob, [&](Args& args) { args.text(flags); },
        [&](State&, xo_prob_struct&) { return succeeded(); });
}

auto noArgs = [](Args&) {};

}  // namespace

extern "C" {

XPRS_API int XPRS_CC XPRSinit(const char* path) {
    return invoke(
        Fn::XPRSinit, nullptr, [&](Args& args) { args.text(path); },
        [](State& state, CallRecord&) {
            ++state.initCount;
            return succeeded();
        });
}

XPRS_API int XPRS_CC XPRSfree(void) {
    return invoke(Fn::XPRSfree, nullptr, noArgs, [](State& state, CallRecord&) {
        if (state.initCount > 0) --state.initCount;
        return succeeded();
    });
}

XPRS_API int XPRS_CC XPRSgetversion(char* version) {
    return invoke(
        Fn::XPRSgetversion, nullptr, [&](Args& args) { args.pointer(version); },
        [&](State& state, CallRecord&) {
            writeText(version, state.script.version, kVersionCapacity);
            return succeeded();
        });
}

XPRS_API int XPRS_CC XPRScreateprob(XPRSprob* prob) {
    const int rc = invoke(
        Fn::XPRScreateprob, nullptr, [&](Args& args) { args.pointer(prob).pointer(nullptr); },
        [&](State& state, CallRecord& live) -> Outcome {
            if (!prob) return failed(XDBL_ERR_ARGUMENT, "XPRScreateprob: null handle address");
            *prob = state.problems.create();
            ++state.problemsCreated;
            live.pointers[1] = *prob;
            return succeeded();
        });
    if (rc != 0 && prob) {
        State& state = State::instance();
        ScopedLock lock(state.mutex);
        if (state.script.fillHandleOnFailure) *prob = state.problems.create();
    }
    return rc;
}

XPRS_API int XPRS_CC XPRSdestroyprob(XPRSprob prob) {
    return invokeOnProblem(Fn::XPRSdestroyprob, prob, noArgs, [&](State& state, xo_prob_struct&) {
        state.problems.destroy(prob);
        return succeeded();
    });
}

XPRS_API int XPRS_CC XPRSsetintcontrol(XPRSprob prob, int control, int value) {
    return invokeOnProblem(
        Fn::XPRSsetintcontrol, prob, [&](Args& args) { args.integer(control).integer(value); },
        [&](State& state, xo_prob_struct& problem) {
            if (state.script.refusedControls.count(control)) return refusedControl(control);
            problem.intControls[control] = value;
            return succeeded();
        });
}

XPRS_API int XPRS_CC XPRSsetdblcontrol(XPRSprob prob, int control, double value) {
    return invokeOnProblem(
        Fn::XPRSsetdblcontrol, prob, [&](Args& args) { args.integer(control).real(value); },
        [&](State& state, xo_prob_struct& problem) {
            if (state.script.refusedControls.count(control)) return refusedControl(control);
            problem.dblControls[control] = value;
            return succeeded();
        });
}

XPRS_API int XPRS_CC XPRSgetintcontrol(XPRSprob prob, int control, int* value) {
    return invokeOnProblem(
        Fn::XPRSgetintcontrol, prob, [&](Args& args) { args.integer(control).pointer(value); },
        [&](State& state, xo_prob_struct& problem) {
            writeValue(value, intControlAnswer(state.script, problem, control));
            return succeeded();
        });
}

XPRS_API int XPRS_CC XPRSgetintattrib(XPRSprob prob, int attrib, int* value) {
    return invokeOnProblem(
        Fn::XPRSgetintattrib, prob, [&](Args& args) { args.integer(attrib).pointer(value); },
        [&](State& state, xo_prob_struct&) {
            writeValue(value, state.script.intAttrib(attrib));
            return succeeded();
        });
}

XPRS_API int XPRS_CC XPRSgetdblattrib(XPRSprob prob, int attrib, double* value) {
    return invokeOnProblem(
        Fn::XPRSgetdblattrib, prob, [&](Args& args) { args.integer(attrib).pointer(value); },
        [&](State& state, xo_prob_struct&) {
            writeValue(value, state.script.dblAttrib(attrib));
            return succeeded();
        });
}

XPRS_API int XPRS_CC XPRSgetlasterror(XPRSprob prob, char* text) {
    return invokeOnProblem(
        Fn::XPRSgetlasterror, prob, [&](Args& args) { args.pointer(text); },
        [&](State& state, xo_prob_struct&) {
            writeText(text, state.script.lastErrorText(), kLastErrorCapacity);
            return succeeded();
        });
}

XPRS_API int XPRS_CC XPRSsetcblplog(XPRSprob prob, XPRSlplogcallback callback, void* data) {
    return invokeOnProblem(
        Fn::XPRSsetcblplog, prob,
        [&](Args& args) { args.pointer(reinterpret_cast<const void*>(callback)).pointer(data); },
        [&](State&, xo_prob_struct& problem) {
            problem.lplog = callback;
            problem.lplogData = callback ? data : nullptr;
            return succeeded();
        });
}

XPRS_API int XPRS_CC XPRSaddcbmessage(XPRSprob prob, XPRSmessagecallback callback, void* data,
                                      int priority) {
    return invokeOnProblem(
        Fn::XPRSaddcbmessage, prob,
        [&](Args& args) {
            args.integer(priority).pointer(reinterpret_cast<const void*>(callback)).pointer(data);
        },
        [&](State&, xo_prob_struct& problem) {
            if (callback) problem.addMessageSink(MessageSink{callback, data, priority});
            return succeeded();
        });
}

XPRS_API int XPRS_CC XPRSminim(XPRSprob prob, const char* flags) {
    return optimize(Fn::XPRSminim, prob, flags);
}

XPRS_API int XPRS_CC XPRSmaxim(XPRSprob prob, const char* flags) {
    return optimize(Fn::XPRSmaxim, prob, flags);
}

XPRS_API int XPRS_CC XPRSmipoptimize(XPRSprob prob, const char* flags) {
    return optimize(Fn::XPRSmipoptimize, prob, flags);
}

XPRS_API int XPRS_CC XPRSchgobjsense(XPRSprob prob, int sense) {
    return invokeOnProblem(
        Fn::XPRSchgobjsense, prob, [&](Args& args) { args.integer(sense); },
        [](State&, xo_prob_struct&) { return succeeded(); });
}

XPRS_API int XPRS_CC XPRSdumpcontrols(XPRSprob prob) {
    return invokeOnProblem(Fn::XPRSdumpcontrols, prob, noArgs,
                           [](State&, xo_prob_struct&) { return succeeded(); });
}

XPRS_API int XPRS_CC XPRSfixglobals(XPRSprob prob, int round) {
    return invokeOnProblem(
        Fn::XPRSfixglobals, prob, [&](Args& args) { args.integer(round); },
        [](State&, xo_prob_struct&) { return succeeded(); });
}

}  // extern "C"
