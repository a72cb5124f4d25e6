// Allocation of the solver's run arrays.
#ifndef CORVANE_SOLVER_RUN_ARRAYS_H
#define CORVANE_SOLVER_RUN_ARRAYS_H

#include <algorithm>
#include <cstddef>

namespace corvane {

// Releases what `array` holds and forgets it; releasing twice does nothing.
template <typename T>
void releaseRunArray(T*& array) {
    delete[] array;
    array = nullptr;
}

// Gives `array` fresh storage for `count` elements (none for a negative count), releasing what it
// held, so a repeated phase never leaks the arrays of an abandoned one. The elements are left
// unset: most arrays are written whole before they are read, and zeroing them first costs as much
// as filling them.
template <typename T>
void allocateRunArray(T*& array, long long count) {
    releaseRunArray(array);
    array = new T[static_cast<size_t>(std::max(0LL, count))];
}

// The same, zeroed: for arrays that the optimizer or the host may leave partly unwritten.
template <typename T>
void allocateZeroedRunArray(T*& array, long long count) {
    releaseRunArray(array);
    array = new T[static_cast<size_t>(std::max(0LL, count))]();
}

}  // namespace corvane

#endif
