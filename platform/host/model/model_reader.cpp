// Model files through CoinUtils: CoinMpsIO for fixed and free MPS, CoinLpIO for LP. Both readers
// answer the same inquiries, so one template copies either into a LinearModel.
#include "platform/host/model/model_reader.h"

#include <CoinError.hpp>
#include <CoinLpIO.hpp>
#include <CoinMessageHandler.hpp>
#include <CoinMpsIO.hpp>
#include <CoinPackedMatrix.hpp>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>

namespace corvane::host {

namespace {

// CoinUtils numbers its messages by severity: below 3000 information, then warnings and errors.
constexpr int kFirstWarningNumber = 3000;

class DiagnosticsHandler : public CoinMessageHandler {
  public:
    explicit DiagnosticsHandler(std::ostream* out) : out_(out) { setLogLevel(1); }
    void silence(bool silent) { silent_ = silent; }
    int print() override {
        if (out_ && !silent_ && currentMessage().externalNumber() >= kFirstWarningNumber)
            *out_ << messageBuffer() << '\n';
        return 0;
    }

  private:
    std::ostream* out_;
    bool silent_ = false;
};

bool endsWith(std::string text, const char* suffix) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const size_t length = std::strlen(suffix);
    return text.size() >= length && text.compare(text.size() - length, length, suffix) == 0;
}

double normalisedBound(double value) {
    if (value >= kInfiniteBound) return kInfinity;
    if (value <= -kInfiniteBound) return -kInfinity;
    return value;
}

template <typename Reader>
void copyColumns(const Reader& reader, LinearModel& model) {
    const int n = reader.getNumCols();
    const double* lower = reader.getColLower();
    const double* upper = reader.getColUpper();
    const double* cost = reader.getObjCoefficients();
    const char* integers = reader.integerColumns();
    model.colLower.resize(n);
    model.colUpper.resize(n);
    model.start.assign(n, 0.0);
    model.cost.assign(cost, cost + n);
    model.kind.resize(n);
    size_t characters = 0;
    for (int j = 0; j < n; ++j) characters += std::strlen(reader.columnName(j));
    model.colNames.reserve(n, characters);
    for (int j = 0; j < n; ++j) {
        model.colLower[j] = normalisedBound(lower[j]);
        model.colUpper[j] = normalisedBound(upper[j]);
        // 1 marks an integer column; the readers use other non-zero marks for semi-continuous.
        const char mark = integers ? integers[j] : 0;
        model.kind[j] = mark == 0   ? ColumnKind::Continuous
                        : mark == 1 ? ColumnKind::Integer
                                    : ColumnKind::SemiContinuous;
        model.colNames.add(reader.columnName(j));
    }
}

template <typename Reader>
void copyRows(const Reader& reader, LinearModel& model) {
    const int m = reader.getNumRows();
    const double* lower = reader.getRowLower();
    const double* upper = reader.getRowUpper();
    model.relation.resize(m);
    model.rhs.resize(m);
    model.rangeHigh.assign(m, 0.0);
    size_t characters = 0;
    for (int i = 0; i < m; ++i) characters += std::strlen(reader.rowName(i));
    model.rowNames.reserve(m, characters);
    for (int i = 0; i < m; ++i) {
        const RowRelation relation = relationOfBounds(lower[i], upper[i]);
        model.relation[i] = relation;
        model.rhs[i] = relation == 'L' ? upper[i] : relation == 'N' ? 0.0 : lower[i];
        if (relation == 'R') model.rangeHigh[i] = upper[i];
        model.rowNames.add(reader.rowName(i));
    }
}

void copyMatrix(const CoinPackedMatrix& byColumn, LinearModel& model) {
    const int n = byColumn.getNumCols();
    const CoinBigIndex* starts = byColumn.getVectorStarts();
    const int* lengths = byColumn.getVectorLengths();
    const int* indices = byColumn.getIndices();
    const double* elements = byColumn.getElements();
    model.colStart.assign(n + 1, 0);
    model.rowIndex.resize(byColumn.getNumElements());
    model.value.resize(byColumn.getNumElements());
    int position = 0;
    for (int j = 0; j < n; ++j) {
        for (CoinBigIndex k = starts[j]; k < starts[j] + lengths[j]; ++k) {
            model.rowIndex[position] = indices[k];
            model.value[position] = elements[k];
            ++position;
        }
        model.colStart[j + 1] = position;
    }
    model.rowIndex.resize(position);
    model.value.resize(position);
}

// The solver takes a set's members in order as its weights 1, 2, 3, ...: that order has to be the
// order of the model's weights, which matters for adjacency in SOS2.
void orderMembersByWeight(LinearModel& model) {
    std::vector<std::pair<double, int>> scratch(model.setMembers.size());
    for (size_t p = 0; p < scratch.size(); ++p)
        scratch[p] = {model.setWeights[p], model.setMembers[p]};
    for (int k = 0; k < model.numSets(); ++k)
        std::stable_sort(scratch.begin() + model.setStart[k],
                         scratch.begin() + model.setStart[k + 1],
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t p = 0; p < scratch.size(); ++p) {
        model.setWeights[p] = scratch[p].first;
        model.setMembers[p] = scratch[p].second;
    }
}

void copySets(int numberSets, CoinSet* const* sets, LinearModel& model) {
    size_t members = 0;
    for (int k = 0; k < numberSets; ++k) members += sets[k]->numberEntries();
    model.setType.resize(numberSets);
    model.setStart.assign(numberSets + 1, 0);
    model.setMembers.resize(members);
    model.setWeights.resize(members);
    int position = 0;
    for (int k = 0; k < numberSets; ++k) {
        const CoinSet& set = *sets[k];
        if (set.setType() != 1 && set.setType() != 2)
            throw ModelError("set " + std::to_string(k + 1) + " has type " +
                             std::to_string(set.setType()) + "; only SOS1 and SOS2 are supported");
        model.setType[k] = set.setType();
        for (int e = 0; e < set.numberEntries(); ++e) {
            model.setMembers[position] = set.which()[e];
            model.setWeights[position] = set.weights() ? set.weights()[e] : e + 1.0;
            ++position;
        }
        model.setStart[k + 1] = position;
    }
    orderMembersByWeight(model);
}

// Only a diagonal quadratic objective has a place in the host's objective provider.
void copyQuadratic(const LinearModel& shape, const CoinBigIndex* starts, const int* columns,
                   const double* elements, LinearModel& model) {
    const int n = shape.numCols();
    model.quadDiagonal.assign(n, 0.0);
    for (int j = 0; j < n; ++j) {
        for (CoinBigIndex k = starts[j]; k < starts[j + 1]; ++k) {
            if (elements[k] == 0.0) continue;
            if (columns[k] != j)
                throw ModelError("the objective has the off-diagonal quadratic term (" +
                                 std::string(shape.colNames[j]) + ", " +
                                 std::string(shape.colNames[columns[k]]) +
                                 "); only separable quadratic objectives are supported");
            model.quadDiagonal[j] += elements[k];
        }
    }
}

void readQuadraticPart(CoinMpsIO& reader, DiagnosticsHandler& handler, LinearModel& model) {
    CoinBigIndex* starts = nullptr;
    int* columns = nullptr;
    double* elements = nullptr;
    // A file without a quadratic section makes the reader complain about its end: not an error.
    handler.silence(true);
    const int result = reader.readQuadraticMps(nullptr, starts, columns, elements, 0);
    handler.silence(false);
    const std::unique_ptr<CoinBigIndex[]> ownStarts(starts);
    const std::unique_ptr<int[]> ownColumns(columns);
    const std::unique_ptr<double[]> ownElements(elements);
    if (result != 0 || !starts) return;
    copyQuadratic(model, starts, columns, elements, model);
}

LinearModel readMpsFile(const std::string& path, DiagnosticsHandler& handler) {
    CoinMpsIO reader;
    reader.passInMessageHandler(&handler);
    int numberSets = 0;
    CoinSet** sets = nullptr;
    const int errors = reader.readMps(path.c_str(), "", numberSets, sets);
    const auto releaseSets = [&] {
        for (int k = 0; k < numberSets; ++k) delete sets[k];
        delete[] sets;
    };
    if (errors != 0) {
        releaseSets();
        if (errors < 0) throw ModelError("cannot read the MPS file " + path);
        throw ModelError(path + ": " + std::to_string(errors) + " error(s) in the MPS file");
    }
    LinearModel model;
    model.name = reader.getProblemName();
    try {
        copyColumns(reader, model);
        copyRows(reader, model);
        copyMatrix(*reader.getMatrixByCol(), model);
        copySets(numberSets, sets, model);
        // A right-hand side on the objective row moves the constant across: it is its negative.
        model.objConstant = 0.0 - reader.objectiveOffset();
        readQuadraticPart(reader, handler, model);
    } catch (...) {
        releaseSets();
        throw;
    }
    releaseSets();
    return model;
}

LinearModel readLpFile(const std::string& path, DiagnosticsHandler& handler) {
    CoinLpIO reader;
    reader.passInMessageHandler(&handler);
    try {
        reader.readLp(path.c_str());
    } catch (const CoinError& error) {
        throw ModelError(path + ": " + error.message());
    }
    if (reader.getNumCols() == 0 && reader.getNumRows() == 0)
        throw ModelError(path + ": the LP file holds no model");
    LinearModel model;
    model.name = reader.getProblemName();
    copyColumns(reader, model);
    copyRows(reader, model);
    copyMatrix(*reader.getMatrixByCol(), model);
    copySets(reader.numberSets(), reader.setInformation(), model);
    // The reader turns a maximisation into a minimisation but keeps the constant as written.
    model.objConstant = reader.objectiveOffset();
    if (reader.wasMaximization()) {
        model.sense = ObjectiveSense::Maximize;
        for (double& c : model.cost) c = -c;
    }
    return model;
}

void checkUsable(const LinearModel& model, const std::string& path) {
    if (model.numCols() == 0) throw ModelError(path + ": the model has no columns");
}

}  // namespace

ModelFormat formatOfPath(const std::string& path) {
    return endsWith(path, ".lp") || endsWith(path, ".lp.gz") ? ModelFormat::Lp : ModelFormat::Mps;
}

LinearModel readModel(const std::string& path, std::ostream* diagnostics) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored) || !std::ifstream(path))
        throw ModelError("cannot open the model file " + path);
    DiagnosticsHandler handler(diagnostics);
    LinearModel model = formatOfPath(path) == ModelFormat::Lp ? readLpFile(path, handler)
                                                              : readMpsFile(path, handler);
    checkUsable(model, path);
    return model;
}

}  // namespace corvane::host
