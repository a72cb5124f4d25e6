#include "platform/host/model/mps_reader.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>

#include "platform/host/model/big_arrays.h"
#include "platform/host/model/model_values.h"
#include "platform/host/model/name_index.h"

namespace corvane::host {

namespace {

// A line split into its fields. A line with more than kMaxFields fields is a fault in every
// section, so only the count of the rest is kept.
constexpr int kMaxFields = 6;
struct Fields {
    std::string_view field[kMaxFields];
    int count = 0;
    std::string_view operator[](int index) const { return field[index]; }
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Characters other than the blanks that no name or number may hold.
bool isControl(char c) {
    return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f;
}

// Fields apart by blanks. False when the line holds a control character.
bool splitFree(std::string_view line, Fields& fields) {
    fields.count = 0;
    size_t p = 0;
    const size_t n = line.size();
    while (p < n) {
        while (p < n && isBlank(line[p])) ++p;
        if (p == n) break;
        const size_t begin = p;
        while (p < n && !isBlank(line[p])) {
            if (isControl(line[p])) return false;
            ++p;
        }
        if (fields.count < kMaxFields) fields.field[fields.count] = line.substr(begin, p - begin);
        ++fields.count;
    }
    return true;
}

// Bytes of a fixed-format line padded to 64 with blanks, eight at a time: which are blanks (bit i
// for byte i), and whether any is a tab or another control character.
constexpr uint64_t kOnes = 0x0101010101010101ull, kLow7 = 0x7f * kOnes, kHigh = 0x80 * kOnes;

// 0x80 in each byte of `x` that is zero, and nowhere else.
uint64_t zeroBytes(uint64_t x) {
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

bool scanFixed(const char (&padded)[64], uint64_t& blanks) {
    blanks = 0;
    uint64_t control = 0;
    for (int w = 0; w < 8; ++w) {
        uint64_t x;
        std::memcpy(&x, padded + 8 * w, 8);
        control |= (~((x & kLow7) + 0x60 * kOnes) & ~x & kHigh) | zeroBytes(x ^ kLow7);
        // The high bit of each byte, gathered into one byte.
        const uint64_t blank = zeroBytes(x ^ (' ' * kOnes)) >> 7;
        blanks |= ((blank * 0x0102040810204080ull) >> 56) << (8 * w);
    }
    return control == 0;
}

// Fixed MPS: the fields in columns 2-3, 5-12, 15-22, 25-36, 40-47 and 50-61. A line whose
// characters stray outside those columns (or that holds a tab) was written with the fields apart
// by blanks only, as many fixed-format files are: false, and the caller splits it that way. Empty
// fields are left out, so both ways give the same fields when names hold no blanks.
bool splitFixed(std::string_view line, Fields& fields) {
    static constexpr int kBegin[kMaxFields] = {1, 4, 14, 24, 39, 49};
    static constexpr int kEnd[kMaxFields] = {3, 12, 22, 36, 47, 61};
    constexpr uint64_t kGaps = 1ull << 0 | 1ull << 3 | 1ull << 12 | 1ull << 13 | 1ull << 22 |
                               1ull << 23 | 1ull << 36 | 1ull << 37 | 1ull << 38 | 1ull << 47 |
                               1ull << 48;
    const size_t size = line.size();
    if (size > static_cast<size_t>(kEnd[kMaxFields - 1])) return false;
    char padded[64];
    std::memset(padded, ' ', sizeof padded);
    if (size > 0) std::memcpy(padded, line.data(), size);
    uint64_t blanks;
    if (!scanFixed(padded, blanks) || (blanks & kGaps) != kGaps) return false;
    fields.count = 0;
    for (int f = 0; f < kMaxFields && static_cast<size_t>(kBegin[f]) < size; ++f) {
        const uint64_t window = ((1ull << (kEnd[f] - kBegin[f])) - 1) << kBegin[f];
        const uint64_t text = window & ~blanks;
        if (text == 0) continue;
        const int first = __builtin_ctzll(text), last = 63 - __builtin_clzll(text);
        fields.field[fields.count++] = line.substr(first, last - first + 1);
    }
    return true;
}

// A number with a Fortran exponent, 1.5D3 or 2d-4, which MPS writers of that heritage produce and
// the common MPS readers take: read as the same text with E. Only tried once the number failed.
bool parseFortranNumber(std::string_view text, double& value) {
    const size_t d = text.find_first_of("Dd");
    if (d == std::string_view::npos || d == 0 || d + 1 == text.size() || text.size() > 64)
        return false;
    if (text.find_first_of("Dd", d + 1) != std::string_view::npos) return false;
    // A digit or the decimal point before it, and an exponent of digits after it.
    const char before = text[d - 1];
    if (!(std::isdigit(static_cast<unsigned char>(before)) || before == '.')) return false;
    char copy[64];
    std::memcpy(copy, text.data(), text.size());
    copy[d] = 'e';
    return parseNumber(std::string_view(copy, text.size()), value);
}

bool parseMpsNumber(std::string_view text, double& value) {
    return parseNumber(text, value) || parseFortranNumber(text, value);
}

// The line without an inline comment: a field that begins with '$' after the line's first two
// fields starts one, as in the fixed format's comment columns, which the common readers also
// take in free files. Names and numbers elsewhere may still hold a '$'.
std::string_view withoutInlineComment(std::string_view line) {
    size_t from = 0;
    while (true) {
        const size_t dollar = line.find('$', from);
        if (dollar == std::string_view::npos) return line;
        from = dollar + 1;
        if (dollar == 0 || !isBlank(line[dollar - 1])) continue;
        // At least two fields before it.
        int fields = 0;
        bool inField = false;
        for (size_t i = 0; i < dollar; ++i) {
            const bool blank = isBlank(line[i]);
            if (!blank && !inField) ++fields;
            inField = !blank;
        }
        if (fields >= 2) return line.substr(0, dollar);
    }
}

bool equalsIgnoringCase(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != word[i]) return false;
    return true;
}

bool startsWithWord(std::string_view line, std::string_view word) {
    return line.substr(0, word.size()) == word &&
           (line.size() == word.size() || isBlank(line[word.size()]));
}

enum class Section {
    None,
    Name,
    ObjSense,
    Rows,
    Columns,
    Rhs,
    Ranges,
    Bounds,
    Sos,
    Quadratic,
    End
};

constexpr unsigned char kHasRhs = 1, kHasRange = 2;
constexpr unsigned char kBoundGiven = 1, kLowerGiven = 2, kFromMarker = 4;

class MpsReader {
  public:
    MpsReader(LineSource& source, MpsFormat format, LinearModel& model,
              std::vector<ReadError>* warnings)
        : source_(source),
          format_(format),
          model_(model),
          warnings_(warnings),
          rows_(model.rowNames),
          columns_(model.colNames) {}

