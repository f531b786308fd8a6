#pragma once
// Asking the kernel for 2 MiB pages under large blocks of memory that are about to be
// written whole: a 6000 x 4000 picture otherwise costs some 18000 page faults the first time
// it is written. Only the aligned interior of the block can be given such pages; the advice
// is a hint that the kernel may ignore, and blocks under 8 MiB are left alone.

#include <cstddef>
#include <cstdint>

namespace pict {

void preferLargePages(uint8_t* memory, size_t bytes);

} // namespace pict
