// Writing answers into the caller's memory: never more than the caller's size, never through a
// null pointer.
#ifndef CORVANE_XPRS_DOUBLE_OUTPUTS_HPP
#define CORVANE_XPRS_DOUBLE_OUTPUTS_HPP

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace xdouble {

template <typename T>
void writeValue(T* out, T value) {
    if (out) *out = value;
}

// Writes exactly `size` entries: the scripted values, then zeros.
template <typename T>
void writeSized(T* out, int size, const std::vector<T>& values) {
    if (!out || size <= 0) return;
    const std::size_t n = static_cast<std::size_t>(size);
    const std::size_t given = std::min(n, values.size());
    std::copy(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(given), out);
    std::fill(out + given, out + n, T());
}

// Copies at most capacity - 1 characters and a NUL.
inline void writeText(char* out, const std::string& text, std::size_t capacity) {
    if (!out || capacity == 0) return;
    const std::size_t n = std::min(text.size(), capacity - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

}  // namespace xdouble

#endif
