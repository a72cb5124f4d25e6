// The MPS reader by feature, and each fault it refuses with its exact message and line.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/host/model/model_reader.h"
#include "platform/host/model/mps_reader.h"

namespace corvane::host {
namespace {

struct Result {
    bool ok = false;
    LinearModel model;
    ReadError error;
    std::vector<ReadError> warnings;
};

Result readText(const std::string& text, MpsFormat format = MpsFormat::Free) {
    Result result;
    MemoryLineSource source(text);
    result.ok = readMps(source, format, result.model, result.error, &result.warnings);
    return result;
}

LinearModel model(const std::string& text, MpsFormat format = MpsFormat::Free) {
    Result result = readText(text, format);
    EXPECT_TRUE(result.ok) << result.error.line << ": " << result.error.message;
    return std::move(result.model);
}

// "LINE: message" of a refusal.
std::string refusal(const std::string& text, MpsFormat format = MpsFormat::Free) {
    const Result result = readText(text, format);
    if (result.ok) return "accepted";
    return std::to_string(result.error.line) + ": " + result.error.message;
}

// A small model in free MPS around the given sections.
std::string freeModel(const std::string& rhs, const std::string& rest = "") {
    return "NAME m\nROWS\n N obj\n L lim\n G low\n E eq\nCOLUMNS\n x obj 1 lim 1\n x low 1 eq 1\n"
           " y obj 2 lim 1\nRHS\n" +
           rhs + rest + "ENDATA\n";
}

TEST(MpsFeatures, RowsRelationsAndTheObjectiveConstant) {
    const LinearModel m = model(freeModel(" rhs lim 4 low 1\n rhs eq 2 obj 1.5\n"));
    EXPECT_EQ(m.name, "m");
    ASSERT_EQ(m.numRows(), 3);
    EXPECT_EQ(m.relation, (std::vector<RowRelation>{'L', 'G', 'E'}));
    EXPECT_EQ(m.rhs, (std::vector<double>{4, 1, 2}));
    EXPECT_EQ(m.cost, (std::vector<double>{1, 2}));
    EXPECT_EQ(m.objConstant, -1.5);
    EXPECT_EQ(m.colStart, (std::vector<int>{0, 3, 4}));
    EXPECT_EQ(m.rowIndex, (std::vector<int>{0, 1, 2, 0}));
    EXPECT_EQ(m.sense, ObjectiveSense::Minimize);
}

TEST(MpsFeatures, FurtherFreeRowsAreKeptAndZerosLeftOut) {
    const LinearModel m = model(
        "ROWS\n N obj\n N spare\n L lim\nCOLUMNS\n x obj 1 spare 3\n x lim 0\n"
        "RHS\n rhs spare 9 lim 1\nENDATA\n");
    EXPECT_EQ(m.relation, (std::vector<RowRelation>{'N', 'L'}));
    EXPECT_EQ(m.rhs, (std::vector<double>{0, 1}));
    EXPECT_EQ(m.rowIndex, (std::vector<int>{0}));
    EXPECT_EQ(m.value, (std::vector<double>{3}));
}

TEST(MpsFeatures, RangesFollowTheSignRules) {
    const LinearModel m = model(
        freeModel(" rhs lim 4 low 1\n rhs eq 2\n", "RANGES\n rng lim -3 low 2\n rng eq -1\n"));
    EXPECT_EQ(m.relation, (std::vector<RowRelation>{'R', 'R', 'R'}));
    EXPECT_EQ(m.rhs, (std::vector<double>{1, 1, 1}));        // L: rhs-|r|, G: rhs, E<0: rhs+r
    EXPECT_EQ(m.rangeHigh, (std::vector<double>{4, 3, 2}));  // L: rhs, G: rhs+|r|, E<0: rhs
    const LinearModel up = model(freeModel(" rhs eq 2\n", "RANGES\n rng eq 5\n"));
    EXPECT_EQ(up.rhs[2], 2);
    EXPECT_EQ(up.rangeHigh[2], 7);
    EXPECT_EQ(model(freeModel("", "RANGES\n rng eq 0\n")).relation[2], 'E');
}

TEST(MpsFeatures, EveryBoundType) {
    const std::string text =
        "ROWS\n N obj\n L c\nCOLUMNS\n"
        " up c 1\n lo c 1\n fx c 1\n fr c 1\n mi c 1\n pl c 1\n bv c 1\n li c 1\n ui c 1\n sc c 1\n"
        " sc0 c 1\n big c 1\n"
        "BOUNDS\n UP b up 4\n LO b lo -2\n FX b fx 3\n FR b fr\n MI b mi\n UP b pl 5\n PL b pl\n"
        " BV b bv\n LI b li 2\n UI b ui 9\n SC b sc 8\n SC b sc0 0\n UP b big 1e30\n LO b big -1e31"
        "\nENDATA\n";
    const LinearModel m = model(text);
    const double inf = kInfinity;
    EXPECT_EQ(m.colLower, (std::vector<double>{0, -2, 3, -inf, -inf, 0, 0, 2, 0, 0, 0, -inf}));
    EXPECT_EQ(m.colUpper, (std::vector<double>{4, inf, 3, inf, inf, inf, 1, inf, 9, 8, inf, inf}));
    using K = ColumnKind;
    EXPECT_EQ(m.kind,
              (std::vector<K>{K::Continuous, K::Continuous, K::Continuous, K::Continuous,
                              K::Continuous, K::Continuous, K::Integer, K::Integer, K::Integer,
                              K::SemiContinuous, K::SemiContinuous, K::Continuous}));
    // Without a set name, as free MPS allows.
    const LinearModel unnamed = model(
        "ROWS\n N obj\nCOLUMNS\n x obj 1\n y obj 1\n"
        "BOUNDS\n UP x 4\n FR y\nENDATA\n");
    EXPECT_EQ(unnamed.colUpper[0], 4);
    EXPECT_EQ(unnamed.colLower[1], -inf);
}

// Fortran exponents and inline '$' comments, as older writers leave them, in both formats; what
// only resembles them is still refused or kept as a name.
TEST(MpsFeatures, FortranExponentsAndInlineComments) {
    // The fixed format's columns 2-3, 5-12, 15-22, 25-36, 40-47, 50-61.
    auto fixed = [](std::vector<std::string> fields, const std::string& comment) {
        static const int begin[] = {1, 4, 14, 24, 39, 49};
        std::string line;
        for (size_t f = 0; f < fields.size(); ++f) {
            line.resize(begin[f], ' ');
            line += fields[f];
        }
        return line + comment + "\n";
    };
    const std::string freeText =
        "NAME m\nROWS\n N obj $ the objective\n L lim\nCOLUMNS\n"
        " x obj 1.5D0 lim 2d-1 $ first column\n y obj -2.5D+1 lim 1\n"
        "RHS\n rhs lim 4D3 $capacity\nBOUNDS\n UP b x 1.D1\nENDATA\n";
    const std::string fixedText = "NAME          m\nROWS\n" +
                                  fixed({"N", "obj"}, " $ the objective") +
                                  fixed({"L", "lim"}, "") + "COLUMNS\n" +
                                  fixed({"", "x", "obj", "1.5D0", "lim", "2d-1"}, " $ first") +
                                  fixed({"", "y", "obj", "-2.5D+1", "lim", "1"}, "") + "RHS\n" +
                                  fixed({"", "rhs", "lim", "4D3"}, "   $capacity") + "BOUNDS\n" +
                                  fixed({"UP", "b", "x", "1.D1"}, "") + "ENDATA\n";
    for (const auto& [text, format] :
         {std::pair(freeText, MpsFormat::Free), std::pair(fixedText, MpsFormat::Fixed)}) {
        const LinearModel m = model(text, format);
        EXPECT_EQ(m.cost, (std::vector<double>{1.5, -25}));
        EXPECT_EQ(m.value, (std::vector<double>{0.2, 1}));
        EXPECT_EQ(m.rhs, (std::vector<double>{4000}));
        EXPECT_EQ(m.colUpper[0], 10);
    }
    const std::string rows = "ROWS\n N obj\nCOLUMNS\n";
    for (const char* bad : {"1.0D", "D3", "1.0D3D1", "1D3.5", "1.0DE3", "--1D3"})
        EXPECT_EQ(refusal(rows + " x obj " + bad + "\nENDATA\n"),
                  "4: \"" + std::string(bad) + "\" is not a number");
    // A '$' within the first two fields, or not at a field's start, is part of a name.
    const LinearModel named = model(rows + " $x obj 1 $ comment\n y$ obj 2\nENDATA\n");
    EXPECT_EQ(named.colNames.size(), 2u);
    EXPECT_EQ(named.cost, (std::vector<double>{1, 2}));
    EXPECT_EQ(refusal(rows + " x obj $1\nENDATA\n"),
              "4: a line of COLUMNS needs a column name and one or two pairs of a row name and a "
              "value");
}

TEST(MpsFeatures, NegativeUpperBoundWithoutLowerBoundFreesTheLowerEnd) {
    const Result result = readText(
        "ROWS\n N obj\nCOLUMNS\n x obj 1\n y obj 1\nBOUNDS\n UP b x -1\n LO b y -5\n"
        " UP b y -2\nENDATA\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.model.colLower, (std::vector<double>{-kInfinity, -5}));
    EXPECT_EQ(result.model.colUpper, (std::vector<double>{-1, -2}));
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0].line, 7u);
    EXPECT_EQ(result.warnings[0].message,
              "column x has a negative upper bound and no lower bound: its lower bound is minus "
              "infinity");
}

TEST(MpsFeatures, IntegerMarkersGiveBoundsZeroAndOneUntilABoundIsGiven) {
    const LinearModel m = model(
        "ROWS\n N obj\nCOLUMNS\n MARKER 'MARKER' 'INTORG'\n a obj 1\n b obj 1\n"
        " MARKER 'MARKER' 'INTEND'\n c obj 1\nBOUNDS\n LO b b 2\nENDATA\n");
    EXPECT_EQ(m.kind[0], ColumnKind::Integer);
    EXPECT_EQ(m.kind[1], ColumnKind::Integer);
    EXPECT_EQ(m.kind[2], ColumnKind::Continuous);
    EXPECT_EQ(m.colUpper, (std::vector<double>{1, kInfinity, kInfinity}));
    EXPECT_EQ(m.colLower, (std::vector<double>{0, 2, 0}));
}

TEST(MpsFeatures, ObjectiveSenseInSectionAndFreeForm) {
    const std::string rest = "ROWS\n N obj\nCOLUMNS\n x obj 3\nENDATA\n";
    EXPECT_EQ(model("OBJSENSE\n    MAX\n" + rest).sense, ObjectiveSense::Maximize);
    EXPECT_EQ(model("OBJSENSE\n  MAXIMIZE\n" + rest).sense, ObjectiveSense::Maximize);
    EXPECT_EQ(model("OBJSENSE MAX\n" + rest).sense, ObjectiveSense::Maximize);
    EXPECT_EQ(model("OBJSENSE MAXIMIZE\n" + rest).sense, ObjectiveSense::Maximize);
    EXPECT_EQ(model("OBJSENSE\n MIN\n" + rest).sense, ObjectiveSense::Minimize);
    // The coefficients stay the model's own.
    EXPECT_EQ(model("OBJSENSE MAX\n" + rest).cost, (std::vector<double>{3}));
    EXPECT_EQ(refusal("OBJSENSE\n UP\n" + rest),
              "2: unknown objective sense \"UP\" (MAX, MAXIMIZE, MIN or MINIMIZE)");
}

TEST(MpsFeatures, DiagonalQuadraticObjective) {
    const std::string linear = "ROWS\n N obj\nCOLUMNS\n x obj 1\n y obj 1\n";
    EXPECT_EQ(model(linear + "QUADOBJ\n x x 2\n y y 4\nENDATA\n").quadDiagonal,
              (std::vector<double>{2, 4}));
    EXPECT_EQ(model(linear + "QMATRIX\n y y 4\n x y 0\nENDATA\n").quadDiagonal,
              (std::vector<double>{0, 4}));
    // The quadratic part in a second block after ENDATA, as some writers append it.
    EXPECT_EQ(model("NAME q\n" + linear + "ENDATA\nNAME q\nQUADOBJ\n x x 6\nENDATA\n").quadDiagonal,
              (std::vector<double>{6, 0}));
    EXPECT_TRUE(model(linear + "ENDATA\nanything at all\n").quadDiagonal.empty());
    EXPECT_EQ(refusal(linear + "QUADOBJ\n x y 1\nENDATA\n"),
              "7: the objective has the off-diagonal quadratic term (x, y); only separable "
              "quadratic objectives are supported");
    EXPECT_EQ(refusal(linear + "ENDATA\nNAME q\nRHS\nENDATA\n"),
              "8: the section RHS after ENDATA: only a quadratic objective may follow");
}

TEST(MpsFeatures, SetsWithTypesAndWeights) {
    const LinearModel m = model(
        "ROWS\n N obj\nCOLUMNS\n a obj 1\n b obj 1\n c obj 1\nSOS\n S1 SOS s1 1\n a 5\n b 7\n"
        " S2 s2\n c\n a\nENDATA\n");
    EXPECT_EQ(m.setType, (std::vector<int>{1, 2}));
    EXPECT_EQ(m.setStart, (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(m.setMembers, (std::vector<int>{0, 1, 2, 0}));
    EXPECT_EQ(m.setWeights, (std::vector<double>{5, 7, 1, 2}));
    EXPECT_EQ(refusal("ROWS\n N obj\nCOLUMNS\n a obj 1\nSOS\n a 1\nENDATA\n"),
              "6: a set member before the line that opens a set");
}

// A line of fixed MPS with its fields in columns 2, 5, 15, 25, 40 and 50.
std::string fixed(const std::vector<std::string>& fields) {
    static const size_t kColumn[] = {1, 4, 14, 24, 39, 49};
    std::string line;
    for (size_t f = 0; f < fields.size(); ++f) {
        line.resize(kColumn[f], ' ');
        line += fields[f];
    }
    return line + "\n";
}

// Lines in the fixed columns, with fields as wide as the columns allow and ending anywhere, and
// lines that stray from them: with names free of blanks, both ways of reading give one model.
TEST(MpsFeatures, FixedColumnsAndBlankSeparatedLinesReadAlike) {
    std::mt19937 random(11);
    const auto name = [&](int most) {
        std::string text;
        const int length = 1 + random() % most;
        for (int i = 0; i < length; ++i) text += "!aX_.$#09"[random() % 9];
        return text;
    };
    const auto at = [](std::string& line, size_t column, const std::string& text) {
        if (line.size() < column) line.resize(column, ' ');
        line += text;
    };
    for (int round = 0; round < 200; ++round) {
        std::string text = "ROWS\n N obj\n";
        std::vector<std::string> rows;
        for (int i = 0; i < 4; ++i) {
            rows.push_back(name(6) + std::to_string(i));
            text += " L  " + rows.back() + "\n";
        }
        text += "COLUMNS\n";
        for (int j = 0; j < 20; ++j) {
            const std::string column = name(5 - (j > 9)) + "=" + std::to_string(j);
            const std::string first = rows[j % 4], second = rows[(j + 1) % 4];
            const std::string value = std::to_string(static_cast<int>(random() % 1000) - 500);
            std::string line;
            if (random() % 2) {
                at(line, 4, column);
                at(line, 14, first);
                at(line, 24 + random() % (13 - value.size()), value);
                if (random() % 2) {
                    at(line, 39, second);
                    at(line, 49 + random() % (13 - value.size()), value);
                }
            } else {
                line = std::string(1 + random() % 3, ' ') + column + " " + first + "  " + value +
                       (random() % 2 ? std::string(" ") + second + " " + value : "");
            }
            text += line + std::string(random() % 2, ' ') + "\n";
        }
        text += "ENDATA\n";
        const LinearModel fixed = model(text, MpsFormat::Fixed);
        const LinearModel free = model(text, MpsFormat::Free);
        ASSERT_EQ(fixed.numCols(), 20) << text;
        for (int j = 0; j < 20; ++j) EXPECT_EQ(fixed.colNames[j], free.colNames[j]) << text;
        EXPECT_EQ(fixed.colStart, free.colStart) << text;
        EXPECT_EQ(fixed.rowIndex, free.rowIndex) << text;
        EXPECT_EQ(fixed.value, free.value) << text;
    }
}

TEST(MpsFeatures, FixedFormatNamesKeepTheirBlanks) {
    const std::string text = "NAME          FIXED\nROWS\n" + fixed({"N", "COST"}) +
                             fixed({"L", "LIM 1"}) + "COLUMNS\n" +
                             fixed({"", "X ONE", "COST", "1.0", "LIM 1", "2.0"}) + "RHS\n" +
                             fixed({"", "", "LIM 1", "4.0"}) + "BOUNDS\n" +
                             fixed({"UP", "BND", "X ONE", "3.0"}) + "ENDATA\n";
    const LinearModel m = model(text, MpsFormat::Fixed);
    EXPECT_EQ(m.name, "FIXED");
    EXPECT_EQ(m.rowNames[0], "LIM 1");
    EXPECT_EQ(m.colNames[0], "X ONE");
    EXPECT_EQ(m.value, (std::vector<double>{2}));
    EXPECT_EQ(m.rhs, (std::vector<double>{4}));
    EXPECT_EQ(m.colUpper, (std::vector<double>{3}));
    // Lines that stray from the columns are read by their blanks.
    const LinearModel loose = model(
        "ROWS\n N COST\n L LIM\nCOLUMNS\n  a_long_column_name COST 1.5 LIM -2.25e+1\nENDATA\n",
        MpsFormat::Fixed);
    EXPECT_EQ(loose.colNames[0], "a_long_column_name");
    EXPECT_EQ(loose.value, (std::vector<double>{-22.5}));
}

TEST(MpsFeatures, FreeFormatNamesOfAnyPrintableCharacters) {
    const LinearModel m = model(
        "ROWS\n N o\n L r[1]:#$\nCOLUMNS\n x(1,'a') o 1 r[1]:#$ 1\n"
        "RHS\n r[1]:#$ 3\nENDATA\n");
    EXPECT_EQ(m.colNames[0], "x(1,'a')");
    EXPECT_EQ(m.rowNames[0], "r[1]:#$");
    EXPECT_EQ(m.rhs[0], 3);
    // "FREE" on the NAME line makes a file free MPS whatever the reader was asked for.
    const std::string fixedLine =
        "ROWS\n N o\nCOLUMNS\n" + fixed({"", "X ONE", "o", "1"}) + "ENDATA\n";
    EXPECT_EQ(model(fixedLine, MpsFormat::Fixed).colNames[0], "X ONE");
    EXPECT_EQ(refusal("NAME n FREE\n" + fixedLine, MpsFormat::Fixed),
              "5: a line of COLUMNS needs a column name and one or two pairs of a row name and "
              "a value");
}

TEST(MpsFeatures, OnlyTheFirstSetOfRightHandSidesCounts) {
    const Result result = readText(freeModel(" rhs1 lim 4\n rhs2 lim 5\n rhs2 low 5\n"));
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.model.rhs[0], 4);
    EXPECT_EQ(result.model.rhs[1], 0);
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0].message,
              "RHS set rhs2 ignored: only the first set, rhs1, is read");
}

