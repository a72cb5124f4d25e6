// The processor clock that times the basis read. Tests replace it to time reads without burning
// processor time.
#ifndef CORVANE_SOLVE_PROCESSOR_CLOCK_H
#define CORVANE_SOLVE_PROCESSOR_CLOCK_H

#include <ctime>

namespace corvane {

using ClockSource = std::clock_t (*)();

// A null source restores the C runtime's clock.
void setProcessorClock(ClockSource source);
std::clock_t readProcessorClock();

// Processor clock readings around the basis read.
struct BasisTiming {
    std::clock_t start = 0;
    std::clock_t afterRead = 0;
};

}  // namespace corvane

#endif
