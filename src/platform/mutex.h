// Mutexes the thread-safety analysis understands (thread_annotations.h): a
// mutex and a reader-writer mutex, each with a lock held for a scope. A field
// they guard says so with LUMETTA_GUARDED_BY, and clang then refuses an access
// made without the lock.
#pragma once

#include <condition_variable>
#include <mutex>
#include <shared_mutex>

#include "platform/thread_annotations.h"

namespace lumetta {

class LUMETTA_CAPABILITY("mutex") Mutex {
 public:
  void lock() LUMETTA_ACQUIRE() { mutex_.lock(); }
  void unlock() LUMETTA_RELEASE() { mutex_.unlock(); }

 private:
  std::mutex mutex_;
};

// Holds `mutex` from its construction to its end; a condition variable may
// give it up while it waits (`wait`).
class LUMETTA_SCOPED_CAPABILITY MutexLock {
 public:
  explicit MutexLock(Mutex& mutex) LUMETTA_ACQUIRE(mutex) : mutex_(mutex) { mutex_.lock(); }
  ~MutexLock() LUMETTA_RELEASE() { mutex_.unlock(); }
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;

  // Gives the lock up while `condition` waits, and holds it again on return
  // (a notification, a spurious wake-up or, with a timeout, the time out).
  void wait(std::condition_variable_any& condition) { condition.wait(mutex_); }
  template <class Rep, class Period>
  void waitFor(std::condition_variable_any& condition,
               const std::chrono::duration<Rep, Period>& timeout) {
    condition.wait_for(mutex_, timeout);
  }

 private:
  Mutex& mutex_;
};

class LUMETTA_CAPABILITY("mutex") SharedMutex {
 public:
  void lock() LUMETTA_ACQUIRE() { mutex_.lock(); }
  void unlock() LUMETTA_RELEASE() { mutex_.unlock(); }
  void lockShared() LUMETTA_ACQUIRE_SHARED() { mutex_.lock_shared(); }
  void unlockShared() LUMETTA_RELEASE_SHARED() { mutex_.unlock_shared(); }

 private:
  std::shared_mutex mutex_;
};

// Holds a reader-writer mutex exclusively, or shared, for a scope.
class LUMETTA_SCOPED_CAPABILITY WriterLock {
 public:
  explicit WriterLock(SharedMutex& mutex) LUMETTA_ACQUIRE(mutex) : mutex_(mutex) { mutex_.lock(); }
  ~WriterLock() LUMETTA_RELEASE() { mutex_.unlock(); }
  WriterLock(const WriterLock&) = delete;
  WriterLock& operator=(const WriterLock&) = delete;

 private:
  SharedMutex& mutex_;
};

class LUMETTA_SCOPED_CAPABILITY ReaderLock {
 public:
  explicit ReaderLock(SharedMutex& mutex) LUMETTA_ACQUIRE_SHARED(mutex) : mutex_(mutex) {
    mutex_.lockShared();
  }
  ~ReaderLock() LUMETTA_RELEASE() { mutex_.unlockShared(); }
  ReaderLock(const ReaderLock&) = delete;
  ReaderLock& operator=(const ReaderLock&) = delete;

 private:
  SharedMutex& mutex_;
};

}  // namespace lumetta
