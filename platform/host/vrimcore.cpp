// The host's convergence-summary record.
#include <atomic>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "platform/host/vrim_host.h"

namespace {

struct HistoryEntry {
    std::string item;
    int kind;  // 1 int, 2 real
    double value;
};

std::atomic<int> itemsWithoutRecord{0};

}  // namespace

struct rt_cvgsum {
    std::map<std::string, int> ints;
    std::map<std::string, double> reals;
    std::vector<HistoryEntry> history;
};

namespace {

template <typename Value>
int setItem(rt_cvgsum_t* summary, std::map<std::string, Value>& items, const char* item,
            Value value, int kind) {
    try {
        items[item] = value;
        summary->history.push_back({item, kind, static_cast<double>(value)});
        return 0;
    } catch (const std::bad_alloc&) {
        return 1;
    }
}

template <typename Value>
int getItem(const std::map<std::string, Value>& items, const char* item, Value* value) {
    const auto found = items.find(item);
    if (found == items.end()) return 0;
    if (value) *value = found->second;
    return 1;
}

// A set without a record is refused, and counted so that a solver that makes one can be caught.
bool refused(const rt_cvgsum_t* summary, const char* item) {
    if (!summary) ++itemsWithoutRecord;
    return !summary || !item;
}

}  // namespace

extern "C" {

rt_cvgsum_t* rtocvgsum_create(void) {
    return new (std::nothrow) rt_cvgsum;
}

void rtocvgsum_destroy(rt_cvgsum_t* summary) {
    delete summary;
}

int rtocvgsum_set_int_item(rt_cvgsum_t* summary, const char* item, int value) {
    if (refused(summary, item)) return 1;
    return setItem(summary, summary->ints, item, value, 1);
}

int rtocvgsum_set_real_item(rt_cvgsum_t* summary, const char* item, double value) {
    if (refused(summary, item)) return 1;
    return setItem(summary, summary->reals, item, value, 2);
}

int rtocvgsum_get_int_item(const rt_cvgsum_t* summary, const char* item, int* value) {
    if (!summary || !item) return 0;
    return getItem(summary->ints, item, value);
}

int rtocvgsum_get_real_item(const rt_cvgsum_t* summary, const char* item, double* value) {
    if (!summary || !item) return 0;
    return getItem(summary->reals, item, value);
}

void rtocvgsum_clear(rt_cvgsum_t* summary) {
    if (!summary) return;
    summary->ints.clear();
    summary->reals.clear();
    summary->history.clear();
}

int rtocvgsum_history_size(const rt_cvgsum_t* summary) {
    return summary ? static_cast<int>(summary->history.size()) : 0;
}

int rtocvgsum_history_entry(const rt_cvgsum_t* summary, int k, const char** item, double* value) {
    if (!summary || k < 0 || static_cast<size_t>(k) >= summary->history.size()) return 0;
    const HistoryEntry& entry = summary->history[static_cast<size_t>(k)];
    if (item) *item = entry.item.c_str();
    if (value) *value = entry.value;
    return entry.kind;
}

int rtocvgsum_items_without_record(void) {
    return itemsWithoutRecord.load();
}
}
