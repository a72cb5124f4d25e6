// Hostile LP files: whatever the bytes, the reader either refuses them with a line and a message
// or gives a model whose arrays are consistent and whose values the solver can take.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/host/model/line_source.h"
#include "platform/host/model/lp_reader.h"

namespace corvane::host {
namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

bool solverFinite(double value) { return std::fabs(value) < 1e20; }

void checkColumns(const LinearModel& model) {
    const size_t n = model.colNames.size();
    require(model.colLower.size() == n && model.colUpper.size() == n && model.cost.size() == n &&
            model.kind.size() == n && model.start.size() == n);
    require(model.quadDiagonal.empty() || model.quadDiagonal.size() == n);
    for (size_t j = 0; j < n; ++j) {
        require(model.colNames[j].size() <= kMaxNameLength && !model.colNames[j].empty());
        require(model.colLower[j] < kInfinity && model.colUpper[j] > -kInfinity);
        require(solverFinite(model.colLower[j]) || model.colLower[j] == -kInfinity);
        require(solverFinite(model.colUpper[j]) || model.colUpper[j] == kInfinity);
        require(solverFinite(model.cost[j]));
        if (!model.quadDiagonal.empty()) require(solverFinite(model.quadDiagonal[j]));
    }
}

void checkRows(const LinearModel& model) {
    const size_t m = model.rowNames.size();
    require(model.relation.size() == m && model.rhs.size() == m && model.rangeHigh.size() == m);
    for (size_t i = 0; i < m; ++i) {
        const char relation = model.relation[i];
        require(relation == 'E' || relation == 'L' || relation == 'G' || relation == 'N' ||
                relation == 'R');
        require(solverFinite(model.rhs[i]) && solverFinite(model.rangeHigh[i]));
        if (relation == 'R') require(model.rhs[i] < model.rangeHigh[i]);
    }
}

void checkMatrix(const LinearModel& model) {
    const int n = model.numCols();
    require(model.colStart.size() == static_cast<size_t>(n) + 1 && model.colStart[0] == 0);
    require(model.colStart[n] == model.numNonzeros());
    require(model.rowIndex.size() == model.value.size());
    for (int j = 0; j < n; ++j) {
        require(model.colStart[j] <= model.colStart[j + 1]);
        for (int k = model.colStart[j]; k < model.colStart[j + 1]; ++k) {
            require(model.rowIndex[k] >= 0 && model.rowIndex[k] < model.numRows());
            if (k > model.colStart[j]) require(model.rowIndex[k - 1] < model.rowIndex[k]);
            require(model.value[k] != 0.0 && solverFinite(model.value[k]));
        }
    }
}

void checkSets(const LinearModel& model) {
    const int sets = model.numSets();
    require(model.setStart.size() == static_cast<size_t>(sets) + 1 && model.setStart[0] == 0);
    require(model.setStart[sets] == static_cast<int>(model.setMembers.size()));
    require(model.setWeights.size() == model.setMembers.size());
    for (int k = 0; k < sets; ++k) {
        require(model.setType[k] == 1 || model.setType[k] == 2);
        require(model.setStart[k] < model.setStart[k + 1]);
        for (int p = model.setStart[k]; p < model.setStart[k + 1]; ++p) {
            require(model.setMembers[p] >= 0 && model.setMembers[p] < model.numCols());
            if (p > model.setStart[k]) require(model.setWeights[p - 1] < model.setWeights[p]);
        }
    }
}

}  // namespace
}  // namespace corvane::host

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace corvane::host;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    MemoryLineSource lines(bytes);
    LinearModel model;
    ReadError error;
    if (!readLp(lines, model, error)) {
        require(!error.message.empty());
        require(error.line <= lines.lineNumber());
        return 0;
    }
    require(std::isfinite(model.objConstant));
    checkColumns(model);
    checkRows(model);
    checkMatrix(model);
    checkSets(model);
    return 0;
}
