// Basis files in the MPS basis form and the problem in MPS form, both by names.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <ClpSimplex.hpp>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <string_view>
#include <unordered_map>

#include "problem.h"

namespace xprs {
namespace {

// Names to positions; where a name repeats, the last position holds it.
std::unordered_map<std::string, int> indexByName(int count,
                                                 void (Model::*name)(std::string&, int) const,
                                                 const Model& m) {
    std::unordered_map<std::string, int> byName;
    byName.reserve(count);
    std::string text;
    for (int i = 0; i < count; ++i) {
        text.clear();
        (m.*name)(text, i);
        byName[text] = i;
    }
    return byName;
}

// The whitespace-separated field of line that starts at or after at; at moves past it.
std::string_view nextField(std::string_view line, size_t& at) {
    auto space = [](char ch) { return std::isspace(static_cast<unsigned char>(ch)) != 0; };
    while (at < line.size() && space(line[at])) ++at;
    size_t begin = at;
    while (at < line.size() && !space(line[at])) ++at;
    return line.substr(begin, at - begin);
}

// Writes text as the whole content of file. An existing file is overwritten in place and then
// cut to the new length rather than emptied first: freeing its blocks up front can cost more
// than the write, and a basis file is mostly rewritten at about the same length.
bool writeWholeFile(const char* file, const std::string& text) {
    int fd = ::open(file, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = true;
    for (size_t done = 0; ok && done < text.size();) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<size_t>(n);
    }
    struct stat st;
    if (ok && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        ok = ::ftruncate(fd, static_cast<off_t>(text.size())) == 0;
    ok = ::close(fd) == 0 && ok;
    return ok;
}

bool readWholeFile(const char* file, std::string& content) {
    std::FILE* in = std::fopen(file, "rb");
    if (!in) return false;
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) content.append(buffer, n);
    bool ok = !std::ferror(in);
    std::fclose(in);
    return ok;
}

bool isNonbasic(ClpSimplex::Status s) {
    return s != ClpSimplex::basic;
}

// Row bound names in the file refer to the row activity: XU pairs a basic column with a row at
// the upper end of its activity range, XL with one at the lower end.
const char* rowCode(ClpSimplex::Status s) {
    return s == ClpSimplex::atUpperBound ? "XU" : "XL";
}

ClpSimplex::Status restingStatus(double lower, double upper) {
    if (lower > -COIN_DBL_MAX) return ClpSimplex::atLowerBound;
    if (upper < COIN_DBL_MAX) return ClpSimplex::atUpperBound;
    return ClpSimplex::isFree;
}

// Text built in one string. Numbers are written as printf's "%.17g" or "%.12g" would write them.
class Text {
  public:
    struct Number {
        double value;
        int digits;
    };
    struct RowName {
        const Model& m;
        int r;
    };
    Text& operator<<(std::string_view s) {
        text_.append(s.data(), s.size());
        return *this;
    }
    Text& operator<<(char c) {
        text_.push_back(c);
        return *this;
    }
    Text& operator<<(int i) {
        char digits[16];
        text_.append(digits, std::to_chars(digits, digits + sizeof digits, i).ptr);
        return *this;
    }
    Text& operator<<(Number n) {
        char digits[40];
        auto end = std::to_chars(digits, digits + sizeof digits, n.value,
                                 std::chars_format::general, n.digits)
                       .ptr;
        text_.append(digits, end);
        return *this;
    }
    Text& operator<<(RowName n) {
        n.m.appendRowName(text_, n.r);
        return *this;
    }
    std::string& str() { return text_; }