    bool read(ReadError& error) {
        const bool ok = readLines() && finish();
        if (!ok) error = error_;
        return ok;
    }

  private:
    bool fail(std::string message) {
        // A fault that COLUMNS left to be found later, on an earlier line, comes first.
        if (section_ == Section::Columns && !settleColumns()) return false;
        error_ = {source_.lineNumber(), std::move(message)};
        return false;
    }
    void warn(std::string message) {
        if (warnings_) warnings_->push_back({source_.lineNumber(), std::move(message)});
    }

    bool readLines() {
        std::string_view line;
        while (source_.next(line)) {
            if (line.empty() || line.front() == '*') continue;
            if (section_ == Section::End) {
                // What follows ENDATA is not read, but for a quadratic objective in a second
                // block "NAME ... QUADOBJ ... ENDATA", as some writers append it.
                if (appendix_ || !startsWithWord(line, "NAME")) return true;
                appendix_ = true;
                section_ = Section::Name;
                continue;
            }
            if (!isBlank(line.front())) {
                if (!startSection(line)) return false;
                continue;
            }
            if (!split(line)) return false;
            if (fields_.count == 0) continue;
            if (fields_.count > kMaxFields) return fail("too many fields on the line");
            if (!readData()) return false;
        }
        if (const ReadError* fault = source_.error()) {
            if (section_ == Section::Columns && !settleColumns()) return false;
            error_ = *fault;
            return false;
        }
        if (section_ == Section::End) return true;
        return fail(section_ == Section::None ? "the file holds no MPS model"
                                              : "the file ends without ENDATA");
    }

    bool split(std::string_view line) {
        line = withoutInlineComment(line);
        if (format_ == MpsFormat::Fixed && splitFixed(line, fields_)) return true;
        if (splitFree(line, fields_)) return true;
        return fail("the line holds a control character");
    }

