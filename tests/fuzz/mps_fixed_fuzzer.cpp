// Fuzzes the fixed MPS reader.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/mps_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return corvane::host::fuzzMps(data, size, corvane::host::MpsFormat::Fixed);
}
