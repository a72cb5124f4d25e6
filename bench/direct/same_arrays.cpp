// Writes a model as CLP's and CBC's own programs must read it to solve exactly the numbers that
// `corvane` solves.
//
//   same_arrays MODEL OUT.mps
//
// MODEL is read with the host kit's reader, the one `corvane solve` uses, and written in
// CoinMpsIO's IEEE hex form, in which every double is spelled out bit for bit: CoinMpsIO's decimal
// parser is one unit in the last place off on many coefficients, while the host kit's rounds
// correctly, so a decimal file would hand `clp` and `cbc` a slightly different matrix. Rows,
// columns and the entries of each column keep their order, and their names; bounds, ranges,
// integer columns and the objective constant are kept. Free rows other than the objective are
// left out, as CoinMpsIO and the optimizer library both drop them. A maximisation is written as the
// minimisation of the negated objective (the hex form has no objective sense) and the program
// prints "sense -1" so that the caller can turn the reported objective back; else "sense 1".
//
// The file is then read back with CoinMpsIO, as `clp` and `cbc` read it, and every double is
// compared with the host kit's: the program exits 1 and names the first differences when any is
// not bit-identical, 2 when the model cannot be read or written. Infinite bounds count as equal
// when both sides have them at 1e20 or beyond; names are compared without their inner spaces,
// which CoinMpsIO drops.
#include <CoinMpsIO.hpp>
#include <CoinPackedMatrix.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "platform/host/model/model_reader.h"

