// Large arrays that a reader fills once: asking the system for large pages over them turns the
// thousands of page faults of a big model into a few, which on a virtual machine cost more than
// parsing the bytes. Only the pages written are ever taken, as with small pages.
#ifndef CORVANE_PLATFORM_HOST_MODEL_BIG_ARRAYS_H
#define CORVANE_PLATFORM_HOST_MODEL_BIG_ARRAYS_H

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace corvane::host {

// Advice only: whatever the system makes of it, the memory stays as it was. An array reserved
// beyond what it will hold takes the whole of its last large page once it reaches it, so small
// arrays are left on small pages, where that would be a large share of what they hold.
inline void adviseLargePages(const void* data, size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr uintptr_t kLargePage = uintptr_t(1) << 21;
    if (bytes < 4 * kLargePage) return;
    const uintptr_t begin =
        (reinterpret_cast<uintptr_t>(data) + kLargePage - 1) & ~(kLargePage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kLargePage - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

// A fixed number of elements of a plain type, all zero to begin with: a large one is mapped from
// the system directly, which hands out zeroed pages, with large pages asked for.
template <typename T>
class ZeroedArray {
  public:
    ZeroedArray() = default;
    explicit ZeroedArray(size_t count) : count_(count) {
        const size_t bytes = count * sizeof(T);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        constexpr size_t kLargePage = size_t(1) << 21;
        if (bytes >= kLargePage) {
            const size_t rounded = (bytes + kLargePage - 1) & ~(kLargePage - 1);
            mappedBytes_ = rounded + kLargePage;
            void* mapped = mmap(nullptr, mappedBytes_, PROT_READ | PROT_WRITE,
                                MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (mapped == MAP_FAILED) throw std::bad_alloc();
            mapped_ = mapped;
            const uintptr_t aligned =
                (reinterpret_cast<uintptr_t>(mapped) + kLargePage - 1) & ~(kLargePage - 1);
            data_ = reinterpret_cast<T*>(aligned);
            // A table of names is written all over, so its last page is used as well.
            madvise(data_, rounded, MADV_HUGEPAGE);
            return;
        }
#endif
        data_ = static_cast<T*>(std::calloc(count ? count : 1, sizeof(T)));
        if (!data_) throw std::bad_alloc();
    }
    ~ZeroedArray() {
        release();
    }
    ZeroedArray(ZeroedArray&& other) noexcept {
        take(other);
    }
    ZeroedArray& operator=(ZeroedArray&& other) noexcept {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }
    ZeroedArray(const ZeroedArray&) = delete;
    ZeroedArray& operator=(const ZeroedArray&) = delete;

    T& operator[](size_t index) {
        return data_[index];
    }
    const T& operator[](size_t index) const {
        return data_[index];
    }
    size_t size() const {
        return count_;
    }
    bool empty() const {
        return count_ == 0;
    }

  private:
    void release() {
#if defined(__linux__)
        if (mapped_) {
            munmap(mapped_, mappedBytes_);
        } else
#endif
            std::free(data_);
        data_ = nullptr;
        mapped_ = nullptr;
        count_ = 0;
    }
    void take(ZeroedArray& other) {
        data_ = other.data_;
        mapped_ = other.mapped_;
        mappedBytes_ = other.mappedBytes_;
        count_ = other.count_;
        other.data_ = nullptr;
        other.mapped_ = nullptr;
        other.count_ = 0;
    }

    T* data_ = nullptr;
    void* mapped_ = nullptr;  // set when data_ lies in a mapping of its own
    size_t mappedBytes_ = 0;
    size_t count_ = 0;
};

}  // namespace corvane::host

#endif
