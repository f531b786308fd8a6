#include "support/TestData.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

namespace pict::test {

std::filesystem::path sharedTestData() {
    const std::filesystem::path dir = std::filesystem::path(PICT_SOURCE_DIR) / ".." / "shared" / "testdata";
    if (!std::filesystem::is_directory(dir))
        ADD_FAILURE() << "test data folder not found: " << dir.string()
                      << " (the shared test images must sit beside the project)";
    return dir.lexically_normal();
}

namespace {
struct ScratchFolder {
    std::filesystem::path path;
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pictorane-test-XXXXXX").string();
        if (char* made = mkdtemp(pattern.data()))
            path = made;
    }
    ~ScratchFolder() {
        std::error_code ec;
        if (!path.empty())
            std::filesystem::remove_all(path, ec);
    }
};
} // namespace

std::filesystem::path scratchDir() {
    static ScratchFolder folder;
    return folder.path;
}

} // namespace pict::test