namespace {

using namespace corvane::host;

constexpr double kCoinInfinity = 1.0e30;

double rowLowerOf(const LinearModel& m, int r) {
    switch (m.relation[r]) {
        case 'E':
        case 'G':
        case 'R':
            return m.rhs[r];
        default:
            return -kCoinInfinity;
    }
}

double rowUpperOf(const LinearModel& m, int r) {
    switch (m.relation[r]) {
        case 'E':
        case 'L':
            return m.rhs[r];
        case 'R':
            return m.rangeHigh[r];
        default:
            return kCoinInfinity;
    }
}

double coinBound(double value) {
    if (value >= kInfiniteBound) return kCoinInfinity;
    if (value <= -kInfiniteBound) return -kCoinInfinity;
    return value;
}

// The host kit's model in CoinMpsIO's terms: bounds on rows, infinities at 1e30, a minimisation.
// Free rows are left out: CoinMpsIO drops them when it reads a file, and the optimizer library
// drops them before CLP sees the problem.
struct CoinArrays {
    std::vector<double> colLower, colUpper, cost, rowLower, rowUpper;
    std::vector<char> integer;
    std::vector<std::string> colNames, rowNames;
    std::vector<int> colStart, rowIndex;  // the entries of the rows kept, in the host kit's order
    std::vector<double> value;
    CoinPackedMatrix matrix;
    double offset = 0.0;  // the objective constant, as CoinMpsIO counts it
    double sense = 1.0;
};

CoinArrays coinArrays(const LinearModel& m) {
    CoinArrays a;
    const int n = m.numCols(), rows = m.numRows();
    a.sense = m.sense == ObjectiveSense::Maximize ? -1.0 : 1.0;
    for (int j = 0; j < n; ++j) {
        a.colLower.push_back(coinBound(m.colLower[j]));
        a.colUpper.push_back(coinBound(m.colUpper[j]));
        a.cost.push_back(a.sense * m.cost[j] + 0.0);  // no negative zeros
        a.integer.push_back(m.kind[j] == ColumnKind::Integer ? 1 : 0);
        a.colNames.emplace_back(m.colNames[j]);
    }
    std::vector<int> kept(rows, -1);
    for (int r = 0; r < rows; ++r) {
        if (m.relation[r] == 'N') continue;
        kept[r] = static_cast<int>(a.rowNames.size());
        a.rowLower.push_back(coinBound(rowLowerOf(m, r)));
        a.rowUpper.push_back(coinBound(rowUpperOf(m, r)));
        a.rowNames.emplace_back(m.rowNames[r]);
    }
    a.colStart.push_back(0);
    for (int j = 0; j < n; ++j) {
        for (int p = m.colStart[j]; p < m.colStart[j + 1]; ++p) {
            if (kept[m.rowIndex[p]] < 0) continue;
            a.rowIndex.push_back(kept[m.rowIndex[p]]);
            a.value.push_back(m.value[p]);
        }
        a.colStart.push_back(static_cast<int>(a.value.size()));
    }
    std::vector<int> lengths(n);
    for (int j = 0; j < n; ++j) lengths[j] = a.colStart[j + 1] - a.colStart[j];
    a.matrix = CoinPackedMatrix(true, static_cast<int>(a.rowNames.size()), n,
                                static_cast<int>(a.value.size()), a.value.data(), a.rowIndex.data(),
                                a.colStart.data(), lengths.data());
    // CoinMpsIO keeps the right-hand side of the objective row, the constant's negative.
    a.offset = m.objConstant == 0.0 ? 0.0 : -a.sense * m.objConstant;
    return a;
}

std::string refusal(const LinearModel& m) {
    if (m.isQuadratic()) return "a quadratic objective";
    if (m.numSets() > 0) return "special ordered sets";
    for (ColumnKind kind : m.kind)
        if (kind == ColumnKind::SemiContinuous) return "semi-continuous columns";
    return "";
}

bool same(double a, double b) {
    if (a >= kInfiniteBound && b >= kInfiniteBound) return true;
    if (a <= -kInfiniteBound && b <= -kInfiniteBound) return true;
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Reports differences one line each, the first few of every kind, and counts them all.
class Differences {
  public:
    void check(const char* what, const std::string& name, double ours, double theirs) {
        if (same(ours, theirs)) return;
        if (++count_ <= 20)
            std::fprintf(stderr, "differs: %s of %s: %.17g written, %.17g read back\n", what,
                         name.c_str(), ours, theirs);
    }
    void fail(const std::string& message) {
        ++count_;
        std::fprintf(stderr, "differs: %s\n", message.c_str());
    }
    int count() const { return count_; }

  private:
    int count_ = 0;
};

// CoinMpsIO drops the spaces inside names when it reads them (forplan has "DEDO3 11").
std::string withoutSpaces(std::string name) {
    name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
    return name;
}

int compareReadBack(const CoinArrays& a, const char* path) {
    CoinMpsIO in;
    in.messageHandler()->setLogLevel(0);
    if (in.readMps(path, "") != 0) {
        std::fprintf(stderr, "%s: CoinMpsIO cannot read the file back\n", path);
        return 1;
    }
    Differences d;
    const int n = static_cast<int>(a.colLower.size()), m = static_cast<int>(a.rowLower.size());
    if (in.getNumCols() != n || in.getNumRows() != m) {
        d.fail("size: " + std::to_string(m) + " rows, " + std::to_string(n) + " columns written, " +
               std::to_string(in.getNumRows()) + " and " + std::to_string(in.getNumCols()) +
               " read back");
        return 1;
    }
    for (int j = 0; j < n; ++j) {
        const std::string& name = a.colNames[j];
        if (withoutSpaces(name) != in.columnName(j))
            d.fail("name of column " + std::to_string(j) + ": \"" + name + "\" written, \"" +
                   in.columnName(j) + "\" read back");
        d.check("lower bound", name, a.colLower[j], in.getColLower()[j]);
        d.check("upper bound", name, a.colUpper[j], in.getColUpper()[j]);
        d.check("cost", name, a.cost[j], in.getObjCoefficients()[j]);
        if ((a.integer[j] != 0) != in.isInteger(j)) d.fail("integrality of column " + name);
    }
    for (int r = 0; r < m; ++r) {
        const std::string& name = a.rowNames[r];
        if (withoutSpaces(name) != in.rowName(r))
            d.fail("name of row " + std::to_string(r) + ": \"" + name + "\" written, \"" +
                   in.rowName(r) + "\" read back");
        d.check("row lower", name, a.rowLower[r], in.getRowLower()[r]);
        d.check("row upper", name, a.rowUpper[r], in.getRowUpper()[r]);
    }
    d.check("objective constant", "the objective", a.offset, in.objectiveOffset());
    const CoinPackedMatrix& back = *in.getMatrixByCol();
    for (int j = 0; j < n; ++j) {
        const CoinShallowPackedVector ours = a.matrix.getVector(j), theirs = back.getVector(j);
        if (ours.getNumElements() != theirs.getNumElements()) {
            d.fail("entries of column " + a.colNames[j]);
            continue;
        }
        for (int k = 0; k < ours.getNumElements(); ++k) {
            if (ours.getIndices()[k] != theirs.getIndices()[k])
                d.fail("row order in column " + a.colNames[j]);
            else
                d.check("coefficient", a.colNames[j] + " in " + a.rowNames[ours.getIndices()[k]],
                        ours.getElements()[k], theirs.getElements()[k]);
        }
    }
    if (d.count() > 0) {
        std::fprintf(stderr, "%s: %d values are not read back as written\n", path, d.count());
        return 1;
    }
    return 0;
}

// The hex text CoinMpsIO writes, and reads back bit for bit, for one double.
std::string hex(double value) {
    char text[24];
    CoinConvertDouble(0, 2, value, text);  // 2: IEEE hex as a little-endian machine holds it
    return text;
}

// An MPS file in CoinMpsIO's own hex layout. CoinMpsIO's writer would sort the entries of each
// column by row; this one keeps them in the order the host kit read them, which is the order
// `corvane` hands to the optimizer, since the order of the entries can change pivot choices.
class HexMpsWriter {
  public:
    HexMpsWriter(const LinearModel& model, const CoinArrays& a) : m_(model), a_(a) {
        for (const std::string& name : a.colNames) free_ = free_ || name.size() > 8;
        for (const std::string& name : a.rowNames) free_ = free_ || name.size() > 8;
    }

    // Names are fields of a free-format file, so they cannot hold spaces there.
    std::string refusal() const {
        if (!free_) return "";
        for (const auto* names : {&a_.colNames, &a_.rowNames})
            for (const std::string& name : *names)
                if (name.find(' ') != std::string::npos)
                    return "the name \"" + name +
                           "\" is longer than 8 characters and holds a space";
        return "";
    }

    bool write(const char* path) {
        out_ = std::fopen(path, "w");
        if (!out_) return false;
        std::string name = m_.name.empty() ? "MODEL" : m_.name.substr(0, 8);
        for (char& c : name)
            if (c == ' ') c = '_';
        std::fprintf(out_, "NAME          %-10s%sIEEE\nROWS\n N  %s\n", name.c_str(),
                     free_ ? "FREE" : "", kObjective);
        for (size_t r = 0; r < a_.rowNames.size(); ++r)
            std::fprintf(out_, " %c  %s\n", rowType(r), a_.rowNames[r].c_str());
        writeColumns();
        writeRhs();
        writeRanges();
        writeBounds();
        std::fprintf(out_, "ENDATA\n");
        return std::fclose(out_) == 0;
    }

  private:
    static constexpr const char* kObjective = "OBJROW";

    void line(const char* head, const std::string& first, const std::string& second,
              const std::string& value) {
        if (free_)
            std::fprintf(out_, "%s%s %s %s\n", head, first.c_str(), second.c_str(), value.c_str());
        else
            std::fprintf(out_, "%s%-8s  %-8s  %s\n", head, first.c_str(), second.c_str(),
                         value.c_str());
    }

    bool ranged(size_t r) const {
        return a_.rowLower[r] > -kCoinInfinity && a_.rowUpper[r] < kCoinInfinity &&
               a_.rowLower[r] != a_.rowUpper[r];
    }

    // A ranged row is written as 'L' (lower = rhs - |range|) when a range exists that gives the
    // lower end exactly, else as 'G' (upper = rhs + |range|).
    char rowType(size_t r) const {
        const double lower = a_.rowLower[r], upper = a_.rowUpper[r];
        if (lower <= -kCoinInfinity) return upper >= kCoinInfinity ? 'N' : 'L';
        if (upper >= kCoinInfinity) return 'G';
        if (lower == upper) return 'E';
        double range;
        return exactRange(upper, lower, -1.0, range) ? 'L' : 'G';
    }

    // The range R with rhs + direction * R == end exactly, near |end - rhs|.
    static bool exactRange(double rhs, double end, double direction, double& range) {
        double guess = std::fabs(end - rhs);
        double low = guess, high = guess;
        for (int step = 0; step < 8; ++step) {
            for (double candidate : {low, high}) {
                if (rhs + direction * std::fabs(candidate) == end) {
                    range = candidate;
                    return true;
                }
            }
            low = std::nextafter(low, 0.0);
            high = std::nextafter(high, kCoinInfinity);
        }
        range = guess;
        return false;
    }

    double rhsOf(size_t r) const {
        switch (rowType(r)) {
            case 'L':
                return a_.rowUpper[r];
            case 'N':
                return 0.0;
            default:
                return a_.rowLower[r];
        }
    }

    void writeColumns() {
        std::fprintf(out_, "COLUMNS\n");
        bool inIntegers = false;
        int marker = 0;
        for (size_t j = 0; j < a_.colNames.size(); ++j) {
            if ((a_.integer[j] != 0) != inIntegers) {
                inIntegers = !inIntegers;
                std::fprintf(out_, "    MARKER%-4d            'MARKER'                 '%s'\n",
                             marker++, inIntegers ? "INTORG" : "INTEND");
            }
            const std::string& column = a_.colNames[j];
            if (a_.cost[j] != 0.0) line("    ", column, kObjective, hex(a_.cost[j]));
            for (int p = a_.colStart[j]; p < a_.colStart[j + 1]; ++p)
                line("    ", column, a_.rowNames[a_.rowIndex[p]], hex(a_.value[p]));
        }
        if (inIntegers)
            std::fprintf(out_, "    MARKER%-4d            'MARKER'                 'INTEND'\n",
                         marker);
    }

    void writeRhs() {
        std::fprintf(out_, "RHS\n");
        if (a_.offset != 0.0) line("    ", "RHS", kObjective, hex(a_.offset));
        for (size_t r = 0; r < a_.rowNames.size(); ++r)
            if (rhsOf(r) != 0.0) line("    ", "RHS", a_.rowNames[r], hex(rhsOf(r)));
    }

    void writeRanges() {
        bool any = false;
        for (size_t r = 0; r < a_.rowNames.size(); ++r) {
            if (!ranged(r)) continue;
            if (!any) std::fprintf(out_, "RANGES\n");
            any = true;
            double range;
            if (rowType(r) == 'L')
                exactRange(a_.rowUpper[r], a_.rowLower[r], -1.0, range);
            else
                exactRange(a_.rowLower[r], a_.rowUpper[r], 1.0, range);
            line("    ", "RANGE", a_.rowNames[r], hex(range));
        }
    }

    // Every bound that differs from the default [0, inf), and both ends of an integer column, so
    // that no reader's default for integer columns applies. UP comes before LO because an upper
    // bound below zero moves a zero lower bound to minus infinity in some readers.
    void writeBounds() {
        std::fprintf(out_, "BOUNDS\n");
        for (size_t j = 0; j < a_.colNames.size(); ++j) {
            const std::string& column = a_.colNames[j];
            const double lower = a_.colLower[j], upper = a_.colUpper[j];
            const bool integer = a_.integer[j] != 0;
            if (lower == upper) {
                line(" FX ", "BOUND", column, hex(lower));
                continue;
            }
            if (lower <= -kCoinInfinity && upper >= kCoinInfinity) {
                line(" FR ", "BOUND", column, "");
                continue;
            }
            if (upper < kCoinInfinity)
                line(" UP ", "BOUND", column, hex(upper));
            else if (integer)
                line(" PL ", "BOUND", column, "");
            if (lower <= -kCoinInfinity)
                line(" MI ", "BOUND", column, "");
            else if (lower != 0.0 || integer || upper < 0.0)
                line(" LO ", "BOUND", column, hex(lower));
        }
    }

    const LinearModel& m_;
    const CoinArrays& a_;
    bool free_ = false;
    std::FILE* out_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s MODEL OUT.mps\n", argv[0]);
        return 2;
    }
    LinearModel model;
    try {
        model = readModel(argv[1], &std::cerr);
    } catch (const ModelError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 2;
    }
    const std::string refused = refusal(model);
    if (!refused.empty()) {
        std::fprintf(stderr, "%s: %s cannot be written for clp and cbc\n", argv[1],
                     refused.c_str());
        return 2;
    }
    const CoinArrays a = coinArrays(model);
    HexMpsWriter writer(model, a);
    const std::string unwritable = writer.refusal();
    if (!unwritable.empty()) {
        std::fprintf(stderr, "%s: %s\n", argv[1], unwritable.c_str());
        return 2;
    }
    if (!writer.write(argv[2])) {
        std::fprintf(stderr, "%s: cannot write the file\n", argv[2]);
        return 2;
    }
    if (compareReadBack(a, argv[2]) != 0) return 1;
    std::printf("sense %d\n", a.sense < 0 ? -1 : 1);
    return 0;
}
