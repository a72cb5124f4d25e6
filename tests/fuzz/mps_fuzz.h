// The body of both MPS harnesses: any bytes are read to a model that holds together, or refused
// with a line number and a message. Never a crash, a hang or a sanitizer report.
#ifndef CORVANE_TESTS_FUZZ_MPS_FUZZ_H
#define CORVANE_TESTS_FUZZ_MPS_FUZZ_H

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/host/model/mps_reader.h"
#include "tests/fuzz/model_invariants.h"

namespace corvane::host {

inline int fuzzMps(const uint8_t* data, size_t size, MpsFormat format) {
    MemoryLineSource source(std::string_view(reinterpret_cast<const char*>(data), size));
    LinearModel model;
    ReadError error;
    std::vector<ReadError> warnings;
    if (readMps(source, format, model, error, &warnings)) {
        checkModel(model);
    } else {
        requireThat(!error.message.empty(), "a refusal says why");
    }
    return 0;
}

}  // namespace corvane::host

#endif
