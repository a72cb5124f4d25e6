// Reading model files: what each format brings into the model, and what is refused.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/host/model/model_reader.h"

namespace corvane::host {
namespace {

const std::string kExamples = CORVANE_EXAMPLES_DIR;
const std::string kSamples = COIN_SAMPLE_DATA;

std::string writeFile(const std::string& name, const std::string& text) {
    const std::string path = testing::TempDir() + name;
    std::ofstream(path) << text;
    return path;
}

LinearModel read(const std::string& path) {
    std::ostringstream diagnostics;
    return readModel(path, &diagnostics);
}

TEST(ModelReader, FixedMpsSampleHasItsSizesAndNames) {
    const LinearModel model = read(kSamples + "/afiro.mps");
    EXPECT_EQ(model.numRows(), 27);
    EXPECT_EQ(model.numCols(), 32);
    EXPECT_EQ(model.numNonzeros(), 83);
    EXPECT_EQ(model.colNames[0], "X01");
    EXPECT_EQ(model.rowNames[0], "R09");
    EXPECT_EQ(model.colStart.back(), 83);
    EXPECT_FALSE(model.hasIntegers());
    EXPECT_EQ(model.sense, ObjectiveSense::Minimize);
}

TEST(ModelReader, ObjectiveRowRightHandSideIsTheNegatedConstant) {
    EXPECT_DOUBLE_EQ(read(kSamples + "/e226.mps").objConstant, 7.113);
    EXPECT_DOUBLE_EQ(read(kExamples + "/blend.mps").objConstant, 1.5);
}

TEST(ModelReader, RangesBoundsAndRelations) {
    const LinearModel model = read(kExamples + "/blend.mps");
    ASSERT_EQ(model.numRows(), 2);
    EXPECT_EQ(model.relation[0], 'R');
    EXPECT_DOUBLE_EQ(model.rhs[0], 4.0);
    EXPECT_DOUBLE_EQ(model.rangeHigh[0], 6.0);
    EXPECT_EQ(model.relation[1], 'L');
    EXPECT_DOUBLE_EQ(model.rhs[1], 1.0);
    EXPECT_DOUBLE_EQ(model.colUpper[0], 3.0);
    EXPECT_EQ(model.colUpper[1], kInfinity);
}

TEST(ModelReader, LpMaximisationKeepsTheModelsOwnCoefficientsAndConstant) {
    const LinearModel model = read(kExamples + "/production.lp");
    EXPECT_EQ(model.sense, ObjectiveSense::Maximize);
    EXPECT_EQ(model.cost, (std::vector<double>{30.0, 50.0}));
    EXPECT_DOUBLE_EQ(model.objConstant, -100.0);
    EXPECT_EQ(model.relation, (std::vector<RowRelation>{'L', 'L', 'G'}));
    EXPECT_EQ(model.rowNames[2], "chair_demand");
}

TEST(ModelReader, IntegerSemiContinuousAndSets) {
    const LinearModel knapsack = read(kExamples + "/knapsack.lp");
    for (ColumnKind kind : knapsack.kind) EXPECT_EQ(kind, ColumnKind::Integer);
    EXPECT_DOUBLE_EQ(knapsack.colUpper[0], 1.0);

    const LinearModel semi = read(kExamples + "/semicontinuous.mps");
    EXPECT_EQ(semi.kind[0], ColumnKind::SemiContinuous);
    EXPECT_DOUBLE_EQ(semi.colLower[0], 2.0);
    EXPECT_DOUBLE_EQ(semi.colUpper[0], 10.0);
    EXPECT_EQ(semi.kind[1], ColumnKind::Continuous);

    const LinearModel sos = read(kExamples + "/sos1.mps");
    ASSERT_EQ(sos.numSets(), 1);
    EXPECT_EQ(sos.setType[0], 1);
    EXPECT_EQ(sos.setMembers, (std::vector<int>{0, 1, 2}));
}

TEST(ModelReader, SetMembersFollowTheirWeights) {
    const std::string path = writeFile("weights.mps", R"(NAME          W
ROWS
 N  OBJ
 L  LIM
COLUMNS
    A         OBJ              1.0   LIM              1.0
    B         OBJ              1.0   LIM              1.0
    C         OBJ              1.0   LIM              1.0
RHS
    RHS       LIM              2.0
SOS
 S2 SOS       SET              1
    C         3
    A         1
    B         2
ENDATA
)");
    const LinearModel model = read(path);
    ASSERT_EQ(model.numSets(), 1);
    EXPECT_EQ(model.setType[0], 2);
    EXPECT_EQ(model.setMembers, (std::vector<int>{0, 1, 2}));
}

TEST(ModelReader, SeparableQuadraticObjective) {
    const LinearModel model = read(kExamples + "/separable_qp.mps");
    EXPECT_EQ(model.quadDiagonal, (std::vector<double>{2.0, 4.0}));
    EXPECT_EQ(model.cost, (std::vector<double>{-2.0, -3.0}));
}

TEST(ModelReader, FreeFormatMpsAndCompressedFiles) {
    const std::string path = writeFile("free.mps", R"(NAME free FREE
ROWS
 N obj
 L lim
COLUMNS
 long_column_name obj 1 lim 2
 y obj -1 lim 1
RHS
 rhs lim 4
BOUNDS
 UP bnd y 3
ENDATA
)");
    const LinearModel model = read(path);
    EXPECT_EQ(model.colNames[0], "long_column_name");
    EXPECT_DOUBLE_EQ(model.colUpper[1], 3.0);
    EXPECT_DOUBLE_EQ(model.rhs[0], 4.0);

    EXPECT_EQ(read(std::string(CORVANE_SHARED_DATA) + "/netlib/afiro.mps.gz").numCols(), 32);
}

TEST(ModelReader, RefusesWhatItCannotHandOver) {
    EXPECT_THROW(read(testing::TempDir() + "no-such-model.mps"), ModelError);
    EXPECT_THROW(read(testing::TempDir()), ModelError);
    EXPECT_THROW(read(writeFile("garbage.mps", "this is\nnot a model\n")), ModelError);
    EXPECT_THROW(read(writeFile("empty.lp", "")), ModelError);
    try {
        read(kSamples + "/share2qp.mps");
        FAIL() << "an off-diagonal quadratic objective was accepted";
    } catch (const ModelError& error) {
        EXPECT_NE(std::string(error.what()).find("off-diagonal"), std::string::npos);
    }
}

TEST(ModelReader, FormatFollowsTheFileName) {
    EXPECT_EQ(formatOfPath("a.lp"), ModelFormat::Lp);
    EXPECT_EQ(formatOfPath("dir/A.LP.GZ"), ModelFormat::Lp);
    EXPECT_EQ(formatOfPath("a.mps.gz"), ModelFormat::Mps);
    EXPECT_EQ(formatOfPath("help"), ModelFormat::Mps);
}

}  // namespace
}  // namespace corvane::host
