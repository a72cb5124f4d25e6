// The one lock guarding the double's state. The optimizer may call back from threads of its own,
// and tests may drive the double from several threads.
#ifndef CORVANE_XPRS_DOUBLE_LOCK_HPP
#define CORVANE_XPRS_DOUBLE_LOCK_HPP

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <mutex>
#endif

namespace xdouble {

// Windows toolchains configured for native threads have no std::mutex, so the system lock is
// used there.
class Mutex {
  public:
    Mutex() = default;
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

#if defined(_WIN32)
    void lock() {
        AcquireSRWLockExclusive(&lock_);
    }
    void unlock() {
        ReleaseSRWLockExclusive(&lock_);
    }

  private:
    SRWLOCK lock_ = SRWLOCK_INIT;
#else
    void lock() {
        mutex_.lock();
    }
    void unlock() {
        mutex_.unlock();
    }

  private:
    std::mutex mutex_;
#endif
};

class ScopedLock {
  public:
    explicit ScopedLock(Mutex& mutex) : mutex_(mutex) { mutex_.lock(); }
    ~ScopedLock() { mutex_.unlock(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

  private:
    Mutex& mutex_;
};

}  // namespace xdouble

#endif