    // Sections come in their order; those after COLUMNS in any order, each once.
    bool startSection(std::string_view line) {
        if (!splitFree(line, fields_)) return fail("the line holds a control character");
        const std::string_view word = fields_[0];
        Section next;
        if (word == "NAME")
            next = Section::Name;
        else if (word == "OBJSENSE")
            next = Section::ObjSense;
        else if (word == "ROWS")
            next = Section::Rows;
        else if (word == "COLUMNS")
            next = Section::Columns;
        else if (word == "RHS")
            next = Section::Rhs;
        else if (word == "RANGES")
            next = Section::Ranges;
        else if (word == "BOUNDS")
            next = Section::Bounds;
        else if (word == "SOS")
            next = Section::Sos;
        else if (word == "QUADOBJ" || word == "QMATRIX")
            next = Section::Quadratic;
        else if (word == "ENDATA")
            next = Section::End;
        else
            return fail("unknown section \"" + std::string(word.substr(0, 40)) + "\"");

        if (appendix_ && next != Section::Quadratic && next != Section::End)
            return fail("the section " + std::string(word) +
                        " after ENDATA: only a quadratic objective may follow");
        const unsigned bit = next == Section::End ? 0 : 1u << static_cast<int>(next);
        if (seen_ & bit) return fail("the section " + std::string(word) + " appears twice");
        seen_ |= bit;
        if (next == Section::Columns && !(seen_ & (1u << static_cast<int>(Section::Rows))))
            return fail("the section COLUMNS comes before ROWS");
        if ((next == Section::Name || next == Section::Rows) && columnsSeen())
            return fail("the section " + std::string(word) + " comes after COLUMNS");
        if (next >= Section::Rhs && next <= Section::Quadratic && !columnsSeen())
            return fail("the section " + std::string(word) + " comes before COLUMNS");
        if (section_ == Section::Columns && !endColumns()) return false;
        if (next == Section::Columns) sizeRows();
        section_ = next;

        if (next == Section::Name) return readName();
        if (next == Section::ObjSense && fields_.count > 1) {
            // The free form: the sense on the section's own line.
            if (fields_.count > 2) return fail("too many fields on the line");
            return readSense(fields_[1]);
        }
        return true;
    }

    bool columnsSeen() const { return seen_ & (1u << static_cast<int>(Section::Columns)); }

    bool readName() {
        const std::string_view name = fields_.count > 1 ? fields_[1] : std::string_view();
        if (const std::string problem = checkNameLength(name); !problem.empty())
            return fail(problem);
        model_.name = std::string(name);
        // "NAME model FREE" marks a free MPS file.
        if (fields_.count == 3 && fields_[2] == "FREE") format_ = MpsFormat::Free;
        return true;
    }

    bool readSense(std::string_view word) {
        if (equalsIgnoringCase(word, "MAX") || equalsIgnoringCase(word, "MAXIMIZE")) {
            model_.sense = ObjectiveSense::Maximize;
        } else if (equalsIgnoringCase(word, "MIN") || equalsIgnoringCase(word, "MINIMIZE")) {
            model_.sense = ObjectiveSense::Minimize;
        } else {
            return fail("unknown objective sense \"" + std::string(word.substr(0, 40)) +
                        "\" (MAX, MAXIMIZE, MIN or MINIMIZE)");
        }
        return true;
    }

    bool readData() {
        switch (section_) {
            case Section::ObjSense:
                if (fields_.count != 1) return fail("too many fields on the line");
                return readSense(fields_[0]);
            case Section::Rows:
                return readRow();
            case Section::Columns:
                return readColumnLine();
            case Section::Rhs:
                return readRhsLine();
            case Section::Ranges:
                return readRangeLine();
            case Section::Bounds:
                return readBound();
            case Section::Sos:
                return readSetLine();
            case Section::Quadratic:
                return readQuadratic();
            default:
                return fail("a line of data outside any section");
        }
    }

    bool number(std::string_view text, double& value) {
        if (parseMpsNumber(text, value)) return true;
        return fail(notANumberMessage(text.substr(0, 40)));
    }

    bool checkName(std::string_view name) {
        const std::string problem = checkNameLength(name);
        return problem.empty() || fail(problem);
    }

    // ROWS.
    bool readRow() {
        if (fields_.count != 2) return fail("a row needs its type and its name");
        const std::string_view type = fields_[0], name = fields_[1];
        char relation = type.size() == 1 ? static_cast<char>(std::toupper(type[0])) : '?';
        if (relation != 'N' && relation != 'E' && relation != 'L' && relation != 'G')
            return fail("unknown row type \"" + std::string(type.substr(0, 40)) + "\"");
        if (!checkName(name)) return false;
        const NameIndex::Spot spot = rows_.locate(name);
        if ((hasObjective_ && name == objectiveText_) || spot.found >= 0)
            return fail("row " + std::string(name) + " is declared twice");
        if (relation == 'N' && !hasObjective_) {
            objectiveText_ = std::string(name);
            hasObjective_ = true;
            return true;
        }
        if (model_.rowNames.size() >= static_cast<size_t>(INT_MAX - 1))
            return fail("too many rows");
        model_.rowNames.add(name);
        rows_.claim(spot, static_cast<int>(model_.rowNames.size() - 1));
        rowType_.push_back(relation);
        return true;
    }

