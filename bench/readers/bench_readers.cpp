// Reading model files: the host kit's MPS and LP readers beside CoinMpsIO and CoinLpIO on
// generated models.
//
//   bench_readers generate NONZEROS FILE   writes a fixed-format MPS model of about that many
//                                          nonzeros (10 per column, ranges, bounds, integers)
//   bench_readers lp-copy MPS LP           writes the model of the MPS file again in LP form
//   bench_readers ours|coin|ours-lp|coin-lp FILE
//                                          reads FILE once (MPS, or LP for the -lp readers) and
//                                          prints one line: reader, CPU seconds of the read,
//                                          bytes of the file, the peak resident memory the read
//                                          added, and the bytes of the model's own arrays
#include <sys/resource.h>

#include <CoinError.hpp>
#include <CoinLpIO.hpp>
#include <CoinMpsIO.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/host/model/file_line_source.h"
#include "platform/host/model/lp_reader.h"
#include "platform/host/model/mps_reader.h"

namespace {

using namespace corvane::host;

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           1e-6 * (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

// Resident memory now and at its highest, in bytes, from the kernel's own accounting.
long statusBytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, std::strlen(field), field) == 0)
            return std::atol(line.c_str() + std::strlen(field)) * 1024;
    return 0;
}

// The model's own arrays: what any reader has to hold at the end.
size_t modelBytes(long rows, long columns, long nonzeros, size_t nameCharacters) {
    return columns * (4 * sizeof(double) + sizeof(ColumnKind) + sizeof(int) + sizeof(size_t)) +
           rows * (1 + 2 * sizeof(double) + sizeof(size_t)) +
           nonzeros * (sizeof(int) + sizeof(double)) + nameCharacters;
}

int generate(long nonzeros, const char* path) {
    constexpr int kPerColumn = 10;
    const long columns = nonzeros / kPerColumn;
    const long rows = columns / 4 + 1;
    std::FILE* out = std::fopen(path, "w");
    if (!out) return 1;
    std::mt19937_64 random(12345);
    std::uniform_int_distribution<long> anyRow(0, rows - 1);
    std::uniform_real_distribution<double> anyValue(-100.0, 100.0);
    std::fprintf(out, "NAME          GEN%ld\nROWS\n N  COST\n", nonzeros);
    for (long i = 0; i < rows; ++i) std::fprintf(out, " %c  R%07ld\n", "LGE"[i % 3], i);
    std::fprintf(out, "COLUMNS\n");
    const char* marker = "    MARKER                 'MARKER'                 '%s'\n";
    char name[24];
    for (long j = 0; j < columns; ++j) {
        // One column in ten is integer.
        if (j % 100 == 0) std::fprintf(out, marker, "INTORG");
        if (j % 100 == 10) std::fprintf(out, marker, "INTEND");
        // The objective and kPerColumn distinct rows, two entries a line.
        const long first = anyRow(random);
        for (int k = 0; k <= kPerColumn; ++k) {
            if (k == 0)
                std::snprintf(name, sizeof name, "COST");
            else
                std::snprintf(name, sizeof name, "R%07ld", (first + (k - 1) * 7919L) % rows);
            if (k % 2 == 0)
                std::fprintf(out, "    C%07ld  %-8s  %12.6f", j, name, anyValue(random));
            else
                std::fprintf(out, "   %-8s  %12.6f\n", name, anyValue(random));
        }
        std::fprintf(out, "\n");
    }
    if ((columns - 1) % 100 < 10) std::fprintf(out, marker, "INTEND");
    std::fprintf(out, "RHS\n");
    for (long i = 0; i < rows; ++i)
        std::fprintf(out, "    RHS       R%07ld  %12.6f\n", i, anyValue(random));
    std::fprintf(out, "RANGES\n");
    for (long i = 0; i < rows; i += 10) std::fprintf(out, "    RNG       R%07ld  %12.6f\n", i, 5.0);
    std::fprintf(out, "BOUNDS\n");
    for (long j = 0; j < columns; j += 3)
        std::fprintf(out, " UP BND       C%07ld  %12.6f\n", j, 50.0);
    std::fprintf(out, "ENDATA\n");
    return std::fclose(out) == 0 ? 0 : 1;
}

void report(const char* reader, double seconds, const char* path, long before, long rows,
            long columns, long nonzeros, size_t names) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    std::printf("%s %.4f %lld %ld %zu\n", reader, seconds, static_cast<long long>(file.tellg()),
                statusBytes("VmHWM:") - before, modelBytes(rows, columns, nonzeros, names));
}

int readOurs(const char* path, bool lp) {
    const long before = statusBytes("VmRSS:");
    const double start = cpuSeconds();
    FileLineSource source(path);
    LinearModel model;
    ReadError error;
    const bool read =
        lp ? readLp(source, model, error) : readMps(source, MpsFormat::Fixed, model, error);
    if (!read) {
        std::fprintf(stderr, "%s:%zu: %s\n", path, error.line, error.message.c_str());
        return 1;
    }
    const double seconds = cpuSeconds() - start;
    size_t names = 0;
    for (int j = 0; j < model.numCols(); ++j) names += model.colNames[j].size();
    for (int i = 0; i < model.numRows(); ++i) names += model.rowNames[i].size();
    report(lp ? "ours-lp" : "ours", seconds, path, before, model.numRows(), model.numCols(),
           model.numNonzeros(), names);
    return 0;
}

