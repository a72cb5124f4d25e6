// The LP reader takes a file in one pass. Columns are numbered as they first appear, rows as
// they are written; the matrix is gathered row by row, as the file gives it, and turned into the
// model's columns once at the end. Names live in the model's name tables, found again through
// one hash index per kind.
#include "platform/host/model/lp_reader.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "platform/host/model/big_arrays.h"
#include "platform/host/model/lp_tokens.h"
#include "platform/host/model/model_values.h"
#include "platform/host/model/name_index.h"

namespace corvane::host {

namespace {

// What a column is declared to be by the General, Binary and Semi-continuous sections.
enum class Declared : unsigned char { None, Integer, Binary, SemiContinuous };

const char* declaredWord(Declared declared) {
    switch (declared) {
        case Declared::Integer:
            return "integer";
        case Declared::Binary:
            return "binary";
        default:
            return "semi-continuous";
    }
}

const char* sectionName(Declared declared) {
    switch (declared) {
        case Declared::Integer:
            return "General";
        case Declared::Binary:
            return "Binary";
        default:
            return "Semi-continuous";
    }
}

// Where in the file a statement is, for the messages that refuse it.
struct Where {
    enum Kind { Objective, Quadratic, Row, Bounds, Bound, Declarations, Sets, Set } kind;
    int index = 0;  // the row, column, set, or the Declared of a declarations section
};

// One term of a linear expression: a column with its coefficient, or a constant (column -1).
struct Term {
    int column = -1;
    double value = 0.0;
    size_t line = 0;
};

std::string quoted(std::string_view text) {
    constexpr size_t kShown = 40;
    if (text.size() <= kShown) return "\"" + std::string(text) + "\"";
    return "\"" + std::string(text.substr(0, kShown)) + "...\"";
}

std::string shortest(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

bool equalsIgnoringCase(std::string_view text, std::string_view lowerCase) {
    if (text.size() != lowerCase.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] + 32) : text[i];
        if (c != lowerCase[i]) return false;
    }
    return true;
}

// Words that stand where a number may: infinity, and NaN, which is refused as a number.
bool isNumberWord(std::string_view text) {
    return equalsIgnoringCase(text, "inf") || equalsIgnoringCase(text, "infinity") ||
           equalsIgnoringCase(text, "nan");
}

bool isRelation(const Token& token) {
    return token.kind == LpToken::LessEqual || token.kind == LpToken::GreaterEqual ||
           token.kind == LpToken::Equal;
}

bool endsSection(const Token& token) {
    return token.kind == LpToken::Section || token.kind == LpToken::EndOfFile;
}

// "value <= x" is "x >= value".
LpToken reversed(LpToken relation) {
    if (relation == LpToken::LessEqual) return LpToken::GreaterEqual;
    if (relation == LpToken::GreaterEqual) return LpToken::LessEqual;
    return relation;
}

// Narrows lower <= x <= upper by "x relation value".
void limit(LpToken relation, double value, double& lower, double& upper) {
    if (relation != LpToken::GreaterEqual) upper = value;
    if (relation != LpToken::LessEqual) lower = value;
}

// The columns of the row being read and where their entries are, so that a column written twice
// in a row adds up: open addressing over the row's own entries, so that the table stays as small
// as the longest row rather than growing with the model's columns. A slot of an earlier row counts
// as empty, so nothing is cleared between rows.
class RowColumns {
  public:
    // The entry of `column` in `row` when it has one; otherwise records `entry` for it and gives
    // -1. Rows come in increasing order.
    int findOrAdd(int row, int column, int entry) {
        if (row != row_) {
            row_ = row;
            count_ = 0;
        }
        if ((count_ + 1) * 2 > slots_.size()) grow();
        for (size_t slot = position(column);; slot = (slot + 1) & (slots_.size() - 1)) {
            Slot& at = slots_[slot];
            if (at.row != row) {
                at = {row, column, entry};
                ++count_;
                return -1;
            }
            if (at.column == column) return at.entry;
        }
    }
    void clear() { std::vector<Slot>().swap(slots_); }

  private:
    struct Slot {
        int row = -1;
        int column = 0;
        int entry = 0;
    };
    size_t position(int column) const {
        return (static_cast<uint32_t>(column) * 0x9E3779B1u) >> shift_;
    }
    void grow() {
        std::vector<Slot> old(slots_.empty() ? 64 : slots_.size() * 2);
        old.swap(slots_);
        shift_ = 32 - __builtin_ctzll(slots_.size());
        for (const Slot& entry : old) {
            if (entry.row != row_) continue;
            size_t slot = position(entry.column);
            while (slots_[slot].row == row_) slot = (slot + 1) & (slots_.size() - 1);
            slots_[slot] = entry;
        }
    }