    // The row `name` refers to: its index, -1 for the objective. False when it is not declared.
    bool findRow(std::string_view name, int& row) {
        // The objective first: it is in most columns, and a name missing from the index costs
        // the longest search.
        row = -1;
        if (hasObjective_ && name == objectiveText_) return true;
        row = rows_.find(name);
        if (row >= 0) return true;
        return fail("row " + std::string(name.substr(0, kMaxNameLength)) +
                    " is not declared in ROWS");
    }

    bool findColumn(std::string_view name, int& column) {
        column = columns_.find(name);
        if (column >= 0) return true;
        return fail("column " + std::string(name.substr(0, kMaxNameLength)) +
                    " is not declared in COLUMNS");
    }

    // COLUMNS.
    bool readColumnLine() {
        if (fields_.count == 3 && fields_[1] == "'MARKER'") return readMarker();
        if (fields_.count != 3 && fields_.count != 5)
            return fail(
                "a line of COLUMNS needs a column name and one or two pairs of a row "
                "name and a value");
        const std::string_view name = fields_[0];
        if (!startedColumn_ || name != model_.colNames[model_.colNames.size() - 1]) {
            if (!startColumn(name)) return false;
        }
        return addEntry(fields_[1], fields_[2]) &&
               (fields_.count == 3 || addEntry(fields_[3], fields_[4]));
    }

    bool readMarker() {
        const std::string_view kind = fields_[2];
        if (kind == "'INTORG'") {
            if (inIntegers_) return fail("'INTORG' inside a block of integer columns");
            inIntegers_ = true;
        } else if (kind == "'INTEND'") {
            if (!inIntegers_) return fail("'INTEND' without its 'INTORG'");
            inIntegers_ = false;
        } else {
            return fail("unknown marker " + std::string(kind.substr(0, 40)));
        }
        return true;
    }

    bool startColumn(std::string_view name) {
        if (!checkName(name)) return false;
        if (model_.colNames.size() >= static_cast<size_t>(INT_MAX - 1))
            return fail("too many columns");
        if (startedColumn_) model_.colStart.push_back(static_cast<int>(matrixSize()));
        startedColumn_ = true;
        model_.colNames.add(name);
        currentColumn_ = static_cast<int>(model_.colNames.size() - 1);
        columnLine_.push_back(source_.lineNumber());
        model_.cost.push_back(0.0);
        model_.kind.push_back(inIntegers_ ? ColumnKind::Integer : ColumnKind::Continuous);
        columnFlags_.push_back(inIntegers_ ? kFromMarker : 0);
        return true;
    }

    // An entry of COLUMNS is checked in the order: its row, its number, its magnitude, a second
    // entry of the column in the row. The objective's entries are taken at once; the others wait
    // with their number for their rows, which are then found many at a time (entryWaits).
    bool addEntry(std::string_view rowName, std::string_view text) {
        const bool objective = hasObjective_ && rowName == objectiveText_;
        double value;
        if (!parseMpsNumber(text, value))
            return failEntry(rowName, notANumberMessage(text.substr(0, 40)));
        if (!(std::fabs(value) < kSolverInfinity))
            return failEntry(rowName,
                             checkCoefficient(rowName, model_.colNames[currentColumn_], value));
        if (!objective) return entryWaits(rowName, value);
        if (objectiveLastColumn_ == currentColumn_)
            return fail("column " + std::string(model_.colNames[currentColumn_]) +
                        " has two entries in row " + std::string(rowName));
        objectiveLastColumn_ = currentColumn_;
        model_.cost[currentColumn_] = value;
        return true;
    }

    // A fault in an entry's number: the row, checked first, may be the fault instead.
    bool failEntry(std::string_view rowName, std::string message) {
        int row;
        return !findRow(rowName, row) ? false : fail(std::move(message));
    }

    // Rows found one at a time wait on memory at every line, since the index of a large model's
    // rows does not stay in cache: entries wait in a small batch instead, whose rows are then
    // searched one after another with their slots asked for ahead.
    struct WaitingEntry {
        uint64_t hash;
        size_t nameStart, nameLength;
        double value;
        int column;
        size_t line;
    };
    static constexpr size_t kBatch = 256;

    bool entryWaits(std::string_view rowName, double value) {
        waiting_.push_back({NameIndex::hashOf(rowName), waitingNames_.size(), rowName.size(), value,
                            currentColumn_, source_.lineNumber()});
        waitingNames_.append(rowName);
        if (value != 0.0) ++waitingInMatrix_;
        if (waiting_.size() < kBatch && waitingNames_.size() < (size_t(1) << 16)) return true;
        return placeWaiting();
    }

    // The matrix's entries so far, with those waiting for their rows.
    size_t matrixSize() const { return model_.rowIndex.size() + waitingInMatrix_; }

