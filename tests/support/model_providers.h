// Providers over a small model held in vectors, for driving the solver's three calls by hand.
#ifndef CORVANE_TESTS_SUPPORT_MODEL_PROVIDERS_H
#define CORVANE_TESTS_SUPPORT_MODEL_PROVIDERS_H

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "host/providers.h"

namespace corvane::test {

using corvane::destroyObject;

inline int copyName(const std::vector<std::string>& names, int index, int maxLen, char* buffer) {
    const std::string& name = names.at(static_cast<size_t>(index - 1));
    const size_t length = std::min(name.size(), static_cast<size_t>(maxLen));
    std::memcpy(buffer, name.data(), length);
    buffer[length] = '\0';
    return 0;
}

struct VectorVars : VarProvider {
    void* deletingDestructor(unsigned int flags) override { return destroyObject(this, flags); }
    std::vector<double> values, lower, upper, reducedCosts;
    std::vector<int> types, basis;
    std::vector<std::string> names;  // with the host's four-character prefix
    std::vector<int> nameRequests;   // 1-based indices inqNames was asked for

    explicit VectorVars(std::vector<double> start) : values(std::move(start)) {
        const size_t n = values.size();
        lower.assign(n, 0.0);
        upper.assign(n, 1e20);
        reducedCosts.assign(n, 0.0);
        types.assign(n, 0);
        basis.assign(n, 0);
        for (size_t j = 0; j < n; ++j) names.push_back("var_x" + std::to_string(j + 1));
    }
    int inqNumVars() override { return static_cast<int>(values.size()); }
    double* valueArray() override { return values.data(); }
    double* lowerArray() override { return lower.data(); }
    double* upperArray() override { return upper.data(); }
    double* reducedCostArray() override { return reducedCosts.data(); }
    int* typeArray() override { return types.data(); }
    int inqNames(int first, int, int maxLen, char* buffer) override {
        nameRequests.push_back(first);
        return copyName(names, first, maxLen, buffer);
    }
    int* basisArray() override { return basis.data(); }
};

struct VectorEqns : EqnProvider {
    void* deletingDestructor(unsigned int flags) override { return destroyObject(this, flags); }
    std::vector<double> residuals, multipliers, duals;
    std::vector<int> types, basis;
    std::vector<std::string> names;

    explicit VectorEqns(std::vector<double> residualsAtZero)
        : residuals(std::move(residualsAtZero)) {
        const size_t m = residuals.size();
        multipliers.assign(m, 1.0);
        duals.assign(m, 0.0);
        types.assign(m, 0);
        basis.assign(m, 0);
        for (size_t i = 0; i < m; ++i) names.push_back("equ_e" + std::to_string(i + 1));
    }
    int inqNumEqns() override { return static_cast<int>(residuals.size()); }
    double* residualArray() override { return residuals.data(); }
    double* multiplierArray() override { return multipliers.data(); }
    int* typeArray() override { return types.data(); }
    double* dualArray() override { return duals.data(); }
    int inqNames(int first, int, int maxLen, char* buffer) override {
        return copyName(names, first, maxLen, buffer);
    }
    int* basisArray() override { return basis.data(); }
};

struct VectorDerivs : DerivProvider {
    void* deletingDestructor(unsigned int flags) override { return destroyObject(this, flags); }
    std::vector<int> rows, cols;  // 1-based
    std::vector<double> values;
    int inqNumElements() override { return static_cast<int>(values.size()); }
    int* rowArray() override { return rows.data(); }
    int* colArray() override { return cols.data(); }
    double* valueArray() override { return values.data(); }
};

struct VectorObj : ObjProvider {
    void* deletingDestructor(unsigned int flags) override { return destroyObject(this, flags); }
    std::vector<int> indices;  // 1-based, ascending
    std::vector<double> first, second;
    int sense = 1;
    int prepare(int*) override { return 0; }
    int inqNumTerms() override { return static_cast<int>(indices.size()); }
    int inqVarIndices(int* out) override {
        std::copy(indices.begin(), indices.end(), out);
        return 0;
    }
    int inqSense() override { return sense; }
    int inqDerivatives(double* firstOut, double* secondOut, int*) override {
        std::copy(first.begin(), first.end(), firstOut);
        std::copy(second.begin(), second.end(), secondOut);
        return 0;
    }
};

struct VectorSets : SetProvider {
    void* deletingDestructor(unsigned int flags) override { return destroyObject(this, flags); }
    std::vector<int> types;
    std::vector<std::vector<int>> members;  // 1-based variable indices
    int inqNumSets() override { return static_cast<int>(types.size()); }
    int inqNumSetsOfType(int type) override {
        return static_cast<int>(std::count(types.begin(), types.end(), type));
    }
    int inqSetType(int set) override { return types.at(static_cast<size_t>(set)); }
    int inqNumMembers(int set) override {
        return static_cast<int>(members.at(static_cast<size_t>(set)).size());
    }
    int inqMembers(int set, int* out) override {
        const std::vector<int>& list = members.at(static_cast<size_t>(set));
        std::copy(list.begin(), list.end(), out);
        return 0;
    }
};

}  // namespace corvane::test

#endif
