#include "live_heap.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace lumetta::bench {
namespace {

std::atomic<std::ptrdiff_t> live{0};

void* allocate(std::size_t size) {
  void* memory = std::malloc(size == 0 ? 1 : size);
  if (!memory) throw std::bad_alloc();
  live.fetch_add(std::ptrdiff_t(malloc_usable_size(memory)), std::memory_order_relaxed);
  return memory;
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
  void* memory = std::aligned_alloc(
      std::size_t(alignment), (size + std::size_t(alignment) - 1) & ~(std::size_t(alignment) - 1));
  if (!memory) throw std::bad_alloc();
  live.fetch_add(std::ptrdiff_t(malloc_usable_size(memory)), std::memory_order_relaxed);
  return memory;
}

void release(void* memory) noexcept {
  if (!memory) return;
  live.fetch_sub(std::ptrdiff_t(malloc_usable_size(memory)), std::memory_order_relaxed);
  std::free(memory);
}

}  // namespace

std::ptrdiff_t liveHeapBytes() { return live.load(std::memory_order_relaxed); }

}  // namespace lumetta::bench

using lumetta::bench::allocate;
using lumetta::bench::allocateAligned;
using lumetta::bench::release;

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return allocateAligned(size, alignment);
}
void operator delete(void* memory) noexcept { release(memory); }
void operator delete[](void* memory) noexcept { release(memory); }
void operator delete(void* memory, std::size_t) noexcept { release(memory); }
void operator delete[](void* memory, std::size_t) noexcept { release(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { release(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { release(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { release(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { release(memory); }