    bool placeWaiting() {
        constexpr size_t kAhead = 8;
        const size_t count = waiting_.size();
        for (size_t k = 0; k < std::min(kAhead, count); ++k) rows_.prefetch(waiting_[k].hash);
        for (size_t k = 0; k < count; ++k) {
            if (k + kAhead < count) rows_.prefetch(waiting_[k + kAhead].hash);
            const WaitingEntry& entry = waiting_[k];
            const std::string_view name(waitingNames_.data() + entry.nameStart, entry.nameLength);
            const int row = rows_.find(name, entry.hash);
            if (row < 0)
                return failWaiting(entry, "row " + std::string(name.substr(0, kMaxNameLength)) +
                                              " is not declared in ROWS");
            int& last = lastColumnInRow_[row];
            if (last == entry.column)
                return failWaiting(entry, "column " + std::string(model_.colNames[entry.column]) +
                                              " has two entries in row " + std::string(name));
            last = entry.column;
            if (entry.value == 0.0) continue;
            if (model_.rowIndex.size() >= static_cast<size_t>(INT_MAX))
                return failWaiting(entry, "too many nonzeros");
            model_.rowIndex.push_back(row);
            model_.value.push_back(entry.value);
        }
        waiting_.clear();
        waitingNames_.clear();
        waitingInMatrix_ = 0;
        return true;
    }
    bool failWaiting(const WaitingEntry& entry, std::string message) {
        error_ = {entry.line, std::move(message)};
        waiting_.clear();
        waitingNames_.clear();
        waitingInMatrix_ = 0;
        return false;
    }

    // What COLUMNS leaves to be found later: entries waiting for their rows, and columns not yet
    // indexed. Of their faults, the one on the earlier line is the file's first; on the same
    // line a column declared twice comes before its entries.
    bool settleColumns() {
        const bool placed = placeWaiting();
        const ReadError entryFault = placed ? ReadError() : error_;
        const bool indexed = indexColumns();
        if (placed && indexed) return true;
        if (!placed && (indexed || entryFault.line < error_.line)) error_ = entryFault;
        return false;
    }

    // The columns are indexed once their names are all known, in one pass over a table of its
    // final size, rather than looked up one by one as they come; a column declared twice is found
    // then, and refused at the line where its second block starts.
    bool indexColumns() {
        const size_t count = model_.colNames.size();
        columns_.reserve(count);
        for (; indexedColumns_ < count; ++indexedColumns_) {
            if (columns_.insert(static_cast<int>(indexedColumns_))) continue;
            error_ = {columnLine_[indexedColumns_],
                      "column " + std::string(model_.colNames[indexedColumns_]) +
                          " is declared twice (the entries of a column must follow one another)"};
            return false;
        }
        return true;
    }

    bool endColumns() {
        if (!settleColumns()) return false;
        std::vector<size_t>().swap(columnLine_);
        // A block of integer columns still open ends with the section, as writers expect.
        inIntegers_ = false;
        if (startedColumn_) model_.colStart.push_back(static_cast<int>(model_.rowIndex.size()));
        sizeColumns();
        return true;
    }

    // RHS and RANGES: [set] row value [row value]. Only the first set counts.
    bool readRowValues(const char* what, std::string& firstSet, bool& haveSet,
                       bool (MpsReader::*apply)(int, std::string_view, double)) {
        const int count = fields_.count;
        if (count < 2 || count > 5)
            return fail(std::string("a line of ") + what +
                        " needs one or two pairs of a row name and a value, after a set name");
        const int first = count % 2;  // 1 when the line starts with a set name
        const std::string_view set = first ? fields_[0] : std::string_view();
        if (!haveSet) {
            firstSet = std::string(set);
            haveSet = true;
        } else if (set != firstSet) {
            if (set != ignoredSet_)
                warn(std::string(what) + " set " + std::string(set.substr(0, kMaxNameLength)) +
                     " ignored: only the first set, " + firstSet + ", is read");
            ignoredSet_ = std::string(set);
            return true;
        }
        for (int f = first; f + 1 < count; f += 2) {
            int row;
            double value;
            if (!findRow(fields_[f], row) || !number(fields_[f + 1], value)) return false;
            if (!(this->*apply)(row, fields_[f], value)) return false;
        }
        return true;
    }

    bool readRhsLine() { return readRowValues("RHS", rhsSet_, haveRhsSet_, &MpsReader::setRhs); }
    bool readRangeLine() {
        return readRowValues("RANGES", rangeSet_, haveRangeSet_, &MpsReader::setRange);
    }