TEST(MpsFaults, SectionsAndStructure) {
    const std::string rows = "ROWS\n N obj\n L lim\n";
    EXPECT_EQ(refusal("NAME a\nCOLS\n"), "2: unknown section \"COLS\"");
    EXPECT_EQ(refusal(rows + "ROWS\n"), "4: the section ROWS appears twice");
    EXPECT_EQ(refusal("COLUMNS\n x obj 1\n"), "1: the section COLUMNS comes before ROWS");
    EXPECT_EQ(refusal(rows + "RHS\n"), "4: the section RHS comes before COLUMNS");
    EXPECT_EQ(refusal(rows + "COLUMNS\n x obj 1\nNAME n\n"),
              "6: the section NAME comes after COLUMNS");
    EXPECT_EQ(refusal(" x obj 1\n"), "1: a line of data outside any section");
    EXPECT_EQ(refusal(rows + "COLUMNS\n x obj 1\n"), "5: the file ends without ENDATA");
    EXPECT_EQ(refusal(rows + "COLUMNS\n x obj 1\nRHS\n"), "6: the file ends without ENDATA");
    EXPECT_EQ(refusal(""), "0: the file holds no MPS model");
    EXPECT_EQ(refusal("* only a comment\n"), "1: the file holds no MPS model");
    EXPECT_EQ(refusal(rows + "ENDATA\n"), "4: the file has no COLUMNS section");
    EXPECT_EQ(refusal(rows + "COLUMNS\n x obj 1 lim 2 3 4\n"), "5: too many fields on the line");
    EXPECT_EQ(refusal(rows + "COLUMNS\n x obj 1 lim 2 3\n"),
              "5: a line of COLUMNS needs a column name and one or two pairs of a row name and "
              "a value");
    EXPECT_EQ(refusal(rows + "COLUMNS\n x obj 1 lim\n"),
              "5: a line of COLUMNS needs a column name and one or two pairs of a row name and "
              "a value");
    EXPECT_EQ(refusal(rows + "COLUMNS\n x\tobj\x01 1\n"), "5: the line holds a control character");
    EXPECT_EQ(refusal(rows + "COLUMNS\n MARKER 'MARKER' 'INTEND'\n"),
              "5: 'INTEND' without its 'INTORG'");
    EXPECT_EQ(refusal(rows + "COLUMNS\n M 'MARKER' 'SOSORG'\n"), "5: unknown marker 'SOSORG'");
    EXPECT_EQ(refusal("ROWS\n X obj\n"), "2: unknown row type \"X\"");
    EXPECT_EQ(refusal("ROWS\n N\n"), "2: a row needs its type and its name");
}

