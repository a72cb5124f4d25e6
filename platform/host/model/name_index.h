// Finds names of a NameTable by their text: open addressing over the table's indices, so that
// looking a name up allocates nothing and the index costs 4 bytes per slot.
#ifndef CORVANE_PLATFORM_HOST_MODEL_NAME_INDEX_H
#define CORVANE_PLATFORM_HOST_MODEL_NAME_INDEX_H

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/host/model/linear_model.h"

namespace corvane::host {

class NameIndex {
  public:
    explicit NameIndex(const NameTable& names) : names_(names) {}

    // The index of `name` in the table, or -1.
    int find(std::string_view name) const {
        if (slots_.empty()) return -1;
        for (size_t slot = hash(name) & mask();; slot = (slot + 1) & mask()) {
            const int32_t entry = slots_[slot];
            if (entry == 0) return -1;
            if (names_[entry - 1] == name) return entry - 1;
        }
    }

    // Records that the table's name `index` was just added. False when an earlier name has the
    // same text (the index then keeps the earlier one).
    bool insert(int index) {
        if ((count_ + 1) * 2 > slots_.size()) grow();
        const std::string_view name = names_[index];
        for (size_t slot = hash(name) & mask();; slot = (slot + 1) & mask()) {
            const int32_t entry = slots_[slot];
            if (entry == 0) {
                slots_[slot] = index + 1;
                ++count_;
                return true;
            }
            if (names_[entry - 1] == name) return false;
        }
    }

  private:
    static size_t hash(std::string_view name) {
        uint64_t h = 1469598103934665603ull;
        for (const char c : name) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        return static_cast<size_t>(h ^ (h >> 29));
    }
    size_t mask() const { return slots_.size() - 1; }

    void grow() {
        std::vector<int32_t> old = std::move(slots_);
        slots_.assign(old.empty() ? 64 : old.size() * 2, 0);
        for (const int32_t entry : old) {
            if (entry == 0) continue;
            size_t slot = hash(names_[entry - 1]) & mask();
            while (slots_[slot] != 0) slot = (slot + 1) & mask();
            slots_[slot] = entry;
        }
    }

    const NameTable& names_;
    std::vector<int32_t> slots_;
    size_t count_ = 0;
};

}  // namespace corvane::host

#endif
