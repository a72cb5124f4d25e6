// Model files: fixed and free MPS and LP, each through the host kit's own reader, over plain,
// gzip or bzip2 files.
#include "platform/host/model/model_reader.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ostream>
#include <utility>
#include <vector>

#include "platform/host/model/file_line_source.h"
#include "platform/host/model/lp_reader.h"
#include "platform/host/model/mps_reader.h"

namespace corvane::host {

namespace {

bool endsWith(std::string text, const char* suffix) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const size_t length = std::strlen(suffix);
    return text.size() >= length && text.compare(text.size() - length, length, suffix) == 0;
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

LinearModel readLpFile(const std::string& path) {
    FileLineSource source(path);
    if (const ReadError* error = source.error()) throw ModelFileError(path, *error);
    LinearModel model;
    ReadError error;
    if (!readLp(source, model, error)) throw ModelFileError(path, error);
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
    LinearModel model =
        formatOfPath(path) == ModelFormat::Lp ? readLpFile(path) : readMpsFile(path, diagnostics);
    checkUsable(model, path);
    return model;
}

}  // namespace corvane::host