    bool setRhs(int row, std::string_view name, double value) {
        if (row < 0) {
            if (objectiveRhsGiven_)
                return fail("the right-hand side of row " + std::string(name) + " is given twice");
            objectiveRhsGiven_ = true;
            // The objective's right-hand side is the negative of its constant.
            model_.objConstant = -value;
            const std::string problem = checkObjectiveConstant(name, model_.objConstant);
            return problem.empty() || fail(problem);
        }
        if (rowFlags_[row] & kHasRhs)
            return fail("the right-hand side of row " + std::string(name) + " is given twice");
        rowFlags_[row] |= kHasRhs;
        model_.rhs[row] = value;
        return checkLimits(row);
    }

    bool setRange(int row, std::string_view name, double value) {
        if (row < 0 || rowType_[row] == 'N')
            return fail("row " + std::string(name) + " is free and takes no range");
        if (rowFlags_[row] & kHasRange)
            return fail("the range of row " + std::string(name) + " is given twice");
        rowFlags_[row] |= kHasRange;
        model_.rangeHigh[row] = value;
        return checkLimits(row);
    }

    // BOUNDS: type [set] column [value].
    bool readBound() {
        const int count = fields_.count;
        if (count < 2 || count > 4) return fail("a bound needs its type, a column and a value");
        std::string_view type = fields_[0];
        char code[3] = {0, 0, 0};
        if (type.size() == 2) {
            code[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(type[0])));
            code[1] = static_cast<char>(std::toupper(static_cast<unsigned char>(type[1])));
        }
        const std::string_view kind(code, type.size() == 2 ? 2 : 0);
        const bool needsValue =
            kind == "UP" || kind == "LO" || kind == "FX" || kind == "LI" || kind == "UI";
        const bool takesValue = needsValue || kind == "SC";
        const bool noValue = kind == "FR" || kind == "MI" || kind == "PL" || kind == "BV";
        if (!takesValue && !noValue)
            return fail("unknown bound type \"" + std::string(type.substr(0, 40)) + "\"");

        // Which fields are the set, the column and the value.
        int setField = -1, columnField = 1, valueField = -1;
        if (count == 4) {
            setField = 0 + 1;
            columnField = 2;
            valueField = 3;
        } else if (count == 3) {
            // A column and a value, or a set and a column: the column decides.
            const bool secondIsColumn = columns_.find(fields_[1]) >= 0;
            const bool thirdIsColumn = columns_.find(fields_[2]) >= 0;
            if (thirdIsColumn && !(secondIsColumn && takesValue)) {
                setField = 1;
                columnField = 2;
            } else {
                valueField = 2;
            }
        }
        if (needsValue && valueField < 0)
            return fail("the bound " + std::string(type) + " needs a value");
        const std::string_view set = setField >= 0 ? fields_[setField] : std::string_view();
        if (!haveBoundSet_) {
            boundSet_ = std::string(set);
            haveBoundSet_ = true;
        } else if (set != boundSet_) {
            if (set != ignoredSet_)
                warn("BOUNDS set " + std::string(set.substr(0, kMaxNameLength)) +
                     " ignored: only the first set, " + boundSet_ + ", is read");
            ignoredSet_ = std::string(set);
            return true;
        }
        int column;
        if (!findColumn(fields_[columnField], column)) return false;
        double value = 0.0;
        if (valueField >= 0 && !number(fields_[valueField], value)) return false;
        return applyBound(kind, column, fileLimit(value), valueField >= 0);
    }

    bool applyBound(std::string_view kind, int column, double value, bool hasValue) {
        double& lower = model_.colLower[column];
        double& upper = model_.colUpper[column];
        unsigned char& flags = columnFlags_[column];
        if (!(flags & kBoundGiven)) {
            // A column of an integer block keeps the bounds 0 and 1 only while it has no bound.
            upper = kInfinity;
            flags |= kBoundGiven;
        }
        if (kind == "UP" || kind == "UI") {
            upper = value;
            if (value < 0.0 && !(flags & kLowerGiven) && lower == 0.0) {
                lower = -kInfinity;
                warn("column " + std::string(model_.colNames[column]) +
                     " has a negative upper bound and no lower bound: its lower bound is minus "
                     "infinity");
            }
        } else if (kind == "LO" || kind == "LI") {
            lower = value;
            flags |= kLowerGiven;
        } else if (kind == "FX") {
            lower = upper = value;
            flags |= kLowerGiven;
        } else if (kind == "FR") {
            lower = -kInfinity;
            upper = kInfinity;
            flags |= kLowerGiven;
        } else if (kind == "MI") {
            lower = -kInfinity;
            flags |= kLowerGiven;
        } else if (kind == "PL") {
            upper = kInfinity;
        } else if (kind == "BV") {
            lower = 0.0;
            upper = 1.0;
            flags |= kLowerGiven;
        } else if (kind == "SC") {
            // No value, or 0, leaves the column without an upper bound.
            upper = !hasValue || value == 0.0 ? kInfinity : value;
        }
        if (kind == "LI" || kind == "UI" || kind == "BV") model_.kind[column] = ColumnKind::Integer;
        if (kind == "SC") model_.kind[column] = ColumnKind::SemiContinuous;
        double checkedLower = lower, checkedUpper = upper;
        const std::string problem =
            checkColumnBounds(model_.colNames[column], checkedLower, checkedUpper);
        return problem.empty() || fail(problem);
    }

