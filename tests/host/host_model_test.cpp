// The providers over a model, and the evaluations the solver's request codes ask for.
#include <gtest/gtest.h>

#include <string>

#include "platform/host/model/host_model.h"
#include "platform/host/vrim_host.h"

namespace corvane::host {
namespace {

// max 3x + 2y + 5 (x integer, y semi-continuous in [0, 8], z semi-continuous in [2, 9])
// subject to  r0: 1 <= x + y <= 4 (ranged), r1: y - z = 0, r2: x + z free.
LinearModel smallModel() {
    LinearModel model;
    model.name = "small";
    model.colLower = {0.0, 0.0, 2.0};
    model.colUpper = {kInfinity, 8.0, 9.0};
    model.start = {0.0, 0.0, 0.0};
    model.kind = {ColumnKind::Integer, ColumnKind::SemiContinuous, ColumnKind::SemiContinuous};
    for (const char* name : {"x", "y", "a_rather_long_name"}) model.colNames.add(name);
    model.relation = {'R', 'E', 'N'};
    model.rhs = {1.0, 0.0, 0.0};
    model.rangeHigh = {4.0, 0.0, 0.0};
    for (const char* name : {"r0", "r1", "r2"}) model.rowNames.add(name);
    model.colStart = {0, 2, 4, 6};
    model.rowIndex = {0, 2, 0, 1, 1, 2};
    model.value = {1.0, 1.0, 1.0, 1.0, -1.0, 1.0};
    model.sense = ObjectiveSense::Maximize;
    model.cost = {3.0, 2.0, 0.0};
    model.objConstant = 5.0;
    model.setType = {2};
    model.setStart = {0, 2};
    model.setMembers = {0, 2};
    model.setWeights = {1.0, 2.0};
    return model;
}

std::string nameOf(EqnProvider& eqns, int index, int maxLen) {
    char buffer[80];
    eqns.inqNames(index, index, maxLen, buffer);
    return buffer;
}

TEST(HostModel, RangedRowBecomesTwoEquationsAfterTheModelRows) {
    const LinearModel model = smallModel();
    HostModel host(model);
    EqnProvider& eqns = host.eqns();
    ASSERT_EQ(eqns.inqNumEqns(), 4);
    const int* types = eqns.typeArray();
    EXPECT_EQ(u3rgmt_c(types[0]), VRIM_REL_GREATER);
    EXPECT_EQ(u3rgmt_c(types[1]), VRIM_REL_EQUAL);
    EXPECT_EQ(u3rgmt_c(types[2]), VRIM_REL_FREE);
    EXPECT_EQ(u3rgmt_c(types[3]), VRIM_REL_LESS);
    for (int e = 0; e < 4; ++e) EXPECT_NE(u3rinc_c(types[e]), 0);
    EXPECT_EQ(nameOf(eqns, 1, 64), "equ_r0");
    EXPECT_EQ(nameOf(eqns, 4, 64), "equ_r0_up");
    for (int e = 0; e < 4; ++e) EXPECT_EQ(eqns.multiplierArray()[e], 1.0);
}

TEST(HostModel, ResidualIsActivityMinusRightHandSideAtTheCurrentPoint) {
    const LinearModel model = smallModel();
    HostModel host(model);
    host.evaluateResiduals();
    const double* residuals = host.eqns().residualArray();
    EXPECT_EQ(std::vector<double>(residuals, residuals + 4),
              (std::vector<double>{-1.0, 0.0, 0.0, -4.0}));

    double* values = host.vars().valueArray();
    values[0] = 2.0;
    values[1] = 3.0;
    values[2] = 0.5;
    host.evaluateResiduals();
    EXPECT_EQ(std::vector<double>(residuals, residuals + 4),
              (std::vector<double>{4.0, 2.5, 2.5, 1.0}));
}

TEST(HostModel, JacobianRepeatsRangedRowElementsForTheUpperEquation) {
    const LinearModel model = smallModel();
    HostModel host(model);
    DerivProvider& derivs = host.derivs();
    ASSERT_EQ(derivs.inqNumElements(), 8);
    const std::vector<int> rows(derivs.rowArray(), derivs.rowArray() + 8);
    const std::vector<int> cols(derivs.colArray(), derivs.colArray() + 8);
    const std::vector<double> values(derivs.valueArray(), derivs.valueArray() + 8);
    EXPECT_EQ(rows, (std::vector<int>{1, 4, 3, 1, 4, 2, 2, 3}));
    EXPECT_EQ(cols, (std::vector<int>{1, 1, 1, 2, 2, 2, 3, 3}));
    EXPECT_EQ(values, (std::vector<double>{1, 1, 1, 1, 1, 1, -1, 1}));
}

TEST(HostModel, ObjectiveInMinimisationFormWithTheSenseRestoringIt) {
    LinearModel model = smallModel();
    model.quadDiagonal = {0.0, -4.0, 0.0};
    HostModel host(model);
    ObjProvider& obj = host.objective();
    ASSERT_EQ(obj.inqNumTerms(), 2);
    int indices[2];
    double first[2];
    double second[2];
    obj.inqVarIndices(indices);
    obj.inqDerivatives(first, second, nullptr);
    EXPECT_EQ(obj.inqSense(), -1);
    EXPECT_EQ(indices[0], 1);
    EXPECT_EQ(indices[1], 2);
    // What the solver loads is sense times the derivatives: the model's own coefficients.
    EXPECT_EQ(obj.inqSense() * first[0], 3.0);
    EXPECT_EQ(obj.inqSense() * first[1], 2.0);
    EXPECT_EQ(obj.inqSense() * second[1], -4.0);
    EXPECT_EQ(second[0], 0.0);

    host.values() = {1.0, 2.0, 3.0};
    EXPECT_DOUBLE_EQ(host.objectiveAt(), 3.0 + 4.0 - 8.0 + 5.0);
}

TEST(HostModel, VariableWordsNamesAndBounds) {
    const LinearModel model = smallModel();
    HostModel host(model);
    VarProvider& vars = host.vars();
    const int* types = vars.typeArray();
    EXPECT_EQ(varInqType(types[0]), VRIM_VAR_INTEGER);
    // Semi-continuous with a zero lower end is just continuous.
    EXPECT_NE(varInqType(types[1]), VRIM_VAR_SEMICONTINUOUS);
    EXPECT_EQ(varInqType(types[2]), VRIM_VAR_SEMICONTINUOUS);
    for (int j = 0; j < 3; ++j) EXPECT_EQ(varIsFixed(types[j]), 0);
    EXPECT_DOUBLE_EQ(vars.lowerArray()[2], 2.0);
    EXPECT_DOUBLE_EQ(vars.upperArray()[1], 8.0);

    char buffer[16];
    vars.inqNames(3, 3, 10, buffer);
    EXPECT_EQ(std::string(buffer), "var_a_rath");
    vars.inqNames(1, 1, 3, buffer);
    EXPECT_EQ(std::string(buffer), "var");
    EXPECT_NE(vars.inqNames(4, 4, 10, buffer), 0);
    EXPECT_EQ(std::string(buffer), "");
}

TEST(HostModel, SetsAreOneBased) {
    const LinearModel model = smallModel();
    HostModel host(model);
    SetProvider& sets = host.sets();
    EXPECT_EQ(sets.inqNumSets(), 1);
    EXPECT_EQ(sets.inqNumSetsOfType(1), 0);
    EXPECT_EQ(sets.inqNumSetsOfType(2), 1);
    EXPECT_EQ(sets.inqSetType(0), 2);
    ASSERT_EQ(sets.inqNumMembers(0), 2);
    int members[2];
    sets.inqMembers(0, members);
    EXPECT_EQ(members[0], 1);
    EXPECT_EQ(members[1], 3);
    EXPECT_EQ(sets.inqNumMembers(1), 0);
}

TEST(HostModel, RowResultsCombineTheTwoEquationsOfARangedRow) {
    const LinearModel model = smallModel();
    HostModel host(model);
    host.values() = {3.0, 1.0, 1.0};
    double* duals = host.eqns().dualArray();
    int* basis = host.eqns().basisArray();
    duals[0] = 0.0;
    duals[3] = -2.0;  // the upper end is the active one
    basis[0] = kBasicStatus;
    basis[3] = 2;
    EXPECT_EQ(host.rowActivities()[0], 4.0);
    EXPECT_EQ(host.rowDual(0), -2.0);
    EXPECT_EQ(host.rowBasis(0), 2);
    basis[1] = 0;
    EXPECT_EQ(host.rowBasis(1), 0);
}

}  // namespace
}  // namespace corvane::host
