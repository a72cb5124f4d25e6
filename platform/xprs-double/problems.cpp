#include "problems.hpp"

#include <algorithm>

void xo_prob_struct::addMessageSink(const xdouble::MessageSink& sink) {
    auto later =
        std::find_if(messageSinks.begin(), messageSinks.end(),
                     [&](const xdouble::MessageSink& s) { return s.priority < sink.priority; });
    messageSinks.insert(later, sink);
}

namespace xdouble {

XPRSprob Problems::create() {
    auto problem = std::make_unique<xo_prob_struct>();
    XPRSprob handle = problem.get();
    live_.emplace(handle, std::move(problem));
    return handle;
}

bool Problems::destroy(XPRSprob prob) {
    return live_.erase(prob) > 0;
}

xo_prob_struct* Problems::find(XPRSprob prob) const {
    auto problem = live_.find(prob);
    return problem != live_.end() ? problem->second.get() : nullptr;
}

}  // namespace xdouble
