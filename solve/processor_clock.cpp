// The processor clock seam: the C runtime's clock unless a test has set another.
#include "solve/processor_clock.h"

namespace corvane {

namespace {

ClockSource clockSource = nullptr;

}  // namespace

void setProcessorClock(ClockSource source) {
    clockSource = source;
}

std::clock_t readProcessorClock() {
    return clockSource ? clockSource() : std::clock();
}

}  // namespace corvane
