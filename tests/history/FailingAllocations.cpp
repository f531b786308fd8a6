#include "FailingAllocations.h"

#include <cstdlib>
#include <new>

namespace {

// Nesting depth of the live FailingAllocations; the tests run on one thread.
int gFailingDepth = 0;

} // namespace

namespace pict::test {

FailingAllocations::FailingAllocations() { ++gFailingDepth; }
FailingAllocations::~FailingAllocations() { --gFailingDepth; }

} // namespace pict::test

// The array and nothrow forms forward to this one; the matching deletes free what malloc gave.
void* operator new(std::size_t size) {
    if (gFailingDepth > 0)
        throw std::bad_alloc();
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