TEST(MpsFaults, NamesDeclaredOnceAndBeforeUse) {
    EXPECT_EQ(refusal("ROWS\n N obj\n L r\n G r\n"), "4: row r is declared twice");
    EXPECT_EQ(refusal("ROWS\n N obj\n L obj\n"), "3: row obj is declared twice");
    EXPECT_EQ(refusal("ROWS\n N obj\nCOLUMNS\n x obj 1\n y obj 1\n x obj 2\n"),
              "6: column x is declared twice (the entries of a column must follow one another)");
    // Whatever ends the section, and whatever fault follows, the repeated column comes first.
    const std::string twice =
        "ROWS\n N obj\nCOLUMNS\n x obj 1\n long_column_name obj 1\n x obj 2\n";
    for (const std::string& rest :
         {std::string("RHS\n rhs obj 1\nENDATA\n"), std::string(" y obj 1\n z obj nan\n"),
          std::string(" y obj 1\nUNKNOWN\n"), " y obj " + std::string(kMaxLineLength, '1') + "\n"})
        EXPECT_EQ(refusal(twice + rest),
                  "6: column x is declared twice (the entries of a column must follow one another)")
            << rest.substr(0, 20);
    EXPECT_EQ(refusal("ROWS\n N obj\nCOLUMNS\n long_column_name obj 1\n x obj 1\n"
                      " long_column_name obj 1\nENDATA\n"),
              "6: column long_column_name is declared twice (the entries of a column must follow "
              "one another)");
    // Rows are found many entries at a time: the first fault in the file is still the one told.
    const std::string rows = "ROWS\n N obj\n L r\nCOLUMNS\n";
    EXPECT_EQ(refusal(rows + " x r 1 q 1\n y r nan\n"), "5: row q is not declared in ROWS");
    EXPECT_EQ(refusal(rows + " x q 1\n y r 1e30\n"), "5: row q is not declared in ROWS");
    EXPECT_EQ(refusal(rows + " x r 1\n x r 2\n y obj 1\n y obj 2\n"),
              "6: column x has two entries in row r");
    EXPECT_EQ(refusal(rows + " x q 1\n y r 1\n x r 1\nENDATA\n"),
              "5: row q is not declared in ROWS");
    EXPECT_EQ(refusal(rows + " x r 1\n y r 1\n x q 1\nENDATA\n"),
              "7: column x is declared twice (the entries of a column must follow one another)");
    EXPECT_EQ(refusal(rows + " x q 1 r nan\n"), "5: row q is not declared in ROWS");
    EXPECT_EQ(refusal(rows + " x r nan q 1\n"), "5: \"nan\" is not a number");
    std::string many = rows;
    for (int j = 0; j < 1000; ++j) many += " c" + std::to_string(j) + " r 1 obj 1\n";
    EXPECT_EQ(refusal(many + " z r 1 q 1\nRHS\n"), "1005: row q is not declared in ROWS");
    EXPECT_EQ(refusal(many + " c7 r 1\nENDATA\n"),
              "1005: column c7 is declared twice (the entries of a column must follow one "
              "another)");
    EXPECT_EQ(refusal("ROWS\n N obj\n L r\nCOLUMNS\n x r 1 r 2\n"),
              "5: column x has two entries in row r");
    EXPECT_EQ(refusal("ROWS\n N obj\nCOLUMNS\n x obj 1\n x obj 2\n"),
              "5: column x has two entries in row obj");
    EXPECT_EQ(refusal("ROWS\n N obj\nCOLUMNS\n x r 1\n"), "4: row r is not declared in ROWS");
    EXPECT_EQ(refusal("ROWS\n N obj\nCOLUMNS\n x obj 1\nRHS\n rhs r 1\n"),
              "6: row r is not declared in ROWS");
    EXPECT_EQ(refusal("ROWS\n N obj\nCOLUMNS\n x obj 1\nBOUNDS\n UP b y 1\n"),
              "6: column y is not declared in COLUMNS");
    EXPECT_EQ(refusal("ROWS\n N obj\nCOLUMNS\n x obj 1\nQUADOBJ\n x z 1\n"),
              "6: column z is not declared in COLUMNS");
    EXPECT_EQ(refusal(freeModel(" rhs lim 1\n rhs lim 2\n")),
              "13: the right-hand side of row lim is given twice");
    EXPECT_EQ(refusal(freeModel("", "RANGES\n r lim 1\n r lim 2\n")),
              "14: the range of row lim is given twice");
    EXPECT_EQ(refusal(freeModel("", "RANGES\n r obj 1\n")),
              "13: row obj is free and takes no range");
}

