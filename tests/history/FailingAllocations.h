#pragma once
// Makes every allocation through the global operator new fail while an instance lives, so
// that a test can reach the out-of-memory branch of one call. The test binary replaces the
// global operator new for this; outside that window it allocates as usual.

namespace pict::test {

class FailingAllocations {
public:
    FailingAllocations();
    ~FailingAllocations();
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;
};

} // namespace pict::test
