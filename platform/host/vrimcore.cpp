// The host's convergence-summary record.
#include <map>
#include <new>
#include <string>

#include "platform/host/vrim_host.h"

struct rt_cvgsum {
    std::map<std::string, int> ints;
    std::map<std::string, double> reals;
};

namespace {

template <typename Value>
int setItem(std::map<std::string, Value>& items, const char* item, Value value) {
    try {
        items[item] = value;
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

}  // namespace

extern "C" {

rt_cvgsum_t* rtocvgsum_create(void) {
    return new (std::nothrow) rt_cvgsum;
}

void rtocvgsum_destroy(rt_cvgsum_t* summary) {
    delete summary;
}

int rtocvgsum_set_int_item(rt_cvgsum_t* summary, const char* item, int value) {
    if (!summary || !item) return 1;
    return setItem(summary->ints, item, value);
}

int rtocvgsum_set_real_item(rt_cvgsum_t* summary, const char* item, double value) {
    if (!summary || !item) return 1;
    return setItem(summary->reals, item, value);
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
}
}
