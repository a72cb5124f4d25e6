// Fuzzes the reading of batch summary rows, which a resumed batch takes from a file it did not
// necessarily write: any line is a row or refused, and a row written back reads as itself.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/host/cli/batch.h"

namespace {

void requireThat(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "summary invariant broken: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace corvane::host;
    const std::string line(reinterpret_cast<const char*>(data), size);
    BatchRow row;
    if (!parseCsvLine(line, row)) return 0;
    requireThat(!row.model.empty(), "a row names its model");
    const std::string written = csvLine(row);
    BatchRow again;
    requireThat(parseCsvLine(written, again), "a row written reads back");
    requireThat(csvLine(again) == written, "a row written reads back as itself");
    requireThat(again.model == row.model && again.outcome == row.outcome, "model and outcome kept");
    return 0;
}
