#include "state.hpp"

namespace xdouble {

State& State::instance() {
    // Never destroyed: the code under test may still call the library from its own exit-time
    // clean-up, after this library's static objects would have gone.
    static State* const state = new State();
    return *state;
}

void State::reset() {
    log.clear();
    script = Script();
    initCount = 0;
    problemsCreated = 0;
    std::vector<int>().swap(lplogResults);
}

}  // namespace xdouble
