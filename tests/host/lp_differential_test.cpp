// Every LP file at hand, and an LP copy of every MPS model at hand written by CoinLpIO, read by
// the host kit's LP reader and by CoinLpIO, the reader it replaced: the two models must agree in
// every row, column, coefficient, bound, type, set, constant and sense. CoinUtils is linked into
// this test only, as the oracle.
#include <gtest/gtest.h>
#include <CoinLpIO.hpp>
#include <CoinMpsIO.hpp>
#include <CoinPackedMatrix.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/host/model/file_line_source.h"
#include "platform/host/model/lp_reader.h"
#include "tests/host/differential_support.h"

namespace corvane::host {
namespace {

namespace fs = std::filesystem;

// CoinLpIO's copy of an MPS model, in the test's scratch folder; empty when CoinMpsIO refuses the
// model.
std::string lpCopyOf(const std::string& mpsPath) {
    CoinMpsIO mps;
    mps.messageHandler()->setLogLevel(0);
    if (mps.readMps(mpsPath.c_str(), "") != 0) return {};
    CoinLpIO lp;
    lp.messageHandler()->setLogLevel(0);
    lp.setLpDataWithoutRowAndColNames(*mps.getMatrixByRow(), mps.getColLower(), mps.getColUpper(),
                                      mps.getObjCoefficients(), mps.integerColumns(),
                                      mps.getRowLower(), mps.getRowUpper());
    std::vector<const char*> rowNames, columnNames;
    for (int i = 0; i < mps.getNumRows(); ++i) rowNames.push_back(mps.rowName(i));
    rowNames.push_back("obj");
    for (int j = 0; j < mps.getNumCols(); ++j) columnNames.push_back(mps.columnName(j));
    lp.setLpDataRowAndColNames(const_cast<char const* const*>(rowNames.data()),
                               const_cast<char const* const*>(columnNames.data()));
    lp.setObjectiveOffset(-mps.objectiveOffset());
    const fs::path folder = fs::path(testing::TempDir()) / "lp-copies";
    fs::create_directories(folder);
    const std::string path = (folder / (fs::path(mpsPath).filename().string() + ".lp")).string();
    if (lp.writeLp(path.c_str(), 1e-15, 8, 15) != 0) return {};
    return path;
}

void expectSameColumns(const LinearModel& model, const CoinLpIO& oracle) {
    ASSERT_EQ(model.numCols(), oracle.getNumCols());
    const double sense = oracle.wasMaximization() ? -1.0 : 1.0;
    for (int j = 0; j < model.numCols(); ++j) {
        SCOPED_TRACE("column " + std::string(oracle.columnName(j)));
        EXPECT_EQ(model.colNames[j], oracle.columnName(j));
        EXPECT_NEAR_ULPS(model.colLower[j], limit(oracle.getColLower()[j]));
        EXPECT_NEAR_ULPS(model.colUpper[j], limit(oracle.getColUpper()[j]));
        EXPECT_NEAR_ULPS(model.cost[j], sense * oracle.getObjCoefficients()[j]);
        const char mark = oracle.integerColumns() ? oracle.integerColumns()[j] : 0;
        const ColumnKind kind = mark == 0   ? ColumnKind::Continuous
                                : mark == 1 ? ColumnKind::Integer
                                            : ColumnKind::SemiContinuous;
        EXPECT_EQ(model.kind[j], kind);
    }
}

void expectSameRows(const LinearModel& model, const CoinLpIO& oracle) {
    ASSERT_EQ(model.numRows(), oracle.getNumRows());
    for (int i = 0; i < model.numRows(); ++i) {
        SCOPED_TRACE("row " + std::string(oracle.rowName(i)));
        EXPECT_EQ(model.rowNames[i], oracle.rowName(i));
        const double lower = limit(oracle.getRowLower()[i]);
        const double upper = limit(oracle.getRowUpper()[i]);
        ASSERT_EQ(model.relation[i], relationOfBounds(lower, upper));
        if (model.relation[i] == 'N') continue;
        EXPECT_NEAR_ULPS(model.rhs[i], model.relation[i] == 'L' ? upper : lower);
        if (model.relation[i] == 'R') {
            EXPECT_NEAR_ULPS(model.rangeHigh[i], upper);
        }
    }
}

using Entries = std::vector<std::pair<int, double>>;

// CoinLpIO keeps coefficients written as 0; the host's reader leaves them out.
void expectSameMatrix(const LinearModel& model, const CoinLpIO& oracle) {
    CoinPackedMatrix byColumn(*oracle.getMatrixByCol());
    for (int j = 0; j < model.numCols(); ++j) {
        Entries ours, theirs;
        for (int k = model.colStart[j]; k < model.colStart[j + 1]; ++k)
            ours.emplace_back(model.rowIndex[k], model.value[k]);
        const CoinShallowPackedVector column = byColumn.getVector(j);
        for (int k = 0; k < column.getNumElements(); ++k)
            if (column.getElements()[k] != 0.0)
                theirs.emplace_back(column.getIndices()[k], column.getElements()[k]);
        std::sort(theirs.begin(), theirs.end());
        SCOPED_TRACE("column " + std::string(oracle.columnName(j)));
        ASSERT_EQ(ours.size(), theirs.size());
        for (size_t k = 0; k < ours.size(); ++k) {
            EXPECT_EQ(ours[k].first, theirs[k].first);
            EXPECT_NEAR_ULPS(ours[k].second, theirs[k].second);
        }
    }
}

// The host keeps each set's members in the order of their weights.
void expectSameSets(const LinearModel& model, CoinLpIO& oracle) {
    ASSERT_EQ(model.numSets(), oracle.numberSets());
    for (int k = 0; k < model.numSets(); ++k) {
        const CoinSet& set = *oracle.setInformation()[k];
        EXPECT_EQ(model.setType[k], set.setType());
        std::vector<std::pair<double, int>> theirs;
        for (int e = 0; e < set.numberEntries(); ++e)
            theirs.emplace_back(set.weights()[e], set.which()[e]);
        std::sort(theirs.begin(), theirs.end());
        ASSERT_EQ(model.setStart[k + 1] - model.setStart[k], static_cast<int>(theirs.size()));
        for (size_t e = 0; e < theirs.size(); ++e) {
            EXPECT_EQ(model.setMembers[model.setStart[k] + e], theirs[e].second);
            EXPECT_EQ(model.setWeights[model.setStart[k] + e], theirs[e].first);
        }
    }
}

// False when CoinLpIO cannot read the file at all.
bool expectSameModel(const std::string& path) {
    SCOPED_TRACE(path);
    CoinLpIO oracle;
    oracle.messageHandler()->setLogLevel(0);
    try {
        oracle.readLp(path.c_str());
    } catch (...) {
        return false;
    }
    FileLineSource lines(path);
    LinearModel model;
    ReadError error;
    const bool read = readLp(lines, model, error);
    EXPECT_TRUE(read) << "line " << error.line << ": " << error.message;
    if (!read) return true;
    EXPECT_EQ(model.sense,
              oracle.wasMaximization() ? ObjectiveSense::Maximize : ObjectiveSense::Minimize);
    EXPECT_NEAR_ULPS(model.objConstant, oracle.objectiveOffset());
    EXPECT_FALSE(model.isQuadratic());
    expectSameColumns(model, oracle);
    expectSameRows(model, oracle);
    expectSameMatrix(model, oracle);
    expectSameSets(model, oracle);
    return true;
}

TEST(LpDifferential, EveryLpFileAtHandReadsAsCoinLpIOReadsIt) {
    const std::vector<std::string> files = modelFilesAtHand({".lp"});
    ASSERT_GE(files.size(), 5u);
    // CoinLpIO knows no quadratic objective.
    std::vector<std::string> unreadable;
    for (const std::string& path : files)
        if (!expectSameModel(path)) unreadable.push_back(fs::path(path).filename().string());
    EXPECT_EQ(unreadable, (std::vector<std::string>{"separable_qp.lp"}));
}

TEST(LpDifferential, AnLpCopyOfEveryMpsModelReadsAsCoinLpIOReadsIt) {
    const std::vector<std::string> files = modelFilesAtHand({".mps", ".mps.gz"});
    int compared = 0;
    for (const std::string& mpsPath : files) {
        const std::string path = lpCopyOf(mpsPath);
        if (path.empty()) continue;
        EXPECT_TRUE(expectSameModel(path));
        ++compared;
    }
    EXPECT_GE(compared, 40);
}

}  // namespace
}  // namespace corvane::host
