// Allocation of the solver's run arrays.
#ifndef CORVANE_SOLVE_RUN_ARRAYS_H
#define CORVANE_SOLVE_RUN_ARRAYS_H

#include <algorithm>

namespace corvane {

// Gives `array` fresh storage for `count` elements (none for a negative count), releasing what it
// held, so a repeated phase never leaks the arrays of an abandoned one.
template <typename T>
void allocateRunArray(T*& array, long long count) {
    delete[] array;
    array = nullptr;
    array = new T[static_cast<size_t>(std::max(0LL, count))]();
}

}  // namespace corvane

#endif
