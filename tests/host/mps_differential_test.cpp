// Every MPS model at hand, read by the host kit's reader and by CoinMpsIO, the reader it replaced:
// the two models must agree in every row, column, coefficient, bound, type, set and constant.
// CoinUtils is linked into this test only, as the oracle.
#include <gtest/gtest.h>
#include <CoinMpsIO.hpp>
#include <CoinPackedMatrix.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/host/model/model_reader.h"
#include "tests/host/differential_support.h"

namespace corvane::host {
namespace {

// CoinMpsIO drops the blanks inside a fixed-format name ("DEDO3 11" in forplan); the host keeps
// the name as its columns hold it.
std::string withoutBlanks(std::string_view name) {
    std::string text(name);
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

// What CoinMpsIO makes of a file, in the host's terms.
struct Oracle {
    CoinMpsIO reader;
    int numberSets = 0;
    CoinSet** sets = nullptr;
    int errors = 0;
    std::vector<double> quadDiagonal;

    explicit Oracle(const std::string& path) {
        reader.messageHandler()->setLogLevel(0);
        errors = reader.readMps(path.c_str(), "", numberSets, sets);
        CoinBigIndex* starts = nullptr;
        int* columns = nullptr;
        double* elements = nullptr;
        if (errors == 0 && reader.readQuadraticMps(nullptr, starts, columns, elements, 0) == 0 &&
            starts) {
            quadDiagonal.assign(reader.getNumCols(), 0.0);
            for (int j = 0; j < reader.getNumCols(); ++j)
                for (CoinBigIndex k = starts[j]; k < starts[j + 1]; ++k)
                    if (columns[k] == j) quadDiagonal[j] += elements[k];
        }
        delete[] starts;
        delete[] columns;
        delete[] elements;
    }
    ~Oracle() {
        for (int k = 0; k < numberSets; ++k) delete sets[k];
        delete[] sets;
    }
};

void expectSameColumns(const LinearModel& model, const CoinMpsIO& reader) {
    ASSERT_EQ(model.numCols(), reader.getNumCols());
    for (int j = 0; j < model.numCols(); ++j) {
        SCOPED_TRACE("column " + std::string(reader.columnName(j)));
        EXPECT_EQ(withoutBlanks(model.colNames[j]), reader.columnName(j));
        EXPECT_NEAR_ULPS(model.colLower[j], limit(reader.getColLower()[j]));
        EXPECT_NEAR_ULPS(model.colUpper[j], limit(reader.getColUpper()[j]));
        EXPECT_NEAR_ULPS(model.cost[j], reader.getObjCoefficients()[j]);
        const char mark = reader.integerColumns() ? reader.integerColumns()[j] : 0;
        const ColumnKind kind = mark == 0   ? ColumnKind::Continuous
                                : mark == 1 ? ColumnKind::Integer
                                            : ColumnKind::SemiContinuous;
        EXPECT_EQ(model.kind[j], kind);
    }
}

// CoinMpsIO leaves free rows out; the host keeps them as rows of relation 'N'.
std::vector<int> keptRows(const LinearModel& model) {
    std::vector<int> oracleIndex(model.numRows(), -1);
    int next = 0;
    for (int i = 0; i < model.numRows(); ++i)
        if (model.relation[i] != 'N') oracleIndex[i] = next++;
    return oracleIndex;
}

void expectSameRows(const LinearModel& model, const CoinMpsIO& reader,
                    const std::vector<int>& oracleIndex) {
    int kept = 0;
    for (int i = 0; i < model.numRows(); ++i) {
        if (oracleIndex[i] < 0) continue;
        ++kept;
        const int r = oracleIndex[i];
        SCOPED_TRACE("row " + std::string(model.rowNames[i]));
        ASSERT_LT(r, reader.getNumRows());
        EXPECT_EQ(withoutBlanks(model.rowNames[i]), reader.rowName(r));
        const double lower = limit(reader.getRowLower()[r]);
        const double upper = limit(reader.getRowUpper()[r]);
        EXPECT_EQ(model.relation[i], relationOfBounds(lower, upper));
        switch (model.relation[i]) {
            case 'L':
                EXPECT_NEAR_ULPS(model.rhs[i], upper);
                break;
            case 'R':
                EXPECT_NEAR_ULPS(model.rhs[i], lower);
                EXPECT_NEAR_ULPS(model.rangeHigh[i], upper);
                break;
            default:
                EXPECT_NEAR_ULPS(model.rhs[i], lower);
        }
    }
    EXPECT_EQ(kept, reader.getNumRows());
}

using Entries = std::vector<std::pair<int, double>>;

void expectSameMatrix(const LinearModel& model, const CoinMpsIO& reader,
                      const std::vector<int>& oracleIndex) {
    const CoinPackedMatrix& matrix = *reader.getMatrixByCol();
    for (int j = 0; j < model.numCols(); ++j) {
        Entries ours, theirs;
        for (int k = model.colStart[j]; k < model.colStart[j + 1]; ++k)
            if (oracleIndex[model.rowIndex[k]] >= 0)
                ours.emplace_back(oracleIndex[model.rowIndex[k]], model.value[k]);
        const CoinBigIndex begin = matrix.getVectorStarts()[j];
        for (CoinBigIndex k = begin; k < begin + matrix.getVectorLengths()[j]; ++k)
            if (matrix.getElements()[k] != 0.0)
                theirs.emplace_back(matrix.getIndices()[k], matrix.getElements()[k]);
        std::sort(ours.begin(), ours.end());
        std::sort(theirs.begin(), theirs.end());
        ASSERT_EQ(ours.size(), theirs.size()) << "column " << model.colNames[j];
        for (size_t k = 0; k < ours.size(); ++k) {
            EXPECT_EQ(ours[k].first, theirs[k].first) << "column " << model.colNames[j];
            EXPECT_NEAR_ULPS(ours[k].second, theirs[k].second) << "column " << model.colNames[j];
        }
    }
}

void expectSameSets(const LinearModel& model, const Oracle& oracle) {
    ASSERT_EQ(model.numSets(), oracle.numberSets);
    for (int k = 0; k < oracle.numberSets; ++k) {
        const CoinSet& set = *oracle.sets[k];
        EXPECT_EQ(model.setType[k], set.setType());
        std::vector<std::pair<double, int>> theirs;
        for (int e = 0; e < set.numberEntries(); ++e)
            theirs.emplace_back(set.weights() ? set.weights()[e] : e + 1.0, set.which()[e]);
        std::stable_sort(theirs.begin(), theirs.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::pair<double, int>> ours;
        for (int p = model.setStart[k]; p < model.setStart[k + 1]; ++p)
            ours.emplace_back(model.setWeights[p], model.setMembers[p]);
        EXPECT_EQ(ours, theirs) << "set " << k + 1;
    }
}

// Files that the host refuses while CoinMpsIO reads them: the host hands over diagonal quadratic
// objectives only.
bool refusedAsNonSeparable(const std::string& path) {
    for (const char* name : {"conic.mps", "spec_sections.mps", "share2qp.mps"})
        if (std::filesystem::path(path).filename() == name) return true;
    return false;
}

TEST(MpsDifferential, EveryModelAtHandReadsAsCoinMpsIOReadsIt) {
    const std::vector<std::string> files = modelFilesAtHand({".mps", ".mps.gz"});
    ASSERT_GE(files.size(), 50u);
    int compared = 0;
    for (const std::string& path : files) {
        SCOPED_TRACE(path);
        std::ostringstream diagnostics;
        if (refusedAsNonSeparable(path)) {
            try {
                readModel(path, &diagnostics);
                ADD_FAILURE() << "a non-separable quadratic objective was accepted";
            } catch (const ModelFileError& error) {
                EXPECT_NE(error.message().find("off-diagonal quadratic term"), std::string::npos)
                    << error.what();
            }
            continue;
        }
        const Oracle oracle(path);
        ASSERT_EQ(oracle.errors, 0);
        LinearModel model;
        try {
            model = readModel(path, &diagnostics);
        } catch (const ModelFileError& error) {
            ADD_FAILURE() << error.what();
            continue;
        }
        EXPECT_EQ(model.name, oracle.reader.getProblemName());
        expectSameColumns(model, oracle.reader);
        const std::vector<int> oracleIndex = keptRows(model);
        expectSameRows(model, oracle.reader, oracleIndex);
        expectSameMatrix(model, oracle.reader, oracleIndex);
        expectSameSets(model, oracle);
        EXPECT_NEAR_ULPS(model.objConstant, 0.0 - oracle.reader.objectiveOffset());
        EXPECT_EQ(model.quadDiagonal, oracle.quadDiagonal);
        EXPECT_EQ(model.sense, ObjectiveSense::Minimize);
        ++compared;
    }
    EXPECT_EQ(compared, static_cast<int>(files.size()) - 3);
}

}  // namespace
}  // namespace corvane::host