TEST(MpsFaults, NumbersNamesAndLines) {
    const std::string head = "ROWS\n N obj\n L lim\nCOLUMNS\n";
    EXPECT_EQ(refusal(head + " x obj 1.5.2\n"), "5: \"1.5.2\" is not a number");
    EXPECT_EQ(refusal(head + " x obj nan\n"), "5: \"nan\" is not a number");
    EXPECT_EQ(refusal(head + " x obj 1\nRHS\n rhs lim NaN\n"), "7: \"NaN\" is not a number");
    EXPECT_EQ(refusal(head + " x obj 1\nBOUNDS\n UP b x --1\n"), "7: \"--1\" is not a number");
    const std::string longName(256, 'r');
    EXPECT_EQ(refusal("ROWS\n N obj\n L " + longName + "\n"),
              "3: the name \"" + std::string(40, 'r') + "...\" has 256 characters, more than 255");
    EXPECT_EQ(refusal(head + " " + std::string(300, 'c') + " obj 1\n"),
              "5: the name \"" + std::string(40, 'c') + "...\" has 300 characters, more than 255");
    EXPECT_TRUE(readText("ROWS\n N obj\n L " + std::string(255, 'r') +
                         "\nCOLUMNS\n x obj 1\n"
                         "ENDATA\n")
                    .ok);
    EXPECT_EQ(refusal(head + " x obj 1" + std::string(kMaxLineLength, ' ') + "\n"),
              "5: line longer than 1048576 characters");
    EXPECT_EQ(refusal(head + " x obj 1\nBOUNDS\n XX b x 1\n"), "7: unknown bound type \"XX\"");
    EXPECT_EQ(refusal(head + " x obj 1\nBOUNDS\n UP b x\n"), "7: the bound UP needs a value");
}

