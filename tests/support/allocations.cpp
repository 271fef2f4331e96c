#include "support/allocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long long> allocations{0};
}  // namespace

long long allocations_so_far() { return allocations.load(); }

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) {
    return p;
  }
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t /*size*/) noexcept { std::free(p); }
