#include "alloc_counter.h"

#include <cstddef>
#include <new>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}

namespace {
long allocations = 0;
long frees = 0;
}  // namespace

long allocationCount() { return allocations; }
long freeCount() { return frees; }

// The program's own definitions take the place of the C library's for every
// library in the process; each passes the call on to glibc's allocator.
extern "C" {
void* malloc(size_t size) {
    ++allocations;
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
    ++allocations;
    return __libc_calloc(count, size);
}
void* realloc(void* block, size_t size) {
    ++allocations;
    return __libc_realloc(block, size);
}
void* memalign(size_t alignment, size_t size) {
    ++allocations;
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size) {
    ++allocations;
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** out, size_t alignment, size_t size) {
    ++allocations;
    *out = __libc_memalign(alignment, size);
    return *out != nullptr ? 0 : 12;  // ENOMEM
}
void free(void* block) {
    if (block != nullptr) ++frees;
    __libc_free(block);
}
}

namespace {
long news = 0;
long deletes = 0;
}  // namespace

long newCount() { return news; }
long deleteCount() { return deletes; }

void* operator new(size_t size) {
    ++news;
    void* block = malloc(size > 0 ? size : 1);
    if (block == nullptr) throw std::bad_alloc();
    return block;
}
void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* block) noexcept {
    if (block != nullptr) ++deletes;
    free(block);
}
void operator delete[](void* block) noexcept { operator delete(block); }
void operator delete(void* block, size_t) noexcept { operator delete(block); }
void operator delete[](void* block, size_t) noexcept { operator delete(block); }
