// Controls, the log and the pieces of the problem state shared by every call.
#include <ClpSimplex.hpp>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>

#include "problem.h"

namespace xprs {
namespace {

constexpr double kBig = std::numeric_limits<double>::max();
constexpr double kIntMax = 2147483647.0;
constexpr double kIntMin = -2147483648.0;

// id, integer, default, low, high, low bound excluded, name
const std::vector<ControlInfo> kControls = {
    {XPRS_LPITERLIMIT, true, kIntMax, 0, kIntMax, false, "LPITERLIMIT"},
    {XPRS_LPLOG, true, 100, kIntMin, kIntMax, false, "LPLOG"},
    {XPRS_SCALING, true, 163, 0, kIntMax, false, "SCALING"},
    {XPRS_PRESOLVE, true, 1, -1, 2, false, "PRESOLVE"},
    {XPRS_CRASH, true, 2, 0, kIntMax, false, "CRASH"},
    {XPRS_PRICINGALG, true, 0, -1, 3, false, "PRICINGALG"},
    {XPRS_MAXNODE, true, kIntMax, 0, kIntMax, false, "MAXNODE"},
    {XPRS_MAXTIME, true, 0, kIntMin, kIntMax, false, "MAXTIME"},
    {XPRS_MAXMIPSOL, true, 0, 0, kIntMax, false, "MAXMIPSOL"},
    {XPRS_DEFAULTALG, true, 1, 1, 5, false, "DEFAULTALG"},
    {XPRS_NODESELECTION, true, 4, 0, kIntMax, false, "NODESELECTION"},
    {XPRS_BACKTRACK, true, 3, -1, kIntMax, false, "BACKTRACK"},
    {XPRS_MIPLOG, true, -100, kIntMin, kIntMax, false, "MIPLOG"},
    {XPRS_CONTROL_8052, true, 0, kIntMin, kIntMax, false, "8052"},
    {XPRS_BARTHREADS, true, 0, 0, kIntMax, false, "BARTHREADS"},
    {XPRS_MPSNAMELENGTH, true, 64, 1, 1024, false, "MPSNAMELENGTH"},
    {XPRS_PRESOLVEOPS, true, 511, 0, kIntMax, false, "PRESOLVEOPS"},
    {XPRS_MIPPRESOLVE, true, -1, -1, kIntMax, false, "MIPPRESOLVE"},
    {XPRS_MIPTHREADS, true, 0, 0, kIntMax, false, "MIPTHREADS"},
    {XPRS_CONTROL_8130, true, 0, kIntMin, kIntMax, false, "8130"},
    {XPRS_MAXIIS, true, -1, -1, kIntMax, false, "MAXIIS"},
    {XPRS_CONTROL_8133, true, 0, kIntMin, kIntMax, false, "8133"},
    {XPRS_CONTROL_8137, true, 0, kIntMin, kIntMax, false, "8137"},
    {XPRS_CUTSTRATEGY, true, -1, -1, 3, false, "CUTSTRATEGY"},
    {XPRS_HEURSEARCHFREQ, true, -1, -1, kIntMax, false, "HEURSEARCHFREQ"},
    {XPRS_CONCURRENTTHREADS, true, 0, 0, kIntMax, false, "CONCURRENTTHREADS"},
    {XPRS_MAXSCALEFACTOR, true, 64, 0, 64, false, "MAXSCALEFACTOR"},
    {XPRS_THREADS, true, 0, 0, kIntMax, false, "THREADS"},
    {XPRS_CONTROL_8326, true, 0, kIntMin, kIntMax, false, "8326"},
    {XPRS_MATRIXTOL, false, 1e-9, 0, kBig, true, "MATRIXTOL"},
    {XPRS_PIVOTTOL, false, 1e-9, 0, kBig, true, "PIVOTTOL"},
    {XPRS_FEASTOL, false, 1e-6, 0, kBig, true, "FEASTOL"},
    {XPRS_OPTIMALITYTOL, false, 1e-6, 0, kBig, true, "OPTIMALITYTOL"},
    {XPRS_ETATOL, false, 1e-12, 0, kBig, true, "ETATOL"},
    {XPRS_RELPIVOTTOL, false, 1e-6, 0, kBig, true, "RELPIVOTTOL"},
    {XPRS_MIPTOL, false, 5e-6, 0, 0.5, true, "MIPTOL"},
    {XPRS_MIPRELCUTOFF, false, 0, 0, kBig, false, "MIPRELCUTOFF"},
    {XPRS_MIPABSSTOP, false, 0, 0, kBig, false, "MIPABSSTOP"},
    {XPRS_MIPRELSTOP, false, 1e-4, 0, kBig, false, "MIPRELSTOP"},
    {XPRS_ELIMTOL, false, 1e-3, 0, kBig, true, "ELIMTOL"},
    {XPRS_MARKOWITZTOL, false, 0.01, 0, 1, true, "MARKOWITZTOL"},
    {XPRS_HEURSEARCHEFFORT, false, 1, 0, kBig, false, "HEURSEARCHEFFORT"},
};

}  // namespace

const std::vector<ControlInfo>& allControls() {
    return kControls;
}

const ControlInfo* findControl(int id) {
    for (const ControlInfo& c : kControls)
        if (c.id == id) return &c;
    return nullptr;
}

Controls::Controls() {
    for (const ControlInfo& c : kControls) values_[c.id] = c.defaultValue;
}

int Controls::intValue(int id) const {
    auto it = values_.find(id);
    return it == values_.end() ? 0 : static_cast<int>(it->second);
}

double Controls::dblValue(int id) const {
    auto it = values_.find(id);
    return it == values_.end() ? 0.0 : it->second;
}

double Model::rowLower(int r) const {
    switch (rowtype[r]) {
        case 'E':
        case 'G':
            return rhs[r];
        case 'R':
            return rhs[r] - range[r];
        default:
            return -COIN_DBL_MAX;
    }
}

double Model::rowUpper(int r) const {
    switch (rowtype[r]) {
        case 'E':
        case 'L':
        case 'R':
            return rhs[r];
        default:
            return COIN_DBL_MAX;
    }
}

void Names::assign(int count, int first, int last, const char* names) {
    if (first == 0 && last == count - 1) {
        text_.clear();
        used_ = 0;
        entries_.assign(count, Entry());
    } else {
        entries_.resize(count);
    }
    // The names and their ending zero bytes are kept as given, in one piece.
    size_t offset = 0;
    for (int i = first; i <= last; ++i) {
        // Names are short: a byte loop beats a call to strlen for each.
        size_t length = 0;
        while (names[offset + length] != '\0') ++length;
        used_ += length;
        used_ -= entries_[i].length;
        entries_[i].begin = text_.size() + offset;
        entries_[i].length = length;
        offset += length + 1;
    }
    text_.append(names, offset);
    if (text_.size() > 2 * (used_ + entries_.size()) + 4096) compact();
}

void Names::compact() {
    std::string text;
    text.reserve(used_ + entries_.size());
    for (Entry& e : entries_) {
        size_t begin = text.size();
        text.append(text_, e.begin, e.length);
        text.push_back('\0');
        e.begin = begin;
    }
    text_.swap(text);
}

namespace {

void appendName(std::string& out, std::string_view given, char letter, int i) {
    if (!given.empty()) {
        out.append(given.data(), given.size());
        return;
    }
    char digits[16];
    auto end = std::to_chars(digits, digits + sizeof digits, i + 1).ptr;
    out.push_back(letter);
    out.append(digits, end);
}

}  // namespace

void Model::appendRowName(std::string& out, int r) const {
    appendName(out, rownames[r], 'R', r);
}

void Model::appendColName(std::string& out, int c) const {
    appendName(out, colnames[c], 'C', c);
}

std::string Model::rowName(int r) const {
    std::string name;
    appendRowName(name, r);
    return name;
}

std::string Model::colName(int c) const {
    std::string name;
    appendColName(name, c);
    return name;
}

Log::~Log() {
    if (file_) std::fclose(file_);
}

bool Log::open(const char* file) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!file || !*file) return true;
    // Appending keeps the caller's own lines, written between our calls, in their place.
    file_ = std::fopen(file, "a");
    return file_ != nullptr;
}