    // SOS: a set's line "S1|S2 [SOS] name [priority]", then its members "column [weight]".
    bool readSetLine() {
        const std::string_view first = fields_[0];
        const bool typeWord = equalsIgnoringCase(first, "S1") || equalsIgnoringCase(first, "S2");
        double ignored;
        const bool header =
            typeWord &&
            (fields_.count >= 3 || (fields_.count == 2 && !parseMpsNumber(fields_[1], ignored)));
        if (header) {
            if (fields_.count > 4) return fail("too many fields on the line");
            model_.setType.push_back(first[1] - '0');
            model_.setStart.push_back(static_cast<int>(model_.setMembers.size()));
            return true;
        }
        if (fields_.count > 2) return fail("a member of a set needs a column and its weight");
        if (model_.setType.empty()) return fail("a set member before the line that opens a set");
        int column;
        if (!findColumn(first, column)) return false;
        double weight = static_cast<double>(model_.setMembers.size() - model_.setStart.back()) + 1;
        if (fields_.count == 2 && !number(fields_[1], weight)) return false;
        if (std::isinf(weight))
            return fail("the weight of column " + std::string(first) + " in its set is not finite");
        model_.setMembers.push_back(column);
        model_.setWeights.push_back(weight);
        return true;
    }

    // QUADOBJ and QMATRIX: column column value. Only the diagonal has a place in the model.
    bool readQuadratic() {
        if (fields_.count != 3) return fail("a quadratic term needs two columns and a value");
        int first, second;
        double value;
        if (!findColumn(fields_[0], first) || !findColumn(fields_[1], second) ||
            !number(fields_[2], value))
            return false;
        if (const std::string problem = checkCoefficient(objectiveText_, fields_[0], value);
            !problem.empty())
            return fail(problem);
        if (value == 0.0) return true;
        if (first != second)
            return fail("the objective has the off-diagonal quadratic term (" +
                        std::string(fields_[0]) + ", " + std::string(fields_[1]) +
                        "); only separable quadratic objectives are supported");
        if (model_.quadDiagonal.empty()) model_.quadDiagonal.assign(model_.numCols(), 0.0);
        // Entries for the same column add up, and so must stay in range together.
        model_.quadDiagonal[first] += value;
        const std::string problem =
            checkCoefficient(objectiveText_, fields_[0], model_.quadDiagonal[first]);
        return problem.empty() || fail(problem);
    }

    // Sizes the arrays of rows once ROWS is read, those of columns once COLUMNS is.
    bool finish() {
        if (!columnsSeen()) return fail("the file has no COLUMNS section");
        return finishRows() && finishColumns();
    }

    // The limits of row i from its type, right-hand side and range, with the standard sign rules.
    void rowLimits(size_t i, double& lower, double& upper) const {
        const double rhs = model_.rhs[i];
        const double range = model_.rangeHigh[i];
        const bool ranged = rowFlags_[i] & kHasRange;
        lower = -kInfinity;
        upper = kInfinity;
        switch (rowType_[i]) {
            case 'E':
                lower = upper = rhs;
                if (ranged && range > 0) upper = rhs + range;
                if (ranged && range < 0) lower = rhs + range;
                break;
            case 'L':
                upper = rhs;
                if (ranged) lower = rhs - std::fabs(range);
                break;
            case 'G':
                lower = rhs;
                if (ranged) upper = rhs + std::fabs(range);
                break;
            default:
                break;
        }
        lower = fileLimit(lower);
        upper = fileLimit(upper);
    }

    bool checkLimits(int row) {
        if (rowType_[row] == 'N') return true;
        double lower, upper;
        rowLimits(row, lower, upper);
        const std::string problem = checkRowLimits(model_.rowNames[row], lower, upper);
        return problem.empty() || fail(problem);
    }

