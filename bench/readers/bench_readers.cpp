// Reading model files: the host kit's MPS reader beside CoinMpsIO on generated models.
//
//   bench_readers generate NONZEROS FILE   writes a fixed-format MPS model of about that many
//                                          nonzeros (10 per column, ranges, bounds, integers)
//   bench_readers ours|coin FILE           reads FILE once and prints one line: reader, CPU
//                                          seconds of the read, bytes of the file, the peak
//                                          resident memory the read added, and the bytes of the
//                                          model's own arrays
#include <sys/resource.h>

#include <CoinMpsIO.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>

#include "platform/host/model/file_line_source.h"
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

int readOurs(const char* path) {
    const long before = statusBytes("VmRSS:");
    const double start = cpuSeconds();
    FileLineSource source(path);
    LinearModel model;
    ReadError error;
    if (!readMps(source, MpsFormat::Fixed, model, error)) {
        std::fprintf(stderr, "%s:%zu: %s\n", path, error.line, error.message.c_str());
        return 1;
    }
    const double seconds = cpuSeconds() - start;
    size_t names = 0;
    for (int j = 0; j < model.numCols(); ++j) names += model.colNames[j].size();
    for (int i = 0; i < model.numRows(); ++i) names += model.rowNames[i].size();
    report("ours", seconds, path, before, model.numRows(), model.numCols(), model.numNonzeros(),
           names);
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

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "generate") == 0)
        return generate(std::atol(argv[2]), argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "ours") == 0) return readOurs(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "coin") == 0) return readCoin(argv[2]);
    std::fprintf(stderr, "usage: bench_readers generate NONZEROS FILE | ours FILE | coin FILE\n");
    return 2;
}
