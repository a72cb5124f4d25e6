#include "platform/host/model/host_model.h"

#include <algorithm>
#include <cstring>

#include "platform/host/vrim_host.h"

namespace corvane::host {

namespace {

// A semi-continuous column whose lower end is not above zero is an ordinary continuous column:
// it may already be zero. Only one with a positive lower end is a semi-continuous entity.
int variableWord(ColumnKind kind, double lower) {
    if (kind == ColumnKind::Integer) return vrim_var_word(VRIM_VAR_INTEGER, 0);
    if (kind == ColumnKind::SemiContinuous && lower > 0.0)
        return vrim_var_word(VRIM_VAR_SEMICONTINUOUS, 0);
    return vrim_var_word(0, 0);
}

int equationWord(RowRelation relation) {
    switch (relation) {
        case 'E':
            return vrim_eqn_word(VRIM_REL_EQUAL, 1);
        case 'L':
            return vrim_eqn_word(VRIM_REL_LESS, 1);
        case 'G':
        case 'R':
            return vrim_eqn_word(VRIM_REL_GREATER, 1);
        default:
            return vrim_eqn_word(VRIM_REL_FREE, 1);
    }
}

}  // namespace

HostModel::HostModel(const LinearModel& model) : model_(model), sets_(model) {
    const size_t n = static_cast<size_t>(model.numCols());
    values_ = model.start;
    values_.resize(n, 0.0);
    lower_ = model.colLower;
    upper_ = model.colUpper;
    reducedCosts_.assign(n, 0.0);
    colBasis_.assign(n, 0);
    varTypes_.resize(n);
    for (size_t j = 0; j < n; ++j) varTypes_[j] = variableWord(model.kind[j], model.colLower[j]);
    layOutEquations();
    layOutJacobian();
    layOutObjective();
}

void HostModel::layOutEquations() {
    const int m = model_.numRows();
    const int count = m + model_.numRanged();
    eqnRow_.resize(count);
    eqnRhs_.resize(count);
    eqnTypes_.resize(count);
    upperEquation_.assign(m, -1);
    int next = m;
    for (int r = 0; r < m; ++r) {
        eqnRow_[r] = r;
        eqnRhs_[r] = model_.rhs[r];
        eqnTypes_[r] = equationWord(model_.relation[r]);
        if (model_.relation[r] != 'R') continue;
        upperEquation_[r] = next;
        eqnRow_[next] = r;
        eqnRhs_[next] = model_.rangeHigh[r];
        eqnTypes_[next] = vrim_eqn_word(VRIM_REL_LESS, 1);
        ++next;
    }
    residuals_.assign(count, 0.0);
    multipliers_.assign(count, 1.0);
    duals_.assign(count, 0.0);
    eqnBasis_.assign(count, 0);
    activities_.assign(m, 0.0);
}

void HostModel::layOutJacobian() {
    size_t elements = model_.value.size();
    for (int row : model_.rowIndex)
        if (upperEquation_[row] >= 0) ++elements;
    jacRows_.resize(elements);
    jacCols_.resize(elements);
    jacValues_.resize(elements);
    size_t k = 0;
    for (int j = 0; j < model_.numCols(); ++j) {
        for (int p = model_.colStart[j]; p < model_.colStart[j + 1]; ++p) {
            const int row = model_.rowIndex[p];
            jacRows_[k] = row + 1;
            jacCols_[k++] = j + 1;
            if (upperEquation_[row] < 0) continue;
            jacRows_[k] = upperEquation_[row] + 1;
            jacCols_[k++] = j + 1;
        }
    }
    evaluateDerivatives();
}

void HostModel::layOutObjective() {
    const int n = model_.numCols();
    const bool quadratic = model_.isQuadratic();
    int terms = 0;
    for (int j = 0; j < n; ++j)
        if (model_.cost[j] != 0.0 || (quadratic && model_.quadDiagonal[j] != 0.0)) ++terms;
    objIndices_.resize(terms);
    objFirst_.resize(terms);
    objSecond_.resize(terms);
    objSense_ = model_.sense == ObjectiveSense::Maximize ? -1 : 1;
    const double toMinimisation = objSense_;
    int t = 0;
    for (int j = 0; j < n; ++j) {
        const double second = quadratic ? model_.quadDiagonal[j] : 0.0;
        if (model_.cost[j] == 0.0 && second == 0.0) continue;
        objIndices_[t] = j + 1;
        objFirst_[t] = toMinimisation * model_.cost[j];
        objSecond_[t] = toMinimisation * second;
        ++t;
    }
}

void HostModel::computeActivities() {
    std::fill(activities_.begin(), activities_.end(), 0.0);
    for (int j = 0; j < model_.numCols(); ++j) {
        const double x = values_[j];
        if (x == 0.0) continue;
        for (int p = model_.colStart[j]; p < model_.colStart[j + 1]; ++p)
            activities_[model_.rowIndex[p]] += model_.value[p] * x;
    }
}

void HostModel::evaluateResiduals() {
    computeActivities();
    for (size_t e = 0; e < eqnRow_.size(); ++e)
        residuals_[e] = activities_[eqnRow_[e]] - eqnRhs_[e];
}

void HostModel::evaluateDerivatives() {
    size_t k = 0;
    for (int j = 0; j < model_.numCols(); ++j) {
        for (int p = model_.colStart[j]; p < model_.colStart[j + 1]; ++p) {
            jacValues_[k++] = model_.value[p];
            if (upperEquation_[model_.rowIndex[p]] >= 0) jacValues_[k++] = model_.value[p];
        }
    }
}

const std::vector<double>& HostModel::rowActivities() {
    computeActivities();
    return activities_;
}

double HostModel::rowDual(int row) const {
    const int upper = upperEquation_[row];
    return duals_[row] + (upper >= 0 ? duals_[upper] : 0.0);
}

// A ranged row is at one of its ends at most: its status is that of the end that is not basic.
int HostModel::rowBasis(int row) const {
    const int upper = upperEquation_[row];
    if (upper >= 0 && eqnBasis_[row] == kBasicStatus) return eqnBasis_[upper];
    return eqnBasis_[row];
}

double HostModel::objectiveAt() const {
    double total = model_.objConstant;
    for (int j = 0; j < model_.numCols(); ++j) {
        const double x = values_[j];
        total += model_.cost[j] * x;
        if (model_.isQuadratic()) total += 0.5 * model_.quadDiagonal[j] * x * x;
    }
    return total;
}

// One name per call (first = last, as the solver asks): prefix, name and suffix, cut to maxLen.
int HostModel::copyName(std::string_view prefix, std::string_view name, std::string_view suffix,
                        int maxLen, char* buffer) const {
    if (!buffer || maxLen < 0) return 1;
    size_t room = static_cast<size_t>(maxLen);
    char* out = buffer;
    for (std::string_view part : {prefix, name, suffix}) {
        const size_t length = std::min(room, part.size());
        if (length > 0) std::memcpy(out, part.data(), length);  // an empty part may have no data
        out += length;
        room -= length;
    }
    *out = '\0';
    return 0;
}

int ModelVars::inqNumVars() {
    return host_.model_.numCols();
}
double* ModelVars::valueArray() {
    return host_.values_.data();
}
double* ModelVars::lowerArray() {
    return host_.lower_.data();
}
double* ModelVars::upperArray() {
    return host_.upper_.data();
}
double* ModelVars::reducedCostArray() {
    return host_.reducedCosts_.data();
}
int* ModelVars::typeArray() {
    return host_.varTypes_.data();
}
int* ModelVars::basisArray() {
    return host_.colBasis_.data();
}
int ModelVars::inqNames(int first, int, int maxLen, char* buffer) {
    if (first < 1 || first > inqNumVars()) {
        if (buffer) buffer[0] = '\0';
        return 1;
    }
    return host_.copyName(kVariablePrefix, host_.model_.colNames[first - 1], {}, maxLen, buffer);
}

int ModelEqns::inqNumEqns() {
    return host_.numEquations();
}
double* ModelEqns::residualArray() {
    return host_.residuals_.data();
}
double* ModelEqns::multiplierArray() {
    return host_.multipliers_.data();
}
int* ModelEqns::typeArray() {
    return host_.eqnTypes_.data();
}
double* ModelEqns::dualArray() {
    return host_.duals_.data();
}
int* ModelEqns::basisArray() {
    return host_.eqnBasis_.data();
}
int ModelEqns::inqNames(int first, int, int maxLen, char* buffer) {
    if (first < 1 || first > inqNumEqns()) {
        if (buffer) buffer[0] = '\0';
        return 1;
    }
    const int row = host_.eqnRow_[first - 1];
    const std::string_view suffix = first - 1 == row ? std::string_view() : kRangeUpperSuffix;
    return host_.copyName(kEquationPrefix, host_.model_.rowNames[row], suffix, maxLen, buffer);
}

int ModelDerivs::inqNumElements() {
    return static_cast<int>(host_.jacValues_.size());
}
int* ModelDerivs::rowArray() {
    return host_.jacRows_.data();
}
int* ModelDerivs::colArray() {
    return host_.jacCols_.data();
}
double* ModelDerivs::valueArray() {
    return host_.jacValues_.data();
}

int ModelObjective::prepare(int* status) {
    if (status) *status = 0;
    return 0;
}
int ModelObjective::inqNumTerms() {
    return static_cast<int>(host_.objIndices_.size());
}
int ModelObjective::inqVarIndices(int* indices) {
    std::copy(host_.objIndices_.begin(), host_.objIndices_.end(), indices);
    return 0;
}
int ModelObjective::inqSense() {
    return host_.objSense_;
}
int ModelObjective::inqDerivatives(double* first, double* second, int* status) {
    if (first) std::copy(host_.objFirst_.begin(), host_.objFirst_.end(), first);
    if (second) std::copy(host_.objSecond_.begin(), host_.objSecond_.end(), second);
    if (status) *status = 0;
    return 0;
}

int ModelSets::inqNumSets() {
    return model_.numSets();
}
int ModelSets::inqNumSetsOfType(int type) {
    return static_cast<int>(std::count(model_.setType.begin(), model_.setType.end(), type));
}
int ModelSets::inqSetType(int set) {
    return validSet(set) ? model_.setType[set] : 0;
}
int ModelSets::inqNumMembers(int set) {
    return validSet(set) ? model_.setStart[set + 1] - model_.setStart[set] : 0;
}
int ModelSets::inqMembers(int set, int* members) {
    if (!validSet(set)) return 1;
    for (int p = model_.setStart[set]; p < model_.setStart[set + 1]; ++p)
        *members++ = model_.setMembers[p] + 1;
    return 0;
}

}  // namespace corvane::host