    std::vector<Slot> slots_;
    int shift_ = 32;
    int row_ = -1;
    size_t count_ = 0;
};

class LpReader {
  public:
    LpReader(LineSource& lines, LinearModel& model, ReadError& error)
        : tokens_(lines), model_(model), error_(error) {
        reserveEntries(lines.sizeHint());
    }

    bool read();

  private:
    const Token& current() const { return tokens_.current(); }
    bool advance() { return tokens_.advance() || failTokens(); }
    bool peek(const Token*& next) { return tokens_.peek(next) || failTokens(); }
    bool failTokens();
    bool fail(size_t line, std::string message);
    bool unexpected(Where where, const char* expected);
    bool unknownSection();
    bool quadraticRow(int row);
    std::string describe(Where where) const;
    std::string columnName(int column) const { return std::string(model_.colNames[column]); }
    std::string rowName(int row) const { return std::string(model_.rowNames[row]); }

    bool readSection();
    bool readObjective();
    bool readObjectiveTerm(bool first);
    bool readQuadratic(double sign);
    bool readQuadraticTerm(double sign, bool first);
    bool readConstraints();
    bool readConstraint();
    bool readRowLimits(int row, size_t line);
    bool readRowTerms(int row, bool firstRead);
    std::string constantMessage(int row) const;
    bool readBounds();
    bool readBound();
    bool readBoundFromValue(int& column);
    bool readDeclarations(Declared declared);
    bool readSets();
    bool readSetHeader(int& set);
    bool readEnd();
    bool finish();

    bool readSign(bool required, Where where, double& sign);
    bool readTerm(double sign, bool mayEndRange, Where where, Term& term);
    bool readColumnTerm(double coefficient, size_t line, Term& term);
    bool readValue(Where where, double& value);

    int columnOf(std::string_view name);
    bool addRow(std::string_view name, size_t line, bool named);
    bool finishRow(int row, double lower, double upper, size_t line);
    bool addEntry(int row, const Term& term);
    bool addObjectiveTerm(const Term& term);
    bool addQuadratic(int column, double value, size_t line);
    bool checkCoefficientOf(std::string_view row, int column, double value, size_t line);
    bool addMember(int set, std::string_view name, double weight, size_t line);
    bool closeSet(int set);
    void reserveEntries(size_t bytes);
    void dropZeros();
    void buildColumns();

    LpTokens tokens_;
    LinearModel& model_;
    ReadError& error_;
    NameIndex columnIndex_{model_.colNames};
    NameIndex rowIndex_{model_.rowNames};
    NameTable setNames_;
    NameIndex setIndex_{setNames_};

    std::string objectiveName_ = "obj";
    size_t objectiveLine_ = 0;
    bool quadratic_ = false;
    std::string heldName_;  // a name read before the token that tells what it is

    RowColumns rowColumns_;
    // Per column: its declaration.
    std::vector<Declared> declared_;
    std::vector<size_t> declaredLine_;
    std::vector<int> lastSet_;

    // Per row: where it was written and whether the file named it; its entries, row by row.
    std::vector<size_t> rowLine_;
    std::vector<bool> rowNamed_;
    std::vector<int> rowStart_{0};
    std::vector<int> entryColumn_;
    std::vector<double> entryValue_;