TEST(MpsFaults, InfiniteAndHugeValues) {
    // An infinite right-hand side in the binding direction: nothing satisfies the row.
    for (const char* rhs : {" rhs low 1e30\n", " rhs low Infinity\n", " rhs lim -1e30\n",
                            " rhs lim -1e400\n", " rhs eq 1e30\n", " rhs eq -inf\n"}) {
        const std::string row = std::string(rhs).substr(5, 3);
        const std::string name = row == "low" ? "low" : row == "lim" ? "lim" : "eq";
        EXPECT_EQ(refusal(freeModel(rhs)),
                  "12: row " + name +
                      " has an infinite right-hand side in its binding direction: no point "
                      "satisfies it")
            << rhs;
    }
    // In the other direction the row is free.
    const LinearModel free = model(freeModel(" rhs low -1e30 lim 1e31\n"));
    EXPECT_EQ(free.relation[0], 'N');
    EXPECT_EQ(free.relation[1], 'N');
    // A finite right-hand side the solver would take as infinite.
    EXPECT_EQ(refusal(freeModel(" rhs eq 2e20\n")),
              "12: row eq has the right-hand side 2e+20, 1e20 or more in magnitude, which the "
              "solver takes as infinite (write 1e30 or more for no limit)");
    EXPECT_EQ(refusal(freeModel(" rhs lim 1\n", "RANGES\n r lim 1e25\n")),
              "14: row lim has the right-hand side -1e+25, 1e20 or more in magnitude, which the "
              "solver takes as infinite (write 1e30 or more for no limit)");
    EXPECT_EQ(refusal("ROWS\n N obj\n L lim\nCOLUMNS\n x lim 1e20\n"),
              "5: the coefficient 1e+20 of column x in row lim is 1e20 or more in magnitude, "
              "which the solver takes as infinite");
    EXPECT_EQ(refusal("ROWS\n N obj\nCOLUMNS\n x obj -1e400\n"),
              "4: the coefficient -inf of column x in row obj is 1e20 or more in magnitude, "
              "which the solver takes as infinite");
    // Bounds: 1e30 and beyond are infinite; from 1e20 the solver's infinity in the direction
    // that binds nothing, a refusal in the one that binds.
    const LinearModel bounds = model(
        "ROWS\n N obj\nCOLUMNS\n x obj 1\nBOUNDS\n UP b x 1e25\n"
        " LO b x -1e22\nENDATA\n");
    EXPECT_EQ(bounds.colUpper[0], kInfinity);
    EXPECT_EQ(bounds.colLower[0], -kInfinity);
    EXPECT_EQ(refusal("ROWS\n N obj\nCOLUMNS\n x obj 1\nBOUNDS\n LO b x 1e25\n"),
              "6: column x has the lower bound 1e+25, 1e20 or more in magnitude, which the solver "
              "takes as infinite (write 1e30 or more for no bound)");
    EXPECT_EQ(refusal("ROWS\n N obj\nCOLUMNS\n x obj 1\nBOUNDS\n LO b x 1e30\n"),
              "6: column x has an infinite bound in its binding direction: no value satisfies it");
}

std::string writeFile(const std::string& name, const std::string& bytes) {
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(MpsFaults, ReadModelReportsFileAndLine) {
    const std::string path = writeFile("fault.mps", "ROWS\n N obj\nCOLUMNS\n x r 1\n");
    try {
        readModel(path, nullptr);
        FAIL() << "accepted";
    } catch (const ModelFileError& error) {
        EXPECT_EQ(std::string(error.what()), path + ":4: row r is not declared in ROWS");
        EXPECT_EQ(error.line(), 4u);
    }
    const std::string corrupt = writeFile("corrupt.mps.gz", "\x1f\x8b\x08 not deflate data");
    try {
        readModel(corrupt, nullptr);
        FAIL() << "accepted";
    } catch (const ModelFileError& error) {
        EXPECT_EQ(std::string(error.what()), corrupt + ": the gzip stream is corrupt");
    }
}

}  // namespace
}  // namespace corvane::host