  private:
    std::string text_;
};

}  // namespace

int writeBasisFile(Problem& p, const char* file) {
    if (!p.loaded || !p.hasBasis)
        return p.fail(kNoSolution, "no basis to write: the problem has not been solved");
    if (!file || !*file) return p.fail(kBadArgument, "no basis file name");
    const Model& m = p.model;
    const RowMap& rows = p.rows;
    ClpSimplex& lp = *p.lp;
    // Free rows are basic; each non-basic row of CLP's is paired with the next basic column.
    std::vector<int> nonbasicRows;
    for (int k = 0; k < lp.numberRows(); ++k)
        if (isNonbasic(lp.getRowStatus(k))) nonbasicRows.push_back(k);
    std::string text;
    text.reserve(64 + 16 * static_cast<size_t>(m.ncols));
    text += "NAME          ";
    text += m.name.empty() ? "BASIS" : m.name;
    text += '\n';
    size_t next = 0;
    for (int c = 0; c < m.ncols; ++c) {
        ClpSimplex::Status s = lp.getColumnStatus(c);
        if (s == ClpSimplex::basic) {
            if (next < nonbasicRows.size()) {
                int k = nonbasicRows[next++];
                text += ' ';
                text += rowCode(lp.getRowStatus(k));
                text += ' ';
                m.appendColName(text, c);
                text += ' ';
                m.appendRowName(text, rows.loaded(k));
            } else {
                text += " BS ";
                m.appendColName(text, c);
            }
        } else if (s == ClpSimplex::atUpperBound) {
            text += " UL ";
            m.appendColName(text, c);
        } else if (s == ClpSimplex::atLowerBound && lp.columnLower()[c] <= -COIN_DBL_MAX) {
            text += " LL ";
            m.appendColName(text, c);
        } else {
            continue;
        }
        text += '\n';
    }
    for (; next < nonbasicRows.size(); ++next) {
        int k = nonbasicRows[next];
        text += lp.getRowStatus(k) == ClpSimplex::atUpperBound ? " RU " : " RL ";
        m.appendRowName(text, rows.loaded(k));
        text += '\n';
    }
    text += "ENDATA\n";
    if (!writeWholeFile(file, text))
        return p.fail(kFileError, std::string("cannot write the basis file ") + file);
    return kOk;
}

int readBasisFile(Problem& p, const char* file) {
    if (!p.loaded) return p.fail(kNoProblem, "no problem loaded");
    if (!file || !*file) return p.fail(kBadArgument, "no basis file name");
    std::string content;
    if (!readWholeFile(file, content))
        return p.fail(kFileError, std::string("cannot read the basis file ") + file);
    const Model& m = p.model;
    const RowMap& map = p.rows;
    ClpSimplex& lp = *p.lp;
    auto cols = indexByName(m.ncols, &Model::appendColName, m);
    auto rows = indexByName(m.nrows, &Model::appendRowName, m);
    std::vector<ClpSimplex::Status> colStat(m.ncols), rowStat(m.nrows, ClpSimplex::basic);
    for (int c = 0; c < m.ncols; ++c)
        colStat[c] = restingStatus(lp.columnLower()[c], lp.columnUpper()[c]);
    std::vector<int> pairedWithFree;  // columns that the file makes basic in a free row's place
    int lineNo = 0;
    bool ended = false;
    auto refuse = [&](const std::string& why) {
        return p.fail(kFileError, std::string("basis file ") + file + " line " +
                                      std::to_string(lineNo) + ": " + why);
    };
    std::string key;
    auto find = [&key](const std::unordered_map<std::string, int>& names, std::string_view name) {
        key.assign(name.data(), name.size());
        auto it = names.find(key);
        return it == names.end() ? -1 : it->second;
    };
    size_t pos = 0;
    while (pos < content.size()) {
        size_t end = content.find('\n', pos);
        if (end == std::string::npos) end = content.size();
        std::string_view line(content.data() + pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (line.empty() || line[0] == '*') continue;
        size_t at = 0;
        std::string_view code = nextField(line, at);
        std::string_view first = nextField(line, at);
        std::string_view second = nextField(line, at);
        if (line[0] != ' ') {
            if (code == "ENDATA") {
                ended = true;
                break;
            }
            if (code == "NAME") continue;
            return refuse("unexpected section " + std::string(code));
        }
        bool needsRow = code == "XU" || code == "XL";
        bool rowOnly = code == "RU" || code == "RL";
        if (rowOnly) {
            int r = find(rows, first);
            if (r < 0) return refuse("unknown row " + std::string(first));
            rowStat[r] = code == "RU" ? ClpSimplex::atUpperBound : ClpSimplex::atLowerBound;
            continue;
        }
        int c = find(cols, first);
        if (c < 0) return refuse("unknown column " + std::string(first));
        if (needsRow) {
            int r = find(rows, second);
            if (r < 0) return refuse("unknown row " + std::string(second));
            colStat[c] = ClpSimplex::basic;
            rowStat[r] = code == "XU" ? ClpSimplex::atUpperBound : ClpSimplex::atLowerBound;
            if (map.clp(r) < 0) pairedWithFree.push_back(c);
        } else if (code == "UL") {
            colStat[c] = ClpSimplex::atUpperBound;
        } else if (code == "LL") {
            colStat[c] = ClpSimplex::atLowerBound;
        } else if (code == "BS") {
            colStat[c] = ClpSimplex::basic;
        } else {
            return refuse("unknown code " + std::string(code));
        }
    }
    if (!ended) return refuse("the file ends without ENDATA");
    int basic = 0;
    for (auto s : colStat) basic += s == ClpSimplex::basic;
    for (auto s : rowStat) basic += s == ClpSimplex::basic;
    if (basic != m.nrows)
        return p.fail(kFileError, std::string("basis file ") + file +
                                      " does not match the problem: " + std::to_string(basic) +
                                      " basic variables for " + std::to_string(m.nrows) + " rows");
    // A free row is basic whatever the file says. For each one the file makes non-basic, a
    // column leaves the basis so that CLP gets as many basic variables as it has rows: first the
    // columns paired with a free row, then the last basic ones.
    int excess = 0;
    for (int r : map.freeRows) excess += rowStat[r] != ClpSimplex::basic;
    for (size_t i = 0; excess > 0 && i < pairedWithFree.size(); ++i) {
        int c = pairedWithFree[i];
        if (colStat[c] != ClpSimplex::basic) continue;
        colStat[c] = restingStatus(lp.columnLower()[c], lp.columnUpper()[c]);
        --excess;
    }
    for (int c = m.ncols - 1; excess > 0 && c >= 0; --c) {
        if (colStat[c] != ClpSimplex::basic) continue;
        colStat[c] = restingStatus(lp.columnLower()[c], lp.columnUpper()[c]);
        --excess;
    }
    lp.createStatus();
    for (int c = 0; c < m.ncols; ++c) lp.setColumnStatus(c, colStat[c]);
    for (int k = 0; k < lp.numberRows(); ++k) lp.setRowStatus(k, rowStat[map.loaded(k)]);
    p.hasBasis = true;
    p.rootSolved = false;
    return kOk;
}

namespace {

class MpsWriter {
  public:
    MpsWriter(const Problem& p, bool full) : p_(p), m_(p.model), full_(full) {}

    std::string text() {
        objName_ = uniqueObjectiveName();
        // Names may exceed the eight characters of fixed columns, so the file is in free form.
        out_ << "NAME          " << (m_.name.empty() ? "PROBLEM" : m_.name) << "  FREE\n";
        if (p_.objsense < 0) out_ << "OBJSENSE\n    MAX\n";
        writeRows();
        writeColumns();
        writeRhs();
        writeRanges();
        writeBounds();
        writeSets();
        writeQuadratic();
        out_ << "ENDATA\n";
        return std::move(out_.str());
    }

  private:
    Text::Number num(double v) const { return {v, full_ ? 17 : 12}; }
    Text::RowName rowName(int r) const { return {m_, r}; }

    std::string uniqueObjectiveName() const {
        std::string name = "OBJ";
        auto rows = indexByName(m_.nrows, &Model::appendRowName, m_);
        while (rows.count(name)) name += "_";
        return name;
    }

    // A free row other than the objective is written as a 'G' row with an infinite right-hand
    // side, so that readers which drop extra 'N' rows keep it.
    void writeRows() {
        out_ << "ROWS\n N  " << objName_ << "\n";
        for (int r = 0; r < m_.nrows; ++r) {
            char t = m_.rowtype[r];
            char code = t == 'R' ? 'L' : t == 'N' ? 'G' : t;
            out_ << " " << code << "  " << rowName(r) << "\n";
        }
    }

    void writeColumns() {
        out_ << "COLUMNS\n";
        bool inMarker = false;
        int markers = 0;
        for (int c = 0; c < m_.ncols; ++c) {
            bool integral = m_.coltype[c] == 'I' || m_.coltype[c] == 'B';
            if (integral != inMarker) {
                out_ << "    MARKER" << markers++ << "  'MARKER'  "
                     << (integral ? "'INTORG'" : "'INTEND'") << "\n";
                inMarker = integral;
            }
            std::string name = m_.colName(c);
            bool any = false;
            if (m_.obj[c] != 0.0) {
                out_ << "    " << name << "  " << objName_ << "  " << num(m_.obj[c]) << "\n";
                any = true;
            }
            for (int k = m_.start[c]; k < m_.start[c + 1]; ++k) {
                out_ << "    " << name << "  " << rowName(m_.index[k]) << "  " << num(m_.value[k])
                     << "\n";
                any = true;
            }
            if (!any) out_ << "    " << name << "  " << objName_ << "  0\n";
        }
        if (inMarker) out_ << "    MARKER" << markers << "  'MARKER'  'INTEND'\n";
    }

    void writeRhs() {
        out_ << "RHS\n";
        for (int r = 0; r < m_.nrows; ++r) {
            double v = m_.rowtype[r] == 'N' ? -1e30 : m_.rhs[r];
            if (v != 0.0) out_ << "    RHS  " << rowName(r) << "  " << num(v) << "\n";
        }
    }

    void writeRanges() {
        bool header = false;
        for (int r = 0; r < m_.nrows; ++r) {
            if (m_.rowtype[r] != 'R') continue;
            if (!header) out_ << "RANGES\n";
            header = true;
            out_ << "    RNG  " << rowName(r) << "  " << num(m_.range[r]) << "\n";
        }
    }

    void bound(const char* code, const std::string& col) {
        if (!boundsHeader_) out_ << "BOUNDS\n";
        boundsHeader_ = true;
        out_ << " " << code << " BND  " << col << "\n";
    }
    void bound(const char* code, const std::string& col, Text::Number value) {
        if (!boundsHeader_) out_ << "BOUNDS\n";
        boundsHeader_ = true;
        out_ << " " << code << " BND  " << col << "  " << value << "\n";
    }

    void writeBounds() {
        for (int c = 0; c < m_.ncols; ++c) {
            std::string name = m_.colName(c);
            double lb = m_.lb[c], ub = m_.ub[c];
            char t = m_.coltype[c];
            if (t == 'B') {
                lb = std::max(lb, 0.0);
                ub = std::min(ub, 1.0);
            }
            if (t == 'S') {
                if (m_.sclimit[c] != 0.0) bound("LO", name, num(m_.sclimit[c]));
                bound("SC", name, num(ub));
                continue;
            }
            bool lbInf = lb <= -kInfinity, ubInf = ub >= kInfinity;
            bool integral = t != 'C';
            if (!lbInf && !ubInf && lb == ub) {
                bound("FX", name, num(lb));
                continue;
            }
            if (lbInf && ubInf) {
                bound("FR", name);
                continue;
            }
            if (lbInf)
                bound("MI", name);
            else if (lb != 0.0 || integral)
                bound("LO", name, num(lb));
            if (!ubInf)
                bound("UP", name, num(ub));
            else if (integral)
                bound("PL", name);
        }
    }

    void writeSets() {
        if (m_.sets.empty()) return;
        out_ << "SOS\n";
        for (const Set& set : m_.sets) {
            out_ << " S" << set.type << "\n";
            for (size_t k = 0; k < set.cols.size(); ++k)
                out_ << "    " << m_.colName(set.cols[k]) << "  " << num(set.refs[k]) << "\n";
        }
    }

    // One entry per pair in the upper triangle, as the file's readers expect.
    void writeQuadratic() {
        if (m_.qcoef.empty()) return;
        std::map<std::pair<int, int>, double> terms;
        for (size_t k = 0; k < m_.qcoef.size(); ++k) {
            int i = std::min(m_.qcol1[k], m_.qcol2[k]), j = std::max(m_.qcol1[k], m_.qcol2[k]);
            terms[{i, j}] += m_.qcoef[k];
        }
        out_ << "QUADOBJ\n";
        for (const auto& t : terms)
            out_ << "    " << m_.colName(t.first.first) << "  " << m_.colName(t.first.second)
                 << "  " << num(t.second) << "\n";
    }

    const Problem& p_;
    const Model& m_;
    bool full_;
    std::string objName_;
    bool boundsHeader_ = false;
    Text out_;
};

}  // namespace

int writeMpsFile(Problem& p, const char* file, const char* flags) {
    if (!p.loaded) return p.fail(kNoProblem, "no problem loaded");
    if (!file || !*file) return p.fail(kBadArgument, "no problem file name");
    std::string flagText = flags ? flags : "";
    bool full = flagText.find('p') != std::string::npos;
    std::string name = file;
    std::string text = MpsWriter(p, full).text();
    if (!writeWholeFile(name.c_str(), text))
        return p.fail(kFileError, "cannot write the problem file " + name);
    return kOk;
}

}  // namespace xprs
