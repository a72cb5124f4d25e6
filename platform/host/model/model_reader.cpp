// Model files: fixed and free MPS through the host kit's own reader; LP files through CoinLpIO,
// whose inquiries one template copies into a LinearModel.
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

#include "platform/host/model/file_line_source.h"
#include "platform/host/model/mps_reader.h"

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
}

LinearModel readLpFile(const std::string& path, DiagnosticsHandler& handler) {
    {
        // The file has to open as one that the host kit reads, whatever CoinLpIO makes of it.
        FileLineSource source(path);
        if (const ReadError* error = source.error()) throw ModelFileError(path, *error);
    }
    CoinLpIO reader;
    reader.passInMessageHandler(&handler);
    try {
        reader.readLp(path.c_str());
    } catch (const CoinError& error) {
        throw ModelFileError(path, {0, error.message()});
    }
    if (reader.getNumCols() == 0 && reader.getNumRows() == 0)
        throw ModelFileError(path, {0, "the LP file holds no model"});
    LinearModel model;
    model.name = reader.getProblemName();
    copyColumns(reader, model);
    copyRows(reader, model);
    copyMatrix(*reader.getMatrixByCol(), model);
    copySets(reader.numberSets(), reader.setInformation(), model);
    orderMembersByWeight(model);
    // The reader turns a maximisation into a minimisation but keeps the constant as written.
    model.objConstant = reader.objectiveOffset();
    if (reader.wasMaximization()) {
        model.sense = ObjectiveSense::Maximize;
        for (double& c : model.cost) c = -c;
    }
    return model;
}

LinearModel readMpsFile(const std::string& path, std::ostream* diagnostics) {
    FileLineSource source(path);
    if (const ReadError* error = source.error()) throw ModelFileError(path, *error);
    LinearModel model;
    ReadError error;
    std::vector<ReadError> warnings;
    const bool read = readMps(source, MpsFormat::Fixed, model, error, &warnings);
    if (diagnostics)
        for (const ReadError& warning : warnings)
            *diagnostics
                << ModelFileError(path, {warning.line, "warning: " + warning.message}).what()
                << '\n';
    if (!read) throw ModelFileError(path, error);
    orderMembersByWeight(model);
    return model;
}

void checkUsable(const LinearModel& model, const std::string& path) {
    if (model.numCols() == 0) throw ModelFileError(path, {0, "the model has no columns"});
}

std::string locatedMessage(const std::string& path, const ReadError& error) {
    if (error.line == 0) return path + ": " + error.message;
    return path + ":" + std::to_string(error.line) + ": " + error.message;
}

}  // namespace

ModelFileError::ModelFileError(const std::string& path, const ReadError& error)
    : ModelError(locatedMessage(path, error)), line_(error.line), message_(error.message) {}

ModelFormat formatOfPath(const std::string& path) {
    return endsWith(path, ".lp") || endsWith(path, ".lp.gz") || endsWith(path, ".lp.bz2")
               ? ModelFormat::Lp
               : ModelFormat::Mps;
}

LinearModel readModel(const std::string& path, std::ostream* diagnostics) {
    DiagnosticsHandler handler(diagnostics);
    LinearModel model = formatOfPath(path) == ModelFormat::Lp ? readLpFile(path, handler)
                                                              : readMpsFile(path, diagnostics);
    checkUsable(model, path);
    return model;
}

}  // namespace corvane::host