void Log::setCallback(XPRSmessagecallback cb, void* data, XPRSprob owner) {
    std::lock_guard<std::mutex> lock(mutex_);
    callback_ = cb;
    data_ = data;
    owner_ = owner;
}

void Log::beginCall() {
    std::lock_guard<std::mutex> lock(mutex_);
    caller_ = std::this_thread::get_id();
}

void Log::line(const std::string& text, int type) {
    std::string clean = text;
    while (!clean.empty() && (clean.back() == '\n' || clean.back() == '\r')) clean.pop_back();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (std::this_thread::get_id() != caller_) {
            pending_.emplace_back(clean, type);
            return;
        }
    }
    flushPending();
    deliver(clean, type);
}

void Log::flushPending() {
    std::vector<std::pair<std::string, int>> lines;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lines.swap(pending_);
    }
    for (auto& l : lines) deliver(l.first, l.second);
}

void Log::deliver(const std::string& text, int type) {
    if (file_) {
        std::fputs(text.c_str(), file_);
        std::fputc('\n', file_);
        std::fflush(file_);
    }
    if (callback_) callback_(owner_, data_, text.c_str(), static_cast<int>(text.size()), type);
}

namespace {

// Routes CLP's and CBC's messages into the problem's log with their severity.
class LogMessages : public CoinMessageHandler {
  public:
    explicit LogMessages(Log* log) : log_(log) {}
    CoinMessageHandler* clone() const override { return new LogMessages(*this); }
    int print() override {
        char severity = currentMessage().severity();
        int type = severity == 'W' ? 3 : (severity == 'E' || severity == 'S') ? 4 : 1;
        log_->line(messageBuffer(), type);
        return 0;
    }

  private:
    Log* log_;
};

}  // namespace

Problem::Problem() : messages(new LogMessages(&log)) {}
Problem::~Problem() = default;

namespace {

std::int64_t steadyNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

void Problem::beginOptimization() {
    stopRequested = false;
    lastAsk = steadyNanoseconds();
}

bool Problem::logPoint(bool due) {
    if (stopRequested.load(std::memory_order_relaxed)) return true;
    if (!lpCallback) return false;
    if (!due && steadyNanoseconds() - lastAsk.load(std::memory_order_relaxed) < kAskInterval)
        return false;
    std::lock_guard<std::mutex> lock(callbackMutex);
    // Another thread may have asked while this one waited.
    if (stopRequested) return true;
    if (!due && steadyNanoseconds() - lastAsk.load() < kAskInterval) return false;
    bool stop = lpCallback(toHandle(this), lpCallbackData) != 0;
    lastAsk = steadyNanoseconds();
    if (stop) stopRequested = true;
    return stop;
}

void Problem::quietenBarrierStart() {
    if (deferredLogLevel < 0) deferredLogLevel = messages->logLevel();
    messages->setLogLevel(0);
}

void Problem::endQuietBarrierStart() {
    if (deferredLogLevel < 0) return;
    messages->setLogLevel(deferredLogLevel);
    deferredLogLevel = -1;
}

int Problem::fail(int code, const std::string& text) {
    errorCode = code;
    lastError = text.substr(0, 511);
    log.line(lastError, 4);
    return code;
}

}  // namespace xprs
