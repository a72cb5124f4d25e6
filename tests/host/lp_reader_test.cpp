// The LP reader: what each part of the format brings into the model, and each fault it refuses,
// with the line and the exact message.
#include <bzlib.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/host/model/lp_reader.h"
#include "platform/host/model/model_reader.h"

namespace corvane::host {
namespace {

LinearModel read(std::string_view text) {
    MemoryLineSource lines(text);
    LinearModel model;
    ReadError error;
    EXPECT_TRUE(readLp(lines, model, error)) << "line " << error.line << ": " << error.message;
    return model;
}

testing::AssertionResult refused(std::string_view text, size_t line, const std::string& message) {
    MemoryLineSource lines(text);
    LinearModel model;
    ReadError error;
    if (readLp(lines, model, error)) return testing::AssertionFailure() << "the file was read";
    if (error.line == line && error.message == message) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "refused on line " << error.line << ": " << error.message;
}

// The coefficient of `column` in `row`, from the column-wise matrix; 0 when absent.
double entry(const LinearModel& model, int row, int column) {
    for (int k = model.colStart[column]; k < model.colStart[column + 1]; ++k)
        if (model.rowIndex[k] == row) return model.value[k];
    return 0.0;
}

std::vector<std::string> names(const NameTable& table) {
    std::vector<std::string> result;
    for (size_t i = 0; i < table.size(); ++i) result.emplace_back(table[i]);
    return result;
}

// ---- Objective ----

TEST(LpObjective, SenseInEveryUsualSpelling) {
    for (const char* word : {"Minimize", "minimise", "MINIMUM", "min"})
        EXPECT_EQ(read(std::string(word) + "\n x\n").sense, ObjectiveSense::Minimize) << word;
    for (const char* word : {"Maximize", "maximise", "Maximum", "MAX"})
        EXPECT_EQ(read(std::string(word) + "\n x\n").sense, ObjectiveSense::Maximize) << word;
}

TEST(LpObjective, CoefficientsConstantAndRepeatedColumnsAsWritten) {
    const LinearModel model = read(
        "Maximize\n"
        " profit: 3 + 30 chairs\n"
        "   + 50 tables - 100 - chairs\n"
        "Subject To\n"
        " c: chairs + tables <= 4\n");
    EXPECT_EQ(model.sense, ObjectiveSense::Maximize);
    EXPECT_EQ(names(model.colNames), (std::vector<std::string>{"chairs", "tables"}));
    EXPECT_EQ(model.cost, (std::vector<double>{29.0, 50.0}));
    EXPECT_DOUBLE_EQ(model.objConstant, -97.0);
    EXPECT_FALSE(model.isQuadratic());
    // Signs in a row multiply, as writers that print every term with its own sign put them out.
    EXPECT_EQ(read("Min\n x + -3 y - -2 z\n").cost, (std::vector<double>{1.0, -3.0, 2.0}));
}

TEST(LpObjective, EmptyObjectiveAndAnObjectiveOnTheKeywordsLine) {
    const LinearModel empty = read("Minimize\nSubject To\n x + y >= 1\n");
    EXPECT_EQ(empty.cost, (std::vector<double>{0.0, 0.0}));
    const LinearModel sameLine = read("Minimize obj: 2 x\nst\n x >= 1\n");
    EXPECT_EQ(sameLine.cost, (std::vector<double>{2.0}));
}

TEST(LpObjective, DiagonalQuadraticTermsInHalvedBrackets) {
    const LinearModel model = read(
        "Minimize\n"
        " obj: x + [ x^2 + 3 y * y\n"
        "   - 0.5 x ^ 2 + 0 x * y ] / 2 - [ 2 z^2 ]/2\n");
    EXPECT_EQ(names(model.colNames), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(model.cost, (std::vector<double>{1.0, 0.0, 0.0}));
    EXPECT_EQ(model.quadDiagonal, (std::vector<double>{0.5, 3.0, -2.0}));
}

TEST(LpObjective, QuadraticFaults) {
    EXPECT_TRUE(refused("Min\n obj: [ x * y ] / 2\n", 2,
                        "the objective has the off-diagonal quadratic term (x, y); only "
                        "separable quadratic objectives are supported"));
    EXPECT_TRUE(refused("Min\n obj: [ x^3 ] / 2\n", 2,
                        "the objective has the term x^3; only squares are allowed"));
    EXPECT_TRUE(refused("Min\n obj: [ x^2 ]\nst\n x >= 1\n", 3,
                        "the quadratic part of the objective must end with ] / 2"));
    EXPECT_TRUE(refused("Min\n obj: [ x^2 ] / 4\n", 2,
                        "the quadratic part of the objective must end with ] / 2"));
    EXPECT_TRUE(refused("Min\n obj: [ x^2\n + y^2\n", 3,
                        "the file ends inside the quadratic part of the objective opened on "
                        "line 2"));
    EXPECT_TRUE(refused("Min\n obj: [ x^2\nst\n x >= 1\n", 3,
                        "the quadratic part of the objective opened on line 2 has no closing ]"));
    const std::string quadraticRow =
        "row c has a quadratic term; only the objective may be quadratic";
    EXPECT_TRUE(refused("Min\n obj: x\nst\n c: [ x^2 ] >= 1\n", 4, quadraticRow));
    EXPECT_TRUE(refused("Min\n obj: x\nst\n c: x + [ x^2 ] >= 1\n", 4, quadraticRow));
    EXPECT_TRUE(refused("Min\n obj: x\nst\n c: x [ x^2 ] >= 1\n", 4, quadraticRow));
}

// ---- Constraints ----

TEST(LpConstraints, EverySpellingOfTheSection) {
    for (const char* word : {"Subject To", "subject   to", "SUCH THAT", "st", "S.T.", "st."})
        EXPECT_EQ(read(std::string("min\n x\n") + word + "\n x >= 1\n").numRows(), 1) << word;
}

TEST(LpConstraints, NamedAndUnnamedRowsWithEveryRelation) {
    const LinearModel model = read(
        "Minimize\n x\nSubject To\n"
        " a: x + y <= 1\n"
        " x - y =< 2\n"
        " b: x < 3 c: y > 4\n"
        " x => 5\n"
        " d:\n 2 x\n + 3 y\n = 6\n");
    EXPECT_EQ(names(model.rowNames),
              (std::vector<std::string>{"a", "cons1", "b", "c", "cons4", "d"}));
    EXPECT_EQ(model.relation, (std::vector<RowRelation>{'L', 'L', 'L', 'G', 'G', 'E'}));
    EXPECT_EQ(model.rhs, (std::vector<double>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(entry(model, 1, 1), -1.0);
    EXPECT_EQ(entry(model, 5, 0), 2.0);
    EXPECT_EQ(entry(model, 5, 1), 3.0);
}

TEST(LpConstraints, RangesFromEitherSideAndInfiniteSides) {
    const LinearModel model = read(
        "Minimize\n x\nSubject To\n"
        " r1: -2 <= x + y <= 5\n"
        " r2: 5 >= x - y >= -2\n"
        " r3: 3 <= x\n"
        " r4: -inf <= x + y <= 4\n"
        " r5: x + y >= -1e30\n"
        " r6: x + y <= +Infinity\n"
        " r7: 2 <= x <= 2\n");
    EXPECT_EQ(model.relation, (std::vector<RowRelation>{'R', 'R', 'G', 'L', 'N', 'N', 'E'}));
    EXPECT_EQ(model.rhs, (std::vector<double>{-2, -2, 3, 4, 0, 0, 2}));
    EXPECT_EQ(model.rangeHigh, (std::vector<double>{5, 5, 0, 0, 0, 0, 0}));
}

TEST(LpConstraints, MatrixIsColumnWiseWithRepeatsSummedAndZerosDropped) {
    const LinearModel model = read(
        "Minimize\n obj: z\nSubject To\n"
        " a: x + y + x + 0 z >= 1\n"
        " b: y - y + z >= 1\n"
        " c: z + 2 x >= 1\n");
    EXPECT_EQ(names(model.colNames), (std::vector<std::string>{"z", "x", "y"}));
    EXPECT_EQ(model.colStart, (std::vector<int>{0, 2, 4, 5}));
    EXPECT_EQ(model.rowIndex, (std::vector<int>{1, 2, 0, 2, 0}));
    EXPECT_EQ(model.value, (std::vector<double>{1, 1, 2, 2, 1}));
}

// Long rows, each column written twice far apart, and short rows after them over the same columns.
TEST(LpConstraints, RepeatsSummedInRowsOfAnyLength) {
    std::string text = "Minimize\n obj: c0\nSubject To\n";
    const int columns = 300;
    for (int row = 0; row < 3; ++row) {
        text += " r" + std::to_string(row) + ":";
        for (int pass = 1; pass <= 2; ++pass)
            for (int j = 0; j < columns; j += row + 1)
                text += " + " + std::to_string(pass * (row + 1)) + " c" + std::to_string(j) + "\n";
        text += " >= 1\n";
    }
    text += " s: c7 + c7 + c299 >= 1\n";
    const LinearModel model = read(text);
    ASSERT_EQ(model.numCols(), columns);
    for (int j = 0; j < columns; ++j) {
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(entry(model, row, j), j % (row + 1) == 0 ? 3.0 * (row + 1) : 0.0) << j;
        EXPECT_EQ(entry(model, 3, j), j == 7 ? 2.0 : j == 299 ? 1.0 : 0.0) << j;
    }
}

TEST(LpConstraints, RowFaults) {
    EXPECT_TRUE(refused("Min\n x\nst\n c: x + 3 >= 1\n", 4,
                        "row c has a constant among its terms; it belongs on the right-hand side"));
    EXPECT_TRUE(refused("Min\n x\nst\n c: 1 <= x >= 0\n", 4,
                        "row c is a range; it needs two <= or two >="));
    EXPECT_TRUE(
        refused("Min\n x\nst\n c: 1 = x = 1\n", 4, "row c is a range; it needs two <= or two >="));
    EXPECT_TRUE(refused("Min\n x\nst\n c: x + y\n", 4, "the file ends inside row c"));
    EXPECT_TRUE(refused("Min\n x\nst\n x + y\nBounds\n x <= 1\n", 5,
                        "row cons0: expected +, - or a relation, found \"Bounds\""));
    EXPECT_TRUE(refused("Min\n x\nst\n c: x y >= 1\n", 4,
                        "row c: expected +, - or a relation, found \"y\""));
    EXPECT_TRUE(refused("Min\n x\nst\n c: x >= y\n", 4, "row c: expected a number, found \"y\""));
}

// ---- Bounds ----

TEST(LpBounds, EveryFormOfBound) {
    const LinearModel model = read(
        "Minimize\n a + b + c + d + e + f + g + h\nSubject To\n a + h >= 1\n"
        "Bounds\n"
        " a <= 4\n"
        " -1 <= b <= 2\n"
        " 3 >= c\n"
        " d = 1.5\n"
        " e free\n"
        " -inf <= f <= +inf\n"
        " g >= -1e30\n"
        " 2 >= h >= -INFINITY\n"
        " late <= 7\n");
    EXPECT_EQ(model.colLower, (std::vector<double>{0, -1, 0, 1.5, -kInfinity, -kInfinity,
                                                   -kInfinity, -kInfinity, 0}));
    EXPECT_EQ(model.colUpper,
              (std::vector<double>{4, 2, 3, 1.5, kInfinity, kInfinity, kInfinity, 2, 7}));
    EXPECT_EQ(model.colNames[8], "late");
}

TEST(LpBounds, BoundsFromTheSolversInfinityOnAreInfiniteOrRefused) {
    const LinearModel model = read("Min\n x + y\nBounds\n x <= 1e25\n y >= -5e20\n");
    EXPECT_EQ(model.colUpper[0], kInfinity);
    EXPECT_EQ(model.colLower[1], -kInfinity);
    EXPECT_TRUE(refused("Min\n x\nBounds\n x >= 1e25\n", 4,
                        "column x has the lower bound 1e+25, 1e20 or more in magnitude, which the "
                        "solver takes as infinite (write 1e30 or more for no bound)"));
    EXPECT_TRUE(refused("Min\n x\nBounds\n x >= inf\n", 4,
                        "column x has an infinite bound in its binding direction: no value "
                        "satisfies it"));
    EXPECT_TRUE(refused("Min\n x\nBounds\n x = -1e30\n", 4,
                        "column x has an infinite bound in its binding direction: no value "
                        "satisfies it"));
}

TEST(LpBounds, BoundFaults) {
    EXPECT_TRUE(refused("Min\n x\nBounds\n x 4\n", 4,
                        "the bound of column x: expected a relation or free, found \"4\""));
    EXPECT_TRUE(refused("Min\n x\nBounds\n 2 x <= 4\n", 4,
                        "the Bounds section: expected a relation, found \"x\""));
    EXPECT_TRUE(refused("Min\n x\nBounds\n 1 <= x >= 4\n", 4,
                        "the bound of column x needs two <= or two >="));
    EXPECT_TRUE(refused("Min\n x\nBounds\n x <= nan\n", 4, "\"nan\" is not a number"));
    EXPECT_TRUE(
        refused("Min\n x\nBounds\n x <=\n", 4, "the file ends inside the bound of column x"));
}

// ---- General, Binary, Semi-continuous ----

TEST(LpDeclarations, IntegerBinaryAndSemiContinuousInEverySpelling) {
    for (const char* word : {"General", "generals", "GEN", "Integer", "integers"}) {
        const LinearModel model = read(std::string("Min\n x + y\n") + word + "\n x\n");
        EXPECT_EQ(model.kind[0], ColumnKind::Integer) << word;
        EXPECT_EQ(model.kind[1], ColumnKind::Continuous) << word;
    }
    for (const char* word : {"Semi-Continuous", "semicontinuous", "SEMIS", "semi"})
        EXPECT_EQ(read(std::string("Min\n x\n") + word + "\n x\n").kind[0],
                  ColumnKind::SemiContinuous)
            << word;
    for (const char* word : {"Binary", "binaries", "BIN"})
        EXPECT_EQ(read(std::string("Min\n x\n") + word + "\n x\n").kind[0], ColumnKind::Integer)
            << word;
}

TEST(LpDeclarations, BinaryColumnsKeepTheirBoundsWithinZeroAndOne) {
    const LinearModel model = read("Min\n a + b + c\nBinaries\n a b c\nBounds\n b free\n c <= 0\n");
    EXPECT_EQ(model.colLower, (std::vector<double>{0, 0, 0}));
    EXPECT_EQ(model.colUpper, (std::vector<double>{1, 1, 0}));
}

TEST(LpDeclarations, Faults) {
    EXPECT_TRUE(refused("Min\n x\nGeneral\n x\nBinary\n x\n", 6,
                        "column x is already declared integer on line 4"));
    EXPECT_TRUE(refused("Min\n x\nSemis\n x\nGenerals\n y x\n", 6,
                        "the General section names the column y, which no objective, constraint "
                        "or bound mentions"));
    EXPECT_TRUE(refused("Min\n x\nSemis\n x x\n", 4,
                        "column x is already declared semi-continuous on line 4"));
    EXPECT_TRUE(refused("Min\n x\nBinary\n x 3\n", 4,
                        "the Binary section: expected a column, found \"3\""));
}

// ---- Special ordered sets ----

TEST(LpSets, NamedAndUnnamedSetsInWeightOrder) {
    const LinearModel model = read(
        "Min\n a + b + c + d\nSOS\n"
        " s1: S1:: c:3 a:1\n b:2\n"
        " s2:S2::d:-1.5 a:0\n");
    EXPECT_EQ(model.setType, (std::vector<int>{1, 2}));
    EXPECT_EQ(model.setStart, (std::vector<int>{0, 3, 5}));
    EXPECT_EQ(model.setMembers, (std::vector<int>{0, 1, 2, 3, 0}));
    EXPECT_EQ(model.setWeights, (std::vector<double>{1, 2, 3, -1.5, 0}));
    EXPECT_EQ(read("Min\n a + b\nSOS\n S2:: a:1 b:2\n").setType, (std::vector<int>{2}));
}

TEST(LpSets, Faults) {
    EXPECT_TRUE(refused("Min\n a + b\nSOS\n s: S1:: a:1 b:1\n", 4,
                        "set s gives the weight 1 to both a and b"));
    EXPECT_TRUE(
        refused("Min\n a + b\nSOS\n s: S1:: a:1 a:2\n", 4, "column a is listed twice in set s"));
    EXPECT_TRUE(refused("Min\n a + b\nSOS\n s: S1:: a:1\n s: S2:: b:1\n", 5,
                        "set s is declared twice (first on line 4)"));
    EXPECT_TRUE(refused("Min\n a\nSOS\n s: S3:: a:1\n", 4,
                        "set s has the type \"S3\"; only S1 and S2 are supported"));
    EXPECT_TRUE(refused("Min\n a\nSOS\n s: S1:: z:1\n", 4,
                        "set s names the column z, which no objective, constraint or bound "
                        "mentions"));
    EXPECT_TRUE(refused("Min\n a\nSOS\n s: S1::\n t: S1:: a:1\n", 4, "set s has no members"));
    EXPECT_TRUE(refused("Min\n a\nSOS\n a:1\n", 4, "column a comes before any set"));
    EXPECT_TRUE(refused("Min\n a\nSOS\n s: S1:: a\n", 4, "the file ends inside set s"));
    EXPECT_TRUE(refused("Min\n a\nSOS\n s: S1:: a:1e30\n", 4,
                        "set s gives column a the weight 1e+30, 1e20 or more in magnitude"));
}

// ---- The file as a whole ----

TEST(LpFile, CommentsBlankLinesLineEndsAndAnOptionalEnd) {
    const std::string text =
        "\\ A comment line\r\n"
        "Minimize \\ a comment after a keyword\r\n"
        "\r\n"
        " obj: x \\ + y\r\n"
        "Subject To\r\n"
        " c: x >= 1\\no space needed\r\n";
    const LinearModel withoutEnd = read(text);
    EXPECT_EQ(withoutEnd.numCols(), 1);
    EXPECT_EQ(withoutEnd.rhs, (std::vector<double>{1.0}));
    EXPECT_EQ(read(text + "End\r\n\\ trailing comment\n\n").numRows(), 1);
    EXPECT_EQ(read("\xEF\xBB\xBFMinimize\n x\n").numCols(), 1);
}

TEST(LpFile, NamesTakeAnyPrintableCharacterButTheSigns) {
    const LinearModel model = read("Min\n x.1_{a}(b)/c!#$%&;?@'\"|~`, + \xc3\xa9t\xc3\xa9\n");
    EXPECT_EQ(names(model.colNames),
              (std::vector<std::string>{"x.1_{a}(b)/c!#$%&;?@'\"|~`,", "\xc3\xa9t\xc3\xa9"}));
}

TEST(LpFile, WholeFileFaults) {
    EXPECT_TRUE(refused("", 0, "the file holds no model"));
    EXPECT_TRUE(refused("\\ only a comment\n\n", 0, "the file holds no model"));
    EXPECT_TRUE(
        refused("\n obj: x\n", 2, "the file must start with Minimize or Maximize, not \"obj\""));
    EXPECT_TRUE(refused("Subject To\n x >= 1\n", 1,
                        "the file must start with Minimize or Maximize, not \"Subject To\""));
    EXPECT_TRUE(refused("Min\n x\nMax\n y\n", 3, "a second objective; the first is on line 1"));
    EXPECT_TRUE(refused("Min\n x\nEnd\n y\n", 4, "text after End: \"y\""));
    EXPECT_TRUE(refused("Min\n x\nst\n x >= 1\nUser Constraints\n x <= 3\n", 5,
                        "unknown section \"User Constraints\""));
    EXPECT_TRUE(refused("Min\n x\nst\n x >= 1\nLazy Constraints\n x <= 3\n", 5,
                        "the section \"Lazy Constraints\" is not supported"));
    EXPECT_TRUE(refused("Min\n x\nConstraints\n x >= 1\n", 3, "unknown section \"Constraints\""));
    EXPECT_TRUE(
        refused("Min\n x\nBounds\n x <= 1\nGenerels\n x\n", 5, "unknown section \"Generels\""));
    EXPECT_TRUE(
        refused("Min\n x\nSemi-Integer\n x\n", 3, "the section \"Semi-Integer\" is not supported"));
    EXPECT_TRUE(refused("Min\n x\x01\n", 2, "the control character 0x01 is not allowed"));
}

TEST(LpFile, NumbersAndNames) {
    EXPECT_TRUE(refused("Min\n 3x\n", 2, "\"3x\" is not a number"));
    EXPECT_TRUE(refused("Min\n x\nst\n x >= 1.2.3\n", 4, "\"1.2.3\" is not a number"));
    EXPECT_TRUE(refused("Min\n x\nst\n c: x >= NaN\n", 4, "\"NaN\" is not a number"));
    EXPECT_TRUE(refused("Min\n y + nan x\n", 2, "\"nan\" is not a number"));
    const std::string longName(256, 'n');
    EXPECT_TRUE(refused("Min\n x + " + longName + "\n", 2,
                        "the name \"nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn...\" has 256 "
                        "characters, more than 255"));
    EXPECT_EQ(read("Min\n x + " + std::string(255, 'n') + "\n").numCols(), 2);
    EXPECT_TRUE(refused("Min\n x\n" + std::string(kMaxLineLength + 1, ' ') + "\n", 3,
                        "line longer than " + std::to_string(kMaxLineLength) + " characters"));
    EXPECT_EQ(read("Min\n 1e-400 x + 2.5E+1 y + .5 z\n").cost, (std::vector<double>{0, 25, 0.5}));
}

TEST(LpFile, DuplicateRows) {
    EXPECT_TRUE(refused("Min\n x\nst\n c: x >= 1\n c: x <= 2\n", 5,
                        "row c is declared twice (first on line 4)"));
    EXPECT_TRUE(refused("Min\n x\nst\n x >= 1\n cons0: x <= 2\n", 5,
                        "the row name cons0 is given twice (first on line 4); an unnamed row is "
                        "named cons and its position from 0"));
}

// A model file named .lp, .lp.gz or .lp.bz2 reaches this reader, compressed or not.
TEST(LpFile, PlainGzipAndBzip2FilesByTheirNames) {
    const std::string text = "Maximize\n obj: 2 x + 3 y\nSubject To\n c: x + y <= 4\nEnd\n";
    const std::string folder = testing::TempDir();
    std::ofstream(folder + "plain.lp") << text;
    gzFile gzip = gzopen((folder + "model.lp.gz").c_str(), "wb");
    gzwrite(gzip, text.data(), static_cast<unsigned>(text.size()));
    gzclose(gzip);
    std::string bzip2(text.size() + 600, '\0');
    unsigned size = static_cast<unsigned>(bzip2.size());
    BZ2_bzBuffToBuffCompress(bzip2.data(), &size, const_cast<char*>(text.data()),
                             static_cast<unsigned>(text.size()), 9, 0, 0);
    std::ofstream(folder + "model.LP.BZ2", std::ios::binary) << bzip2.substr(0, size);
    for (const char* name : {"plain.lp", "model.lp.gz", "model.LP.BZ2"}) {
        const LinearModel model = readModel(folder + name, nullptr);
        EXPECT_EQ(model.sense, ObjectiveSense::Maximize) << name;
        EXPECT_EQ(model.cost, (std::vector<double>{2.0, 3.0})) << name;
        EXPECT_EQ(model.rhs, (std::vector<double>{4.0})) << name;
    }
    std::ofstream(folder + "broken.lp") << "Minimize\n obj: x\nSubject To\n c: x >=\n";
    try {
        readModel(folder + "broken.lp", nullptr);
        ADD_FAILURE() << "a broken file was read";
    } catch (const ModelFileError& error) {
        EXPECT_EQ(error.line(), 4u);
        EXPECT_EQ(std::string(error.what()), folder + "broken.lp:4: the file ends inside row c");
    }
}

// ---- The solver's infinity ----

TEST(LpLimits, InfiniteRightHandSides) {
    const LinearModel model = read("Min\n x\nst\n a: x <= 1e30\n b: x >= -1e400\n");
    EXPECT_EQ(model.relation, (std::vector<RowRelation>{'N', 'N'}));
    const std::string binding =
        " has an infinite right-hand side in its binding direction: no point satisfies it";
    EXPECT_TRUE(refused("Min\n x\nst\n a: x >= 1e30\n", 4, "row a" + binding));
    EXPECT_TRUE(refused("Min\n x\nst\n a: x <= -inf\n", 4, "row a" + binding));
    EXPECT_TRUE(refused("Min\n x\nst\n a: x = 1e400\n", 4, "row a" + binding));
    EXPECT_TRUE(refused("Min\n x\nst\n a: x + y = 2e20\n", 4,
                        "row a has the right-hand side 2e+20, 1e20 or more in magnitude, which "
                        "the solver takes as infinite (write 1e30 or more for no limit)"));
    EXPECT_TRUE(refused("Min\n x\nst\n a: 4 <= x <= 3\n", 4,
                        "row a has its lower limit 4 above its upper limit 3"));
}

TEST(LpLimits, CoefficientsFromTheSolversInfinityOn) {
    const std::string tail = " is 1e20 or more in magnitude, which the solver takes as infinite";
    EXPECT_TRUE(refused("Min\n x\nst\n a: 1e20 x >= 1\n", 4,
                        "the coefficient 1e+20 of column x in row a" + tail));
    EXPECT_TRUE(refused("Min\n x\nst\n a: 6e19 x + 6e19 x >= 1\n", 4,
                        "the coefficient 1.2e+20 of column x in row a" + tail));
    EXPECT_TRUE(
        refused("Min\n cost: -inf x\n", 2, "the coefficient -inf of column x in row cost" + tail));
    EXPECT_TRUE(refused("Min\n [ 1e30 x^2 ] / 2\n", 2,
                        "the coefficient 1e+30 of column x in row obj" + tail));
    EXPECT_TRUE(
        refused("Min\n x + 1e400\n", 2,
                "the objective obj has the constant inf, 1e20 or more in magnitude, which the "
                "solver takes as infinite"));
}

}  // namespace
}  // namespace corvane::host
