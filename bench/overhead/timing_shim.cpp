// A stand-in optimizer library for the overhead benchmark: it forwards every call to the real
// library named by CORVANE_TIMED_XPRS and adds up the time spent inside the calls, so that the
// plug-in's own share of a solve is measured rather than estimated.
//
// A callback the real library makes into the plug-in is the plug-in's time, not the optimizer's:
// its duration is subtracted again. Optimizer calls made from inside a callback count as the
// optimizer's.
#include <dlfcn.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

#define XPRS_BUILDING_LIBRARY
#include "optimizer/xprs.h"

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<long long> insideCalls{0};      // nanoseconds in outermost optimizer calls
std::atomic<long long> insideCallbacks{0};  // nanoseconds in callbacks made during those calls
thread_local int depth = 0;

long long since(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count();
}

void* realLibrary() {
    static void* handle = [] {
        const char* path = std::getenv("CORVANE_TIMED_XPRS");
        void* opened = path ? dlopen(path, RTLD_NOW | RTLD_LOCAL) : nullptr;
        if (!opened)
            std::fprintf(stderr, "timing shim: cannot open the optimizer library %s\n",
                         path ? path : "(CORVANE_TIMED_XPRS is not set)");
        return opened;
    }();
    return handle;
}

template <typename Function>
Function bind(const char* name) {
    void* library = realLibrary();
    return library ? reinterpret_cast<Function>(dlsym(library, name)) : nullptr;
}

// Times the outermost call on this thread.
class CallTimer {
  public:
    CallTimer() : outermost_(depth++ == 0), start_(Clock::now()) {}
    ~CallTimer() {
        --depth;
        if (outermost_) insideCalls += since(start_);
    }

  private:
    bool outermost_;
    Clock::time_point start_;
};

// Inside a callback the plug-in runs: its own optimizer calls are outermost again.
class CallbackTimer {
  public:
    CallbackTimer() : savedDepth_(depth), start_(Clock::now()) { depth = 0; }
    ~CallbackTimer() {
        depth = savedDepth_;
        if (savedDepth_ > 0) insideCallbacks += since(start_);
    }

  private:
    int savedDepth_;
    Clock::time_point start_;
};

// The caller's callback and data, which the real library gets back as the data of a route.
template <typename Callback>
struct Route {
    Callback callback;
    void* data;
};

// Routes live as long as the process: the real library may call them until it is done.
template <typename Callback>
Route<Callback>* keepRoute(Callback callback, void* data) {
    static std::mutex mutex;
    static std::vector<std::unique_ptr<Route<Callback>>> routes;
    std::lock_guard<std::mutex> lock(mutex);
    routes.push_back(std::make_unique<Route<Callback>>(Route<Callback>{callback, data}));
    return routes.back().get();
}

void XPRS_CC routeMessage(XPRSprob prob, void* route, const char* text, int length, int type) {
    const auto* r = static_cast<const Route<XPRSmessagecallback>*>(route);
    CallbackTimer timer;
    r->callback(prob, r->data, text, length, type);
}

int XPRS_CC routeLpLog(XPRSprob prob, void* route) {
    const auto* r = static_cast<const Route<XPRSlplogcallback>*>(route);
    CallbackTimer timer;
    return r->callback(prob, r->data);
}

}  // namespace

#define CORVANE_TIMED_TYPE(function, params, args) using function##_t = int(XPRS_CC*) params;
CORVANE_XPRS_FUNCTIONS(CORVANE_TIMED_TYPE)

namespace {

// Calls the real function under the timer. The two callback registrations hand the real library
// a route of their own instead of the caller's callback.
template <typename Function>
struct Forwarder {
    Function real;
    template <typename... Args>
    int operator()(Args... args) const {
        CallTimer timer;
        return real(args...);
    }
};

template <>
struct Forwarder<XPRSaddcbmessage_t> {
    XPRSaddcbmessage_t real;
    int operator()(XPRSprob prob, XPRSmessagecallback callback, void* data, int priority) const {
        CallTimer timer;
        if (!callback) return real(prob, callback, data, priority);
        return real(prob, routeMessage, keepRoute(callback, data), priority);
    }
};

template <>
struct Forwarder<XPRSsetcblplog_t> {
    XPRSsetcblplog_t real;
    int operator()(XPRSprob prob, XPRSlplogcallback callback, void* data) const {
        CallTimer timer;
        if (!callback) return real(prob, callback, data);
        return real(prob, routeLpLog, keepRoute(callback, data));
    }
};

}  // namespace

#define CORVANE_TIMED_FORWARD(function, params, args)                   \
    extern "C" XPRS_API int XPRS_CC function params {                   \
        static const function##_t real = bind<function##_t>(#function); \
        if (!real) return -1;                                           \
        return Forwarder<function##_t>{real} args;                      \
    }

CORVANE_XPRS_FUNCTIONS(CORVANE_TIMED_FORWARD)

extern "C" {

// Seconds spent inside the optimizer since the last reset, callbacks into the caller excluded.
XPRS_API double corvane_timed_seconds(void) {
    return static_cast<double>(insideCalls.load() - insideCallbacks.load()) * 1e-9;
}

XPRS_API void corvane_timed_reset(void) {
    insideCalls = 0;
    insideCallbacks = 0;
}

}  // extern "C"