int readCoin(const char* path) {
    const long before = statusBytes("VmRSS:");
    const double start = cpuSeconds();
    CoinMpsIO reader;
    reader.messageHandler()->setLogLevel(0);
    if (reader.readMps(path, "") != 0) return 1;
    const double seconds = cpuSeconds() - start;
    size_t names = 0;
    for (int j = 0; j < reader.getNumCols(); ++j) names += std::strlen(reader.columnName(j));
    for (int i = 0; i < reader.getNumRows(); ++i) names += std::strlen(reader.rowName(i));
    report("coin", seconds, path, before, reader.getNumRows(), reader.getNumCols(),
           reader.getNumElements(), names);
    return 0;
}

int readCoinLp(const char* path) {
    const long before = statusBytes("VmRSS:");
    const double start = cpuSeconds();
    CoinLpIO reader;
    reader.messageHandler()->setLogLevel(0);
    try {
        reader.readLp(path);
    } catch (const CoinError& error) {
        std::fprintf(stderr, "%s: %s\n", path, error.message().c_str());
        return 1;
    }
    const double seconds = cpuSeconds() - start;
    size_t names = 0;
    for (int j = 0; j < reader.getNumCols(); ++j) names += std::strlen(reader.columnName(j));
    for (int i = 0; i < reader.getNumRows(); ++i) names += std::strlen(reader.rowName(i));
    report("coin-lp", seconds, path, before, reader.getNumRows(), reader.getNumCols(),
           reader.getNumElements(), names);
    return 0;
}

// The rows of a column-wise matrix: for each row its columns and values, in column order.
struct RowWise {
    std::vector<int> start, column;
    std::vector<double> value;
};

RowWise rowWise(const LinearModel& model) {
    RowWise rows;
    rows.start.assign(model.numRows() + 1, 0);
    for (const int row : model.rowIndex) ++rows.start[row + 1];
    for (int i = 0; i < model.numRows(); ++i) rows.start[i + 1] += rows.start[i];
    rows.column.resize(model.numNonzeros());
    rows.value.resize(model.numNonzeros());
    std::vector<int> next(rows.start.begin(), rows.start.end() - 1);
    for (int j = 0; j < model.numCols(); ++j)
        for (int k = model.colStart[j]; k < model.colStart[j + 1]; ++k) {
            const int p = next[model.rowIndex[k]]++;
            rows.column[p] = j;
            rows.value[p] = model.value[k];
        }
    return rows;
}

// The model of an MPS file written again in the LP format, so that both formats are timed on the
// same model: the objective, the rows (a range as "lower <= terms <= upper"), the bounds other
// than 0 <= x and the integer columns. Eight terms to a line.
int writeLpCopy(const char* mpsPath, const char* lpPath) {
    FileLineSource source(mpsPath);
    LinearModel model;
    ReadError error;
    if (!readMps(source, MpsFormat::Fixed, model, error)) {
        std::fprintf(stderr, "%s:%zu: %s\n", mpsPath, error.line, error.message.c_str());
        return 1;
    }
    std::FILE* out = std::fopen(lpPath, "w");
    if (!out) return 1;
    const auto term = [&](int k, double value, int column) {
        const std::string_view name = model.colNames[column];
        std::fprintf(out, " %+.9g %.*s%s", value, static_cast<int>(name.size()), name.data(),
                     k % 8 == 7 ? "\n" : "");
    };
    std::fprintf(out, "Minimize\n obj:");
    for (int j = 0; j < model.numCols(); ++j) term(j, model.cost[j], j);
    std::fprintf(out, "\nSubject To\n");
    const RowWise rows = rowWise(model);
    for (int i = 0; i < model.numRows(); ++i) {
        const char relation = model.relation[i];
        if (relation == 'N') continue;
        const std::string_view name = model.rowNames[i];
        std::fprintf(out, " %.*s:", static_cast<int>(name.size()), name.data());
        if (relation == 'R') std::fprintf(out, " %.9g <=", model.rhs[i]);
        for (int p = rows.start[i]; p < rows.start[i + 1]; ++p)
            term(p - rows.start[i], rows.value[p], rows.column[p]);
        const char* sign = relation == 'G' ? ">=" : relation == 'E' ? "=" : "<=";
        std::fprintf(out, " %s %.9g\n", sign, relation == 'R' ? model.rangeHigh[i] : model.rhs[i]);
    }
    std::fprintf(out, "Bounds\n");
    for (int j = 0; j < model.numCols(); ++j) {
        if (model.colLower[j] == 0.0 && model.colUpper[j] == kInfinity) continue;
        const std::string_view name = model.colNames[j];
        std::fprintf(out, " %.9g <= %.*s <= %.9g\n", model.colLower[j],
                     static_cast<int>(name.size()), name.data(), model.colUpper[j]);
    }
    std::fprintf(out, "General\n");
    for (int j = 0; j < model.numCols(); ++j) {
        if (model.kind[j] != ColumnKind::Integer) continue;
        const std::string_view name = model.colNames[j];
        std::fprintf(out, " %.*s\n", static_cast<int>(name.size()), name.data());
    }
    std::fprintf(out, "End\n");
    return std::fclose(out) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "generate") == 0)
        return generate(std::atol(argv[2]), argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "lp-copy") == 0) return writeLpCopy(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "ours") == 0) return readOurs(argv[2], false);
    if (argc == 3 && std::strcmp(argv[1], "coin") == 0) return readCoin(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "ours-lp") == 0) return readOurs(argv[2], true);
    if (argc == 3 && std::strcmp(argv[1], "coin-lp") == 0) return readCoinLp(argv[2]);
    std::fprintf(stderr,
                 "usage: bench_readers generate NONZEROS FILE | lp-copy MPS LP |"
                 " ours|coin|ours-lp|coin-lp FILE\n");
    return 2;
}