    bool finishRows() {
        const size_t m = rowType_.size();
        model_.relation.resize(m);
        for (size_t i = 0; i < m; ++i) {
            double lower, upper;
            rowLimits(i, lower, upper);
            const std::string problem = checkRowLimits(model_.rowNames[i], lower, upper);
            if (!problem.empty()) {
                error_ = {0, problem};
                return false;
            }
            const RowRelation relation = rowType_[i] == 'N' ? 'N' : relationOfBounds(lower, upper);
            model_.relation[i] = relation;
            model_.rhs[i] = relation == 'L' ? upper : relation == 'N' ? 0.0 : lower;
            model_.rangeHigh[i] = relation == 'R' ? upper : 0.0;
        }
        return true;
    }

    bool finishColumns() {
        const int n = model_.numCols();
        for (int j = 0; j < n; ++j) {
            const std::string problem =
                checkColumnBounds(model_.colNames[j], model_.colLower[j], model_.colUpper[j]);
            if (!problem.empty()) {
                error_ = {0, problem};
                return false;
            }
        }
        model_.start.assign(n, 0.0);
        if (!model_.quadDiagonal.empty()) model_.quadDiagonal.resize(n, 0.0);
        model_.setStart.push_back(static_cast<int>(model_.setMembers.size()));
        return true;
    }

    LineSource& source_;
    MpsFormat format_;
    LinearModel& model_;
    std::vector<ReadError>* warnings_;
    ReadError error_;
    Fields fields_;
    Section section_ = Section::None;
    unsigned seen_ = 0;
    bool appendix_ = false;

    NameIndex rows_, columns_;
    std::string objectiveText_;
    bool hasObjective_ = false;
    std::vector<char> rowType_;
    std::vector<unsigned char> rowFlags_;
    std::vector<int> lastColumnInRow_;
    int objectiveLastColumn_ = -1;
    bool objectiveRhsGiven_ = false;

    bool startedColumn_ = false;
    std::vector<size_t> columnLine_;  // where each column's entries start, until indexed
    std::vector<WaitingEntry> waiting_;
    std::string waitingNames_;
    size_t waitingInMatrix_ = 0;
    size_t indexedColumns_ = 0;
    int currentColumn_ = -1;
    bool inIntegers_ = false;
    std::vector<unsigned char> columnFlags_;

    std::string rhsSet_, rangeSet_, boundSet_, ignoredSet_;
    bool haveRhsSet_ = false, haveRangeSet_ = false, haveBoundSet_ = false;

    // A line of COLUMNS holds at most two entries in no fewer than 12 bytes: reserving address
    // space for that many entries spares the matrix its copies as it grows. Pages never written
    // cost no memory.
    void reserveMatrix() {
        constexpr size_t kMostEntries = size_t(1) << 28;
        const size_t entries = std::min(source_.sizeHint() / 6, kMostEntries);
        if (entries < 4096) return;
        try {
            model_.rowIndex.reserve(entries);
            model_.value.reserve(entries);
            adviseLargePages(model_.rowIndex.data(), entries * sizeof(int));
            adviseLargePages(model_.value.data(), entries * sizeof(double));
        } catch (const std::bad_alloc&) {
            // The arrays grow as they go instead.
        }
    }

    // Each column takes a line of COLUMNS, so the same bound holds for the arrays of columns: a
    // column's arrays then never move as they grow, which spares their copies and the pages
    // they would take. Only where address space is plentiful.
    void reserveColumns() {
        if (sizeof(void*) < 8) return;
        const size_t count = std::min(source_.sizeHint() / 6, size_t(1) << 28);
        if (count < 4096) return;
        try {
            model_.cost.reserve(count);
            model_.kind.reserve(count);
            model_.colStart.reserve(count + 1);
            model_.colNames.reserve(count, source_.sizeHint());
            columnFlags_.reserve(count);
            columnLine_.reserve(count);
        } catch (const std::bad_alloc&) {
            // The arrays grow as they go instead.
        }
    }

  public:
    // Row arrays are needed from COLUMNS on, column arrays from RHS on.
    void sizeRows() {
        reserveMatrix();
        reserveColumns();
        const size_t m = rowType_.size();
        model_.rhs.assign(m, 0.0);
        model_.rangeHigh.assign(m, 0.0);
        rowFlags_.assign(m, 0);
        lastColumnInRow_.assign(m, -1);
    }
    void sizeColumns() {
        const size_t n = model_.colNames.size();
        model_.colLower.assign(n, 0.0);
        model_.colUpper.resize(n);
        for (size_t j = 0; j < n; ++j)
            model_.colUpper[j] = columnFlags_[j] & kFromMarker ? 1.0 : kInfinity;
    }
};

}  // namespace

bool readMps(LineSource& source, MpsFormat format, LinearModel& model, ReadError& error,
             std::vector<ReadError>* warnings) {
    model = LinearModel();
    model.setStart.clear();
    MpsReader reader(source, format, model, warnings);
    return reader.read(error);
}

}  // namespace corvane::host
