// Fuzzes the fixed MPS reader: any bytes are read to a model that holds together, or refused with
// a line number and a message. Never a crash, a hang or a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/host/model/mps_reader.h"
#include "tests/fuzz/model_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace corvane::host;
    MemoryLineSource source(std::string_view(reinterpret_cast<const char*>(data), size));
    LinearModel model;
    ReadError error;
    std::vector<ReadError> warnings;
    if (readMps(source, MpsFormat::Fixed, model, error, &warnings)) {
        checkModel(model);
    } else {
        requireThat(!error.message.empty(), "a refusal says why");
    }
    return 0;
}
