// The batch summary: its rows as CSV, written the moment each model ends, and the progress.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/host/cli/batch.h"

namespace corvane::host {

const char* const kSummaryHeader =
    "model,rows,columns,nonzeros,kind,status,result_code,objective,iterations,read_seconds,"
    "solve_seconds,rank,outcome";

namespace {

constexpr size_t kColumns = 13;

std::string quotedField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

template <typename T>
std::string numberField(const std::optional<T>& value) {
    return value ? std::to_string(*value) : std::string();
}

std::string realField(const std::optional<double>& value, const char* format) {
    if (!value) return "";
    // Sized for any double: %.3f of 1e308 has more than 300 digits.
    std::string text(static_cast<size_t>(std::snprintf(nullptr, 0, format, *value)) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, *value);
    text.pop_back();
    return text;
}

bool splitFields(const std::string& line, std::vector<std::string>& fields) {
    fields.assign(1, "");
    bool inQuotes = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (inQuotes) {
            if (c != '"') {
                fields.back() += c;
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                inQuotes = false;
            }
        } else if (c == '"' && fields.back().empty()) {
            inQuotes = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return !inQuotes;
}

template <typename T>
bool parseNumber(const std::string& field, std::optional<T>& value) {
    if (field.empty()) {
        value.reset();
        return true;
    }
    T parsed{};
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), parsed);
    if (error != std::errc() || end != field.data() + field.size()) return false;
    value = parsed;
    return true;
}

bool parseReal(const std::string& field, std::optional<double>& value) {
    if (field.empty()) {
        value.reset();
        return true;
    }
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(field.c_str(), &end);
    if (end != field.c_str() + field.size() || errno == ERANGE) return false;
    value = parsed;
    return true;
}

const char* const kOutcomes[] = {"solved",     "infeasible",  "unbounded", "not_solved",
                                 "time_limit", "interrupted", "refused",   "crashed"};

std::string clockText(double seconds) {
    const long whole = std::lround(std::max(0.0, seconds));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

}  // namespace

std::string csvLine(const BatchRow& row) {
    const std::string fields[kColumns] = {
        quotedField(row.model),
        numberField(row.rows),
        numberField(row.columns),
        numberField(row.nonzeros),
        quotedField(row.kind),
        numberField(row.status),
        numberField(row.resultCode),
        realField(row.objective, "%.17g"),
        numberField(row.iterations),
        realField(row.readSeconds, "%.3f"),
        realField(row.solveSeconds, "%.3f"),
        std::to_string(row.rank),
        row.outcome,
    };
    std::string line = fields[0];
    for (size_t i = 1; i < kColumns; ++i) line += "," + fields[i];
    return line;
}

bool parseCsvLine(const std::string& line, BatchRow& row) {
    std::vector<std::string> f;
    if (!splitFields(line, f) || f.size() != kColumns || f[0].empty()) return false;
    row.model = f[0];
    row.kind = f[4];
    row.outcome = f[12];
    std::optional<int> rank;
    const bool numbers = parseNumber(f[1], row.rows) && parseNumber(f[2], row.columns) &&
                         parseNumber(f[3], row.nonzeros) && parseNumber(f[5], row.status) &&
                         parseNumber(f[6], row.resultCode) && parseReal(f[7], row.objective) &&
                         parseNumber(f[8], row.iterations) && parseReal(f[9], row.readSeconds) &&
                         parseReal(f[10], row.solveSeconds) && parseNumber(f[11], rank) && rank;
    if (!numbers) return false;
    row.rank = *rank;
    return std::find(std::begin(kOutcomes), std::end(kOutcomes), row.outcome) !=
           std::end(kOutcomes);
}

bool isFinalOutcome(const std::string& outcome) {
    return outcome != "interrupted";
}

std::vector<std::string> largestFirst(std::vector<std::string> models) {
    std::vector<std::pair<std::uintmax_t, std::string>> sized;
    for (std::string& model : models) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(model, error);
        sized.emplace_back(error ? 0 : size, std::move(model));
    }
    std::stable_sort(sized.begin(), sized.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    models.clear();
    for (auto& entry : sized) models.push_back(std::move(entry.second));
    return models;
}

BatchRecorder::BatchRecorder(int summaryFd, size_t toSolve, const std::vector<BatchRow>& earlier)
    : summaryFd_(summaryFd), toSolve_(toSolve), earlier_(earlier.size()) {
    for (const BatchRow& row : earlier) ++counts_[row.outcome];
}

void BatchRecorder::record(const BatchRow& row) {
    const std::string line = csvLine(row) + "\n";
    // One write per row on a file opened for appending: a row is whole or absent.
    if (::write(summaryFd_, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        std::fprintf(stderr, "corvane: could not write the summary row of %s\n", row.model.c_str());
    ++done_;
    ++counts_[row.outcome];
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double left =
        elapsed / static_cast<double>(done_) * static_cast<double>(toSolve_ - done_);
    std::string objective = row.objective ? realField(row.objective, "%.10g") : "-";
    std::fprintf(stderr, "corvane: [%zu/%zu] %s %s %s %.2f s (elapsed %s, about %s left)\n", done_,
                 toSolve_, row.model.c_str(), row.outcome.c_str(), objective.c_str(),
                 row.solveSeconds.value_or(0.0), clockText(elapsed).c_str(),
                 clockText(left).c_str());
}

void BatchRecorder::printTable(bool interrupted) const {
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    std::fprintf(stderr, "corvane: %zu models in %s (%.1f models per minute)%s\n", done_,
                 clockText(elapsed).c_str(), elapsed > 0 ? 60.0 * done_ / elapsed : 0.0,
                 interrupted ? ", interrupted" : "");
    std::fprintf(stderr, "  %-12s %8s\n", "outcome", "models");
    size_t total = 0;
    for (const char* outcome : kOutcomes) {
        const auto found = counts_.find(outcome);
        if (found == counts_.end()) continue;
        std::fprintf(stderr, "  %-12s %8zu\n", outcome, found->second);
        total += found->second;
    }
    if (earlier_ > 0) std::fprintf(stderr, "  %-12s %8zu\n", "(resumed)", earlier_);
    if (done_ < toSolve_) std::fprintf(stderr, "  %-12s %8zu\n", "not started", toSolve_ - done_);
    std::fprintf(stderr, "  %-12s %8zu\n", "total", total + (toSolve_ - done_));
}

int BatchRecorder::exitStatus() const {
    size_t solved = 0;
    size_t total = 0;
    for (const auto& [outcome, count] : counts_) {
        total += count;
        if (outcome == "solved") solved += count;
    }
    return solved == total && done_ == toSolve_ ? 0 : 1;
}

}  // namespace corvane::host