    std::vector<size_t> setLine_;
    std::vector<std::pair<double, int>> setScratch_;
};

bool LpReader::failTokens() {
    error_ = tokens_.error();
    return false;
}

bool LpReader::fail(size_t line, std::string message) {
    error_ = {line, std::move(message)};
    return false;
}

bool LpReader::unexpected(Where where, const char* expected) {
    const Token& token = current();
    if (token.kind == LpToken::EndOfFile)
        return fail(token.line, "the file ends inside " + describe(where));
    return fail(token.line,
                describe(where) + ": expected " + expected + ", found " + quoted(token.text));
}

// A line of nothing but words where a statement should start is taken for a section heading.
bool LpReader::unknownSection() {
    return fail(current().line, "unknown section " + quoted(tokens_.lineText()));
}

bool LpReader::quadraticRow(int row) {
    return fail(current().line, "row " + rowName(row) +
                                    " has a quadratic term; only the objective may be quadratic");
}

std::string LpReader::describe(Where where) const {
    switch (where.kind) {
        case Where::Objective:
            return "the objective";
        case Where::Quadratic:
            return "the quadratic part of the objective";
        case Where::Row:
            return "row " + rowName(where.index);
        case Where::Bounds:
            return "the Bounds section";
        case Where::Bound:
            return "the bound of column " + columnName(where.index);
        case Where::Declarations:
            return std::string("the ") + sectionName(static_cast<Declared>(where.index)) +
                   " section";
        case Where::Sets:
            return "the SOS section";
        default:
            return "set " + std::string(setNames_[where.index]);
    }
}

// The file's size bounds the number of coefficients: address space reserved by it costs no
// memory until it is written, and saves copying the entries as they grow.
void LpReader::reserveEntries(size_t bytes) {
    constexpr size_t kMostEntries = size_t(1) << 28;
    const size_t entries = std::min(bytes / 6, kMostEntries);
    if (entries < 4096) return;
    try {
        entryColumn_.reserve(entries);
        entryValue_.reserve(entries);
        adviseLargePages(entryColumn_.data(), entries * sizeof(int));
        adviseLargePages(entryValue_.data(), entries * sizeof(double));
    } catch (const std::bad_alloc&) {
        // The arrays grow as they go instead.
    }
}

bool LpReader::read() {
    if (!advance()) return false;
    if (current().kind == LpToken::EndOfFile) return fail(0, "the file holds no model");
    const bool objective =
        current().kind == LpToken::Section &&
        (current().section == LpSection::Minimize || current().section == LpSection::Maximize);
    if (!objective)
        return fail(current().line,
                    "the file must start with Minimize or Maximize, not " + quoted(current().text));
    while (current().kind != LpToken::EndOfFile)
        if (!readSection()) return false;
    return finish();
}

// Each section's reader stops at the next section's keyword or at the end of the file.
bool LpReader::readSection() {
    switch (current().section) {
        case LpSection::Minimize:
        case LpSection::Maximize:
            return readObjective();
        case LpSection::SubjectTo:
            return readConstraints();
        case LpSection::Bounds:
            return readBounds();
        case LpSection::General:
            return readDeclarations(Declared::Integer);
        case LpSection::Binary:
            return readDeclarations(Declared::Binary);
        case LpSection::SemiContinuous:
            return readDeclarations(Declared::SemiContinuous);
        case LpSection::Sos:
            return readSets();
        case LpSection::End:
            return readEnd();
        default:
            return fail(current().line,
                        "the section " + quoted(current().text) + " is not supported");
    }
}

bool LpReader::readEnd() {
    if (!advance()) return false;
    if (current().kind == LpToken::EndOfFile) return true;
    return fail(current().line, "text after End: " + quoted(current().text));
}

// ---- Objective ----

bool LpReader::readObjective() {
    if (objectiveLine_ != 0)
        return fail(current().line,
                    "a second objective; the first is on line " + std::to_string(objectiveLine_));
    objectiveLine_ = current().line;
    model_.sense = current().section == LpSection::Maximize ? ObjectiveSense::Maximize
                                                            : ObjectiveSense::Minimize;
    if (!advance()) return false;
    if (current().lineStart && current().headingWords >= 2) return unknownSection();
    if (current().kind == LpToken::Name) {
        const Token* next = nullptr;
        if (!peek(next)) return false;
        if (next->kind == LpToken::Colon) {
            objectiveName_.assign(current().text);
            if (!advance() || !advance()) return false;
        }
    }
    for (bool first = true; !endsSection(current()); first = false)
        if (!readObjectiveTerm(first)) return false;
    return true;
}

bool LpReader::readObjectiveTerm(bool first) {
    if (current().lineStart && current().headingWords >= (first ? 2 : 1)) return unknownSection();
    double sign = 1.0;
    if (!readSign(!first, {Where::Objective}, sign)) return false;
    if (current().kind == LpToken::Open) return readQuadratic(sign);
    Term term;
    return readTerm(sign, false, {Where::Objective}, term) && addObjectiveTerm(term);
}

bool LpReader::addObjectiveTerm(const Term& term) {
    if (term.column < 0) {
        model_.objConstant += term.value;
        const std::string message = checkObjectiveConstant(objectiveName_, model_.objConstant);
        return message.empty() || fail(term.line, message);
    }
    double& cost = model_.cost[term.column];
    cost += term.value;
    return checkCoefficientOf(objectiveName_, term.column, cost, term.line);
}

// "[ 2 x ^ 2 + y * y ] / 2": only the diagonal has a place in the host's objective.
bool LpReader::readQuadratic(double sign) {
    const size_t opened = current().line;
    if (!advance()) return false;
    for (bool first = true; current().kind != LpToken::Close; first = false) {
        if (current().kind == LpToken::EndOfFile)
            return fail(current().line,
                        "the file ends inside the quadratic part of the objective opened on line " +
                            std::to_string(opened));
        if (current().kind == LpToken::Section)
            return fail(current().line, "the quadratic part of the objective opened on line " +
                                            std::to_string(opened) + " has no closing ]");
        if (!readQuadraticTerm(sign, first)) return false;
    }
    if (!advance()) return false;
    const char* halfMessage = "the quadratic part of the objective must end with ] / 2";
    if (current().kind != LpToken::Slash) return fail(current().line, halfMessage);
    if (!advance()) return false;
    if (current().kind != LpToken::Number || current().number != 2.0)
        return fail(current().line, halfMessage);
    return advance();
}

bool LpReader::readQuadraticTerm(double sign, bool first) {
    const Where where{Where::Quadratic};
    if (!readSign(!first, where, sign)) return false;
    const size_t line = current().line;
    double coefficient = 1.0;
    if (current().kind == LpToken::Number) {
        coefficient = current().number;
        if (!advance()) return false;
    }
    if (current().kind != LpToken::Name) return unexpected(where, "a column");
    const int column = columnOf(current().text);
    if (!advance()) return false;
    int other = column;
    if (current().kind == LpToken::Caret) {
        if (!advance()) return false;
        if (current().kind != LpToken::Number) return unexpected(where, "2 after ^");
        if (current().number != 2.0)
            return fail(line, "the objective has the term " + columnName(column) + "^" +
                                  std::string(current().text) + "; only squares are allowed");
    } else if (current().kind == LpToken::Star) {
        if (!advance()) return false;
        if (current().kind != LpToken::Name) return unexpected(where, "a column after *");
        other = columnOf(current().text);
    } else {
        return unexpected(where, "^ 2 or * and a column");
    }
    if (!advance()) return false;
    const double value = sign * coefficient;
    if (column == other) return addQuadratic(column, value, line);
    if (value == 0.0) return true;
    return fail(line, "the objective has the off-diagonal quadratic term (" + columnName(column) +
                          ", " + columnName(other) +
                          "); only separable quadratic objectives are supported");
}

bool LpReader::checkCoefficientOf(std::string_view row, int column, double value, size_t line) {
    const std::string message = checkCoefficient(row, model_.colNames[column], value);
    return message.empty() || fail(line, message);
}

bool LpReader::addQuadratic(int column, double value, size_t line) {
    std::vector<double>& diagonal = model_.quadDiagonal;
    if (diagonal.size() <= static_cast<size_t>(column)) diagonal.resize(column + 1, 0.0);
    diagonal[column] += value;
    quadratic_ = true;
    return checkCoefficientOf(objectiveName_, column, diagonal[column], line);
}

// ---- Terms and values ----

// Writers that print every term as "+ %g" put out "x + -3 y": signs in a row multiply.
bool LpReader::readSign(bool required, Where where, double& sign) {
    if (current().kind != LpToken::Plus && current().kind != LpToken::Minus)
        return !required || unexpected(where, "+ or -");
    do {
        if (current().kind == LpToken::Minus) sign = -sign;
        if (!advance()) return false;
    } while (current().kind == LpToken::Plus || current().kind == LpToken::Minus);
    return true;
}

// A number, a column, or both. "inf" and "nan" read as numbers before a column, and "inf" also
// before a relation when it may be the near end of a range ("-inf <= x + y <= 4").
bool LpReader::readTerm(double sign, bool mayEndRange, Where where, Term& term) {
    const Token& token = current();
    term.line = token.line;
    if (token.kind == LpToken::Number) {
        const double value = sign * token.number;
        if (!advance()) return false;
        if (current().kind == LpToken::Name) return readColumnTerm(value, term.line, term);
        term.column = -1;
        term.value = value;
        return true;
    }
    if (token.kind == LpToken::Open && where.kind == Where::Row) return quadraticRow(where.index);
    if (token.kind != LpToken::Name) return unexpected(where, "a number or a column");
    if (isNumberWord(token.text)) {
        const Token* next = nullptr;
        if (!peek(next)) return false;
        if (next->kind == LpToken::Name || (mayEndRange && isRelation(*next))) {
            double value = 0.0;
            if (!parseNumber(current().text, value))
                return fail(term.line, notANumberMessage(current().text));
            if (!advance()) return false;
            if (current().kind == LpToken::Name)
                return readColumnTerm(sign * value, term.line, term);
            term.column = -1;
            term.value = sign * value;
            return true;
        }
    }
    return readColumnTerm(sign, term.line, term);
}

bool LpReader::readColumnTerm(double coefficient, size_t line, Term& term) {
    term.column = columnOf(current().text);
    term.value = coefficient;
    term.line = line;
    return advance();
}

// A right-hand side, bound or weight: a signed number or infinity.
bool LpReader::readValue(Where where, double& value) {
    double sign = 1.0;
    if (!readSign(false, where, sign)) return false;
    const Token& token = current();
    if (token.kind == LpToken::Number) {
        value = sign * token.number;
        return advance();
    }
    if (token.kind == LpToken::Name && isNumberWord(token.text)) {
        if (!parseNumber(token.text, value)) return fail(token.line, notANumberMessage(token.text));
        value *= sign;
        return advance();
    }
    return unexpected(where, "a number");
}

int LpReader::columnOf(std::string_view name) {
    const NameIndex::Spot spot = columnIndex_.locate(name);
    if (spot.found >= 0) return spot.found;
    const int column = model_.numCols();
    model_.colNames.add(name);
    columnIndex_.claim(spot, column);
    model_.colLower.push_back(0.0);
    model_.colUpper.push_back(kInfinity);
    model_.cost.push_back(0.0);
    model_.kind.push_back(ColumnKind::Continuous);
    declared_.push_back(Declared::None);
    declaredLine_.push_back(0);
    return column;
}

// ---- Constraints ----

bool LpReader::readConstraints() {
    if (!advance()) return false;
    while (!endsSection(current()))
        if (!readConstraint()) return false;
    return true;
}

bool LpReader::readConstraint() {
    if (current().lineStart && current().headingWords >= 1) return unknownSection();
    const size_t line = current().line;
    bool named = false;
    if (current().kind == LpToken::Name) {
        const Token* next = nullptr;
        if (!peek(next)) return false;
        named = next->kind == LpToken::Colon;
    }
    if (named) {
        if (!addRow(current().text, line, true) || !advance() || !advance()) return false;
    } else {
        char name[32] = "cons";
        const auto end = std::to_chars(name + 4, name + sizeof name, model_.rowNames.size());
        if (!addRow(std::string_view(name, end.ptr - name), line, false)) return false;
    }
    return readRowLimits(static_cast<int>(model_.rowNames.size()) - 1, line);
}

// "terms relation value" or "value relation terms [relation value]". A row may have no terms at
// all ("c: >= 0"), as writers put out the empty rows of a model.
bool LpReader::readRowLimits(int row, size_t line) {
    const Where where{Where::Row, row};
    bool hasNearEnd = false;
    double nearEnd = 0.0;
    LpToken nearRelation = LpToken::Equal;
    if (!isRelation(current())) {
        double sign = 1.0;
        Term term;
        if (!readSign(false, where, sign) || !readTerm(sign, true, where, term)) return false;
        if (term.column >= 0) {
            if (!addEntry(row, term) || !readRowTerms(row, true)) return false;
        } else {
            if (!isRelation(current())) return fail(term.line, constantMessage(row));
            hasNearEnd = true;
            nearEnd = term.value;
            nearRelation = current().kind;
            if (!advance() || !readRowTerms(row, false)) return false;
        }
    }
    if (current().kind == LpToken::Open) return quadraticRow(row);
    double lower = -kInfinity;
    double upper = kInfinity;
    if (isRelation(current())) {
        const LpToken relation = current().kind;
        double value = 0.0;
        if (!advance() || !readValue(where, value)) return false;
        if (hasNearEnd && (relation != nearRelation || relation == LpToken::Equal))
            return fail(line, "row " + rowName(row) + " is a range; it needs two <= or two >=");
        limit(relation, fileLimit(value), lower, upper);
    } else if (!hasNearEnd) {
        return unexpected(where, "+, - or a relation");
    }
    if (hasNearEnd) limit(reversed(nearRelation), fileLimit(nearEnd), lower, upper);
    return finishRow(row, lower, upper, line);
}

// The terms of a row up to its relation, after its first term when that is read already.
bool LpReader::readRowTerms(int row, bool firstRead) {
    const Where where{Where::Row, row};
    for (bool first = !firstRead;
         first || current().kind == LpToken::Plus || current().kind == LpToken::Minus;
         first = false) {
        double sign = 1.0;
        Term term;
        if (!readSign(!first, where, sign) || !readTerm(sign, false, where, term)) return false;
        if (term.column < 0) return fail(term.line, constantMessage(row));
        if (!addEntry(row, term)) return false;
    }
    return true;
}

std::string LpReader::constantMessage(int row) const {
    return "row " + rowName(row) + " has a constant among its terms; it belongs on the " +
           "right-hand side";
}

bool LpReader::addRow(std::string_view name, size_t line, bool named) {
    const int row = static_cast<int>(model_.rowNames.size());
    model_.rowNames.add(name);
    if (!rowIndex_.insert(row)) {
        const int first = rowIndex_.find(name);
        if (named && rowNamed_[first])
            return fail(line, "row " + std::string(name) + " is declared twice (first on line " +
                                  std::to_string(rowLine_[first]) + ")");
        return fail(line, "the row name " + std::string(name) + " is given twice (first on line " +
                              std::to_string(rowLine_[first]) +
                              "); an unnamed row is named cons and its position from 0");
    }
    rowLine_.push_back(line);
    rowNamed_.push_back(named);
    return true;
}

bool LpReader::addEntry(int row, const Term& term) {
    const int column = term.column;
    double value = term.value;
    const int earlier = rowColumns_.findOrAdd(row, column, static_cast<int>(entryValue_.size()));
    if (earlier >= 0) {
        value = entryValue_[earlier] += value;
    } else {
        if (entryValue_.size() >= static_cast<size_t>(INT_MAX))
            return fail(term.line,
                        "the model has more than " + std::to_string(INT_MAX) + " coefficients");
        entryColumn_.push_back(column);
        entryValue_.push_back(value);
    }
    if (std::fabs(value) < kSolverInfinity) return true;
    return checkCoefficientOf(model_.rowNames[row], column, value, term.line);
}

bool LpReader::finishRow(int row, double lower, double upper, size_t line) {
    const std::string message = checkRowLimits(model_.rowNames[row], lower, upper);
    if (!message.empty()) return fail(line, message);
    const RowRelation relation = relationOfBounds(lower, upper);
    model_.relation.push_back(relation);
    model_.rhs.push_back(relation == 'L' ? upper : relation == 'N' ? 0.0 : lower);
    model_.rangeHigh.push_back(relation == 'R' ? upper : 0.0);
    rowStart_.push_back(static_cast<int>(entryValue_.size()));
    return true;
}

// ---- Bounds ----

bool LpReader::readBounds() {
    if (!advance()) return false;
    while (!endsSection(current()))
        if (!readBound()) return false;
    return true;
}

// "x free", "x relation value", or "value relation x [relation value]".
bool LpReader::readBound() {
    if (current().lineStart && current().headingWords >= 1) return unknownSection();
    const size_t line = current().line;
    int column = -1;
    if (current().kind != LpToken::Name) {
        if (!readBoundFromValue(column)) return false;
    } else {
        column = columnOf(current().text);
        if (!advance()) return false;
        const Where where{Where::Bound, column};
        double& lower = model_.colLower[column];
        double& upper = model_.colUpper[column];
        if (current().kind == LpToken::Name && equalsIgnoringCase(current().text, "free")) {
            lower = -kInfinity;
            upper = kInfinity;
            if (!advance()) return false;
        } else {
            if (!isRelation(current())) return unexpected(where, "a relation or free");
            const LpToken relation = current().kind;
            double value = 0.0;
            if (!advance() || !readValue(where, value)) return false;
            limit(relation, fileLimit(value), lower, upper);
        }
    }
    const std::string message = checkColumnBounds(model_.colNames[column], model_.colLower[column],
                                                  model_.colUpper[column]);
    return message.empty() || fail(line, message);
}

bool LpReader::readBoundFromValue(int& column) {
    const size_t line = current().line;
    double nearEnd = 0.0;
    if (!readValue({Where::Bounds}, nearEnd)) return false;
    if (!isRelation(current())) return unexpected({Where::Bounds}, "a relation");
    const LpToken nearRelation = current().kind;
    if (!advance()) return false;
    if (current().kind != LpToken::Name) return unexpected({Where::Bounds}, "a column");
    column = columnOf(current().text);
    if (!advance()) return false;
    double& lower = model_.colLower[column];
    double& upper = model_.colUpper[column];
    limit(reversed(nearRelation), fileLimit(nearEnd), lower, upper);
    if (!isRelation(current())) return true;
    const LpToken relation = current().kind;
    if (relation != nearRelation || relation == LpToken::Equal)
        return fail(line, "the bound of column " + columnName(column) + " needs two <= or two >=");
    double farEnd = 0.0;
    if (!advance() || !readValue({Where::Bound, column}, farEnd)) return false;
    limit(relation, fileLimit(farEnd), lower, upper);
    return true;
}

// ---- General, Binary, Semi-continuous ----

bool LpReader::readDeclarations(Declared declared) {
    const Where where{Where::Declarations, static_cast<int>(declared)};
    if (!advance()) return false;
    while (!endsSection(current())) {
        const Token& token = current();
        if (token.kind != LpToken::Name) return unexpected(where, "a column");
        const int column = columnIndex_.find(token.text);
        if (column < 0)
            return fail(token.line, describe(where) + " names the column " +
                                        std::string(token.text) +
                                        ", which no objective, constraint or bound mentions");
        if (declared_[column] != Declared::None)
            return fail(token.line, "column " + columnName(column) + " is already declared " +
                                        declaredWord(declared_[column]) + " on line " +
                                        std::to_string(declaredLine_[column]));
        declared_[column] = declared;
        declaredLine_[column] = token.line;
        model_.kind[column] =
            declared == Declared::SemiContinuous ? ColumnKind::SemiContinuous : ColumnKind::Integer;
        if (!advance()) return false;
    }
    return true;
}

// ---- Special ordered sets ----

// "[name:] S1:: x:1 y:2 ..." per set; a set runs on to the next set's heading.
bool LpReader::readSets() {
    if (!advance()) return false;
    int set = -1;
    while (!endsSection(current())) {
        const Where where = set < 0 ? Where{Where::Sets} : Where{Where::Set, set};
        if (current().lineStart && current().headingWords >= 1) return unknownSection();
        if (current().kind != LpToken::Name) return unexpected(where, "a set or a column");
        heldName_.assign(current().text);
        const size_t line = current().line;
        if (!advance()) return false;
        if (current().kind != LpToken::Colon) return unexpected(where, ":");
        if (!advance()) return false;
        if (current().kind == LpToken::Colon || current().kind == LpToken::Name) {
            if (set >= 0 && !closeSet(set)) return false;
            if (!readSetHeader(set)) return false;
            continue;
        }
        if (set < 0) return fail(line, "column " + heldName_ + " comes before any set");
        double weight = 0.0;
        if (!readValue(where, weight) || !addMember(set, heldName_, weight, line)) return false;
    }
    return set < 0 || closeSet(set);
}

// After "name:" (in heldName_): either the second colon of "S1::", or the type of a named set.
bool LpReader::readSetHeader(int& set) {
    const size_t line = current().line;
    const bool named = current().kind == LpToken::Name;
    set = static_cast<int>(setNames_.size());
    std::string type = named ? std::string(current().text) : heldName_;
    if (named) {
        setNames_.add(heldName_);
    } else {
        char name[32] = "sos";
        const auto end = std::to_chars(name + 3, name + sizeof name, set + 1);
        setNames_.add(std::string_view(name, end.ptr - name));
    }
    if (!setIndex_.insert(set))
        return fail(line, "set " + std::string(setNames_[set]) +
                              " is declared twice (first on line " +
                              std::to_string(setLine_[setIndex_.find(setNames_[set])]) + ")");
    setLine_.push_back(line);
    if (!equalsIgnoringCase(type, "s1") && !equalsIgnoringCase(type, "s2"))
        return fail(line, "set " + std::string(setNames_[set]) + " has the type " + quoted(type) +
                              "; only S1 and S2 are supported");
    model_.setType.push_back(type[1] - '0');
    if (!advance()) return false;
    for (int colons = named ? 2 : 0; colons > 0; --colons) {
        if (current().kind != LpToken::Colon)
            return unexpected({Where::Set, set}, ":: after S1 or S2");
        if (!advance()) return false;
    }
    return true;
}

bool LpReader::addMember(int set, std::string_view name, double weight, size_t line) {
    const std::string setName(setNames_[set]);
    const int column = columnIndex_.find(name);
    if (column < 0)
        return fail(line, "set " + setName + " names the column " + std::string(name) +
                              ", which no objective, constraint or bound mentions");
    if (lastSet_.size() < model_.colNames.size()) lastSet_.resize(model_.colNames.size(), -1);
    if (lastSet_[column] == set)
        return fail(line, "column " + std::string(name) + " is listed twice in set " + setName);
    lastSet_[column] = set;
    if (!(std::fabs(weight) < kSolverInfinity))
        return fail(line, "set " + setName + " gives column " + std::string(name) + " the weight " +
                              shortest(weight) + ", 1e20 or more in magnitude");
    model_.setMembers.push_back(column);
    model_.setWeights.push_back(weight);
    return true;
}

// The solver numbers a set's members 1, 2, 3, ... in the order it gets them: that order has to
// be the order of their weights, so two equal weights would leave it open.
bool LpReader::closeSet(int set) {
    const int start = model_.setStart.back();
    const int end = static_cast<int>(model_.setMembers.size());
    const std::string setName(setNames_[set]);
    if (start == end) return fail(setLine_[set], "set " + setName + " has no members");
    setScratch_.clear();
    for (int p = start; p < end; ++p)
        setScratch_.emplace_back(model_.setWeights[p], model_.setMembers[p]);
    std::sort(setScratch_.begin(), setScratch_.end());
    for (size_t k = 0; k < setScratch_.size(); ++k) {
        if (k > 0 && setScratch_[k].first == setScratch_[k - 1].first)
            return fail(setLine_[set], "set " + setName + " gives the weight " +
                                           shortest(setScratch_[k].first) + " to both " +
                                           columnName(setScratch_[k - 1].second) + " and " +
                                           columnName(setScratch_[k].second));
        model_.setWeights[start + k] = setScratch_[k].first;
        model_.setMembers[start + k] = setScratch_[k].second;
    }
    model_.setStart.push_back(end);
    return true;
}

// ---- The model ----

bool LpReader::finish() {
    const int columns = model_.numCols();
    for (int j = 0; j < columns; ++j) {
        if (declared_[j] != Declared::Binary) continue;
        model_.colLower[j] = std::max(model_.colLower[j], 0.0);
        model_.colUpper[j] = std::min(model_.colUpper[j], 1.0);
    }
    model_.start.assign(columns, 0.0);
    if (quadratic_)
        model_.quadDiagonal.resize(columns, 0.0);
    else
        model_.quadDiagonal.clear();
    buildColumns();
    return true;
}

// Drops the coefficients written as 0 (or summed to 0), row by row, in place.
void LpReader::dropZeros() {
    const int rows = static_cast<int>(rowStart_.size()) - 1;
    int kept = 0;
    for (int i = 0; i < rows; ++i) {
        const int begin = rowStart_[i];
        const int end = rowStart_[i + 1];
        rowStart_[i] = kept;
        for (int k = begin; k < end; ++k) {
            if (entryValue_[k] == 0.0) continue;
            entryColumn_[kept] = entryColumn_[k];
            entryValue_[kept] = entryValue_[k];
            ++kept;
        }
    }
    rowStart_[rows] = kept;
    entryColumn_.resize(kept);
    entryValue_.resize(kept);
}

// Turns the rows into the model's columns: each entry is written straight to its place in the
// model's arrays. The name indexes and the per-column marks of the parse are let go first, and
// an entry's column gives way to its place once counted, so that no more than one copy of the
// values and one of the indices are held beside the other.
void LpReader::buildColumns() {
    dropZeros();
    columnIndex_.clear();
    rowIndex_.clear();
    rowColumns_.clear();
    std::vector<size_t>().swap(declaredLine_);
    const int columns = model_.numCols();
    const size_t entries = entryValue_.size();
    std::vector<int>& colStart = model_.colStart;
    colStart.assign(columns + 1, 0);
    for (const int column : entryColumn_) ++colStart[column + 1];
    for (int j = 0; j < columns; ++j) colStart[j + 1] += colStart[j];
    std::vector<int>& place = entryColumn_;
    {
        std::vector<int> next(colStart.begin(), colStart.end() - 1);
        for (int& column : place) column = next[column]++;
    }
    std::vector<double>& value = model_.value;
    value.reserve(entries);
    adviseLargePages(value.data(), entries * sizeof(double));
    value.resize(entries);
    for (size_t k = 0; k < entries; ++k) value[place[k]] = entryValue_[k];
    std::vector<double>().swap(entryValue_);
    std::vector<int>& rowIndex = model_.rowIndex;
    rowIndex.reserve(entries);
    adviseLargePages(rowIndex.data(), entries * sizeof(int));
    rowIndex.resize(entries);
    const int rows = static_cast<int>(rowStart_.size()) - 1;
    for (int i = 0; i < rows; ++i)
        for (int k = rowStart_[i]; k < rowStart_[i + 1]; ++k) rowIndex[place[k]] = i;
    std::vector<int>().swap(entryColumn_);
}

}  // namespace

bool readLp(LineSource& lines, LinearModel& model, ReadError& error) {
    model = LinearModel();
    LpReader reader(lines, model, error);
    return reader.read();
}

}  // namespace corvane::host
