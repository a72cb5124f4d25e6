// The problems the double hands out: real heap objects behind the opaque handle type, owned by a
// registry so a handle is checked before anything is read through it.
#ifndef CORVANE_XPRS_DOUBLE_PROBLEMS_HPP
#define CORVANE_XPRS_DOUBLE_PROBLEMS_HPP

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "optimizer/xprs.h"

namespace xdouble {

struct MessageSink {
    XPRSmessagecallback callback = nullptr;
    void* data = nullptr;
    int priority = 0;
};

}  // namespace xdouble

// What the calls on a problem stored on it.
struct xo_prob_struct {
    std::string name;
    int ncols = 0;
    int nrows = 0;
    std::map<int, int> intControls;
    std::map<int, double> dblControls;
    XPRSlplogcallback lplog = nullptr;
    void* lplogData = nullptr;
    // In the order they are called: descending priority, then the order added.
    std::vector<xdouble::MessageSink> messageSinks;
    std::optional<std::string> logFile;

    void addMessageSink(const xdouble::MessageSink& sink);
};

namespace xdouble {

class Problems {
  public:
    XPRSprob create();
    // False when the handle is not a live problem.
    bool destroy(XPRSprob prob);
    // Null for a null, destroyed or foreign handle.
    xo_prob_struct* find(XPRSprob prob) const;
    int alive() const { return static_cast<int>(live_.size()); }

  private:
    std::map<XPRSprob, std::unique_ptr<xo_prob_struct>> live_;
};

}  // namespace xdouble

#endif
