// Finds names of a NameTable by their text: open addressing over the table's indices, so that
// looking a name up allocates nothing and the index costs 16 bytes per slot. A name of up to 8
// characters is held in its slot whole, so finding it never reaches into the table; a longer one
// is compared there only when the slot's tag (hash bits and length) agrees.
#ifndef CORVANE_PLATFORM_HOST_MODEL_NAME_INDEX_H
#define CORVANE_PLATFORM_HOST_MODEL_NAME_INDEX_H

#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/host/model/big_arrays.h"
#include "platform/host/model/linear_model.h"

namespace corvane::host {

class NameIndex {
  public:
    explicit NameIndex(const NameTable& names) : names_(names) {}

    // A name's hash, taken once: a reader may ask for its slot ahead of the search.
    static uint64_t hashOf(std::string_view name) {
        return name.size() <= 8 ? hashShort(shortWord(name), name.size()) : hashLong(name);
    }
    void prefetch(uint64_t h) const {
        if (!slots_.empty()) __builtin_prefetch(&slots_[h >> shift_]);
    }

    // The index of `name` in the table, or -1.
    int find(std::string_view name) const { return find(name, hashOf(name)); }
    int find(std::string_view name, uint64_t h) const {
        if (slots_.empty()) return -1;
        const Key key = keyOf(name, h);
        for (size_t slot = h >> shift_;; slot = (slot + 1) & mask()) {
            const Slot& entry = slots_[slot];
            if (entry.index == 0) return -1;
            if (matches(entry, key, name)) return entry.index - 1;
        }
    }

    // Where `name` is, or where it would go: locate() first makes room for one more name, so that
    // claim() may then record the name under the index it gets in the table, once added there.
    struct Spot {
        int found;  // the index of the name when it is there already, else -1
        size_t slot;
        uint32_t tag;
        uint64_t word;
    };
    Spot locate(std::string_view name) {
        if ((count_ + 1) * 2 > slots_.size()) grow();
        const uint64_t h = hashOf(name);
        const Key key = keyOf(name, h);
        size_t slot = h >> shift_;
        for (;; slot = (slot + 1) & mask()) {
            const Slot& entry = slots_[slot];
            if (entry.index == 0) break;
            if (matches(entry, key, name)) return {entry.index - 1, slot, key.tag, key.word};
        }
        return {-1, slot, key.tag, key.word};
    }
    void claim(const Spot& spot, int index) {
        slots_[spot.slot] = {spot.tag, index + 1, spot.word};
        ++count_;
    }

    // Records that the table's name `index` was just added. False when an earlier name has the
    // same text (the index then keeps the earlier one).
    bool insert(int index) {
        const Spot spot = locate(names_[index]);
        if (spot.found >= 0) return false;
        claim(spot, index);
        return true;
    }

    // Makes room for `count` names in all, so that adding them grows the index no further.
    void reserve(size_t count) {
        size_t size = slots_.empty() ? 64 : slots_.size();
        while (count * 2 > size) size *= 2;
        if (size != slots_.size()) resize(size);
    }

    // Forgets every name, and gives back the index's memory.
    void clear() {
        slots_ = ZeroedArray<Slot>();
        shift_ = 64;
        count_ = 0;
    }

  private:
    // A slot holds its name's index + 1 (0 for an empty slot); the tag; and a name of up to 8
    // characters itself, padded with zeros.
    struct Slot {
        uint32_t tag;
        int32_t index;
        uint64_t word;
    };
    struct Key {
        uint32_t tag;
        uint64_t word;
        bool isShort;
    };

    static Key keyOf(std::string_view name, uint64_t h) {
        const uint32_t length = name.size() < 255 ? static_cast<uint32_t>(name.size()) : 255;
        const bool isShort = name.size() <= 8;
        return {(static_cast<uint32_t>(h) & ~0xffu) | length, isShort ? shortWord(name) : 0,
                isShort};
    }
    bool matches(const Slot& entry, const Key& key, std::string_view name) const {
        if (entry.tag != key.tag) return false;
        return key.isShort ? entry.word == key.word : same(names_[entry.index - 1], name);
    }

    static uint32_t load4(const char* p) {
        uint32_t word;
        std::memcpy(&word, p, 4);
        return word;
    }
    static uint64_t load8(const char* p) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        return word;
    }
    // Up to 8 characters as one word, the unused bytes zero; two loads that may overlap, so that
    // no byte outside the name is read and no copy of variable length is made.
    static uint64_t shortWord(std::string_view name) {
        const char* p = name.data();
        const size_t n = name.size();
        if (n >= 4)
            return load4(p) | (static_cast<uint64_t>(load4(p + n - 4)) >> (8 * (8 - n))) << 32;
        uint64_t word = 0;
        if (n > 0) word = static_cast<unsigned char>(p[0]);
        if (n > 1) word |= static_cast<uint64_t>(static_cast<unsigned char>(p[1])) << 8;
        if (n > 2) word |= static_cast<uint64_t>(static_cast<unsigned char>(p[2])) << 16;
        return word;
    }

    // The high bits pick the slot, the low ones make the tag.
    static uint64_t finish(uint64_t h) {
        h ^= h >> 32;
        h *= 0xD6E8FEB86659FD93ull;
        h ^= h >> 29;
        return h;
    }
    static uint64_t hashShort(uint64_t word, size_t length) {
        return finish(word * 0x9E3779B97F4A7C15ull + length);
    }
    // Eight bytes at a time; the last word ends with the name and may overlap the one before.
    static uint64_t hashLong(std::string_view name) {
        const char* p = name.data();
        const size_t n = name.size();
        uint64_t h = n;
        size_t at = 0;
        for (; at + 8 < n; at += 8) h = (h ^ load8(p + at)) * 0x9E3779B97F4A7C15ull;
        return finish((h ^ load8(p + n - 8)) * 0x9E3779B97F4A7C15ull);
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

    // A short name's hash comes from its slot alone; only long names are read again.
    void grow() { resize(slots_.empty() ? 64 : slots_.size() * 2); }
    void resize(size_t size) {
        ZeroedArray<Slot> old = std::move(slots_);
        slots_ = ZeroedArray<Slot>(size);
        shift_ = 64 - __builtin_ctzll(size);
        for (size_t k = 0; k < old.size(); ++k) {
            const Slot& entry = old[k];
            if (entry.index == 0) continue;
            const size_t length = entry.tag & 0xff;
            const uint64_t h =
                length <= 8 ? hashShort(entry.word, length) : hashLong(names_[entry.index - 1]);
            size_t slot = h >> shift_;
            while (slots_[slot].index != 0) slot = (slot + 1) & mask();
            slots_[slot] = entry;
        }
    }

    const NameTable& names_;
    ZeroedArray<Slot> slots_;
    int shift_ = 64;
    size_t count_ = 0;
};

}  // namespace corvane::host

#endif
