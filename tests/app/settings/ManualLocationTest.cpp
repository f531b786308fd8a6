// Finding the user manual: installed beside the program first, then where the build wrote it.
#include "app/settings/ManualLocation.h"

#include "support/TestData.h"

#include <gtest/gtest.h>

#include <fstream>

namespace pict {
namespace {
namespace fs = std::filesystem;

fs::path writePage(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "<html></html>";
    return path;
}

TEST(ManualLocation, InstalledManualBeforeTheBuiltOne) {
    const fs::path prefix = test::scratchDir() / "manual-prefix";
    fs::remove_all(prefix);
    const fs::path bin = prefix / "bin";
    fs::create_directories(bin);
    const fs::path built = writePage(test::scratchDir() / "manual-build" / "doc" / "manual" / "index.html");

    EXPECT_EQ(findManual(bin, built), built) << "not installed: the build's page";
    EXPECT_EQ(findManual(bin, {}), fs::path()) << "neither";
    EXPECT_EQ(findManual(bin, prefix / "missing.html"), fs::path());

    const fs::path installed = writePage(prefix / "share" / "pictorane" / "manual" / "index.html");
    EXPECT_EQ(findManual(bin, built), installed);
    EXPECT_EQ(findManual({}, built), built) << "an unknown program folder finds no installed manual";
}

TEST(ManualLocation, AFolderOfThatNameIsNoPage) {
    const fs::path prefix = test::scratchDir() / "manual-folder";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share" / "pictorane" / "manual" / "index.html");
    EXPECT_EQ(findManual(prefix / "bin", {}), fs::path());
}

} // namespace
} // namespace pict
