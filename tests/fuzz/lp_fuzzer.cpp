// Fuzzes the LP reader: any bytes are read to a model that holds together, or refused with a
// line number and a message. Never a crash, a hang or a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/host/model/lp_reader.h"
#include "tests/fuzz/model_invariants.h"

namespace corvane::host {
namespace {

// What this reader promises beyond every reader's invariants: names, rows in order within each
// column, and each set's members in the strict order of their weights.
void checkLpModel(const LinearModel& model) {
    for (size_t j = 0; j < model.colNames.size(); ++j)
        requireThat(!model.colNames[j].empty(), "column name");
    for (size_t i = 0; i < model.rowNames.size(); ++i)
        requireThat(!model.rowNames[i].empty(), "row name");
    for (int j = 0; j < model.numCols(); ++j)
        for (int k = model.colStart[j] + 1; k < model.colStart[j + 1]; ++k)
            requireThat(model.rowIndex[k - 1] < model.rowIndex[k], "rows in order, each once");
    for (int k = 0; k < model.numSets(); ++k) {
        requireThat(model.setStart[k] < model.setStart[k + 1], "set with members");
        for (int p = model.setStart[k] + 1; p < model.setStart[k + 1]; ++p)
            requireThat(model.setWeights[p - 1] < model.setWeights[p], "weights in order");
    }
}

}  // namespace
}  // namespace corvane::host

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace corvane::host;
    MemoryLineSource source(std::string_view(reinterpret_cast<const char*>(data), size));
    LinearModel model;
    ReadError error;
    if (readLp(source, model, error)) {
        checkModel(model);
        checkLpModel(model);
    } else {
        requireThat(!error.message.empty(), "a refusal says why");
        requireThat(error.line <= source.lineNumber(), "a refusal on a line read");
    }
    return 0;
}
