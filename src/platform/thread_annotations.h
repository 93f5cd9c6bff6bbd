// Clang's thread-safety annotations: which mutex guards a field, which a
// function needs held, which it takes or gives up. Clang checks them with
// -Wthread-safety (an error in the clang builds: fuzz, tidy, mac-check);
// other compilers see nothing. The standard library's mutexes carry none, so
// annotated state is guarded by the wrappers of mutex.h.
#pragma once

#if defined(__clang__)
#define LUMETTA_THREAD_ANNOTATION(x) __attribute__((x))
#else
#define LUMETTA_THREAD_ANNOTATION(x)
#endif

// A type that is a lock (a capability).
#define LUMETTA_CAPABILITY(name) LUMETTA_THREAD_ANNOTATION(capability(name))
// An object that holds a lock for its lifetime.
#define LUMETTA_SCOPED_CAPABILITY LUMETTA_THREAD_ANNOTATION(scoped_lockable)
// A field read or written only while the lock is held.
#define LUMETTA_GUARDED_BY(lock) LUMETTA_THREAD_ANNOTATION(guarded_by(lock))
// A function called only while the lock is held (exclusively, or at least shared).
#define LUMETTA_REQUIRES(...) LUMETTA_THREAD_ANNOTATION(requires_capability(__VA_ARGS__))
#define LUMETTA_REQUIRES_SHARED(...) \
  LUMETTA_THREAD_ANNOTATION(requires_shared_capability(__VA_ARGS__))
// A function that takes or gives up the lock.
#define LUMETTA_ACQUIRE(...) LUMETTA_THREAD_ANNOTATION(acquire_capability(__VA_ARGS__))
#define LUMETTA_RELEASE(...) LUMETTA_THREAD_ANNOTATION(release_capability(__VA_ARGS__))
#define LUMETTA_ACQUIRE_SHARED(...) \
  LUMETTA_THREAD_ANNOTATION(acquire_shared_capability(__VA_ARGS__))
#define LUMETTA_RELEASE_SHARED(...) \
  LUMETTA_THREAD_ANNOTATION(release_shared_capability(__VA_ARGS__))
// A function called only while the lock is not held (it takes it).
#define LUMETTA_EXCLUDES(...) LUMETTA_THREAD_ANNOTATION(locks_excluded(__VA_ARGS__))
