#pragma once
// Locating the shared test images and the project's own fixtures.

#include <filesystem>
#include <string>

namespace pict::test {

// ../shared/testdata relative to the project root. Fails the calling test with a clear
// message (instead of passing silently) when the folder is missing.
std::filesystem::path sharedTestData();

// A fresh empty folder for files a test writes; removed when the process ends.
std::filesystem::path scratchDir();

} // namespace pict::test
