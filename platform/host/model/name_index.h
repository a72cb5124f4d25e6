// Finds names of a NameTable by their text: open addressing over the table's indices, so that
// looking a name up allocates nothing and the index costs 16 bytes per slot.
#ifndef CORVANE_PLATFORM_HOST_MODEL_NAME_INDEX_H
#define CORVANE_PLATFORM_HOST_MODEL_NAME_INDEX_H

#include <cstdint>
#include <cstring>
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
        const uint64_t h = hash(name);
        const uint32_t tag = tagOf(h, name);
        const bool isShort = name.size() <= 8;
        const uint64_t word = isShort ? shortWord(name) : 0;
        for (size_t slot = h >> shift_;; slot = (slot + 1) & mask()) {
            const Slot& entry = slots_[slot];
            if (entry.index == 0) return -1;
            if (entry.tag != tag) continue;
            if (isShort ? entry.word == word : same(names_[entry.index - 1], name))
                return entry.index - 1;
        }
    }

    // Records that the table's name `index` was just added. False when an earlier name has the
    // same text (the index then keeps the earlier one).
    bool insert(int index) {
        if ((count_ + 1) * 2 > slots_.size()) grow();
        const std::string_view name = names_[index];
        if (find(name) >= 0) return false;
        place(index);
        ++count_;
        return true;
    }

  private:
    // A slot holds its name's index + 1 (0 for an empty slot); a tag of half the name's hash and
    // its length, which settles most mismatches; and a name of up to 8 characters itself, so that
    // the common short names are compared without reaching into the table.
    struct Slot {
        uint32_t tag = 0;
        int32_t index = 0;
        uint64_t word = 0;
    };

    static uint32_t tagOf(uint64_t h, std::string_view name) {
        const uint32_t length = name.size() < 255 ? static_cast<uint32_t>(name.size()) : 255;
        return (static_cast<uint32_t>(h) & ~0xffu) | length;
    }
    static uint64_t shortWord(std::string_view name) {
        uint64_t word = 0;
        if (!name.empty()) std::memcpy(&word, name.data(), name.size());
        return word;
    }

    // Eight bytes at a time, then a multiplication whose high bits pick the slot.
    static uint64_t hash(std::string_view name) {
        constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
        uint64_t h = name.size();
        size_t p = 0;
        for (; p + 8 <= name.size(); p += 8) h = mix(h ^ load8(name.data() + p));
        uint64_t rest = 0;
        if (p < name.size()) std::memcpy(&rest, name.data() + p, name.size() - p);
        h = mix(h ^ rest) * kMultiplier;
        return (h >> 32) | (h << 32);
    }
    static uint64_t mix(uint64_t h) {
        h *= 0x9E3779B97F4A7C15ull;
        return h ^ (h >> 32);
    }
    static uint64_t load8(const char* p) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        return word;
    }
    // Names are short: whole words compared in place, without a call.
    static bool same(std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        size_t p = 0;
        for (; p + 8 <= a.size(); p += 8)
            if (load8(a.data() + p) != load8(b.data() + p)) return false;
        for (; p < a.size(); ++p)
            if (a[p] != b[p]) return false;
        return true;
    }
    size_t mask() const { return slots_.size() - 1; }

    void place(int index) {
        const std::string_view name = names_[index];
        const uint64_t h = hash(name);
        size_t slot = h >> shift_;
        while (slots_[slot].index != 0) slot = (slot + 1) & mask();
        slots_[slot] = {tagOf(h, name), index + 1, name.size() <= 8 ? shortWord(name) : 0};
    }

    void grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(old.empty() ? 64 : old.size() * 2, Slot());
        shift_ = 64 - __builtin_ctzll(slots_.size());
        for (const Slot& entry : old)
            if (entry.index != 0) place(entry.index - 1);
    }

    const NameTable& names_;
    std::vector<Slot> slots_;
    int shift_ = 64;
    size_t count_ = 0;
};

}  // namespace corvane::host

#endif
