#include "app/settings/DataDirectory.h"

#include "support/TestData.h"

#include <gtest/gtest.h>

#include <fstream>

namespace pict {
namespace {
namespace fs = std::filesystem;

fs::path freshDir(const char* name) {
    fs::path dir = test::scratchDir() / name;
    fs::create_directories(dir);
    return dir;
}

TEST(SettingsLocation, PortableBesideTheExecutable) {
    LocationInputs in;
    in.executableDirectory = freshDir("portable");
    in.home = "/home/someone";
    in.version = {2, 5, 0, 0};
    SettingsLocation loc = locateSettings(in);
    EXPECT_FALSE(loc.installed);
    EXPECT_EQ(loc.file, in.executableDirectory / "QXSettings.xml");
    EXPECT_TRUE(createDataDirectory(loc));
}

TEST(SettingsLocation, InstalledWhenAnUninstallerFileIsThere) {
    LocationInputs in;
    in.executableDirectory = freshDir("installed");
    { std::ofstream(in.executableDirectory / "unins000.dat") << "x"; }
    in.version = {2, 5, 0, 0};
    in.xdgConfigHome = (test::scratchDir() / "config").string();
    in.home = "/home/someone";
    SettingsLocation loc = locateSettings(in);
    EXPECT_TRUE(loc.installed);
    EXPECT_EQ(loc.file, fs::path(in.xdgConfigHome) / "Brindlemoss" / "Pictorane" / "2.5" / "Settings.xml");
    ASSERT_TRUE(createDataDirectory(loc));
    EXPECT_TRUE(fs::is_directory(loc.directory));
    EXPECT_TRUE(createDataDirectory(loc)) << "an existing folder is fine";

    in.xdgConfigHome = "relative/config"; // not absolute: ignored
    EXPECT_EQ(locateSettings(in).directory, fs::path("/home/someone/.config/Brindlemoss/Pictorane/2.5"));
    in.home.clear();
    EXPECT_EQ(locateSettings(in).directory, in.executableDirectory / "Brindlemoss" / "Pictorane" / "2.5");
}

TEST(SettingsLocation, InstalledInAPrefixWithItsDesktopEntry) {
    const fs::path prefix = freshDir("prefix");
    LocationInputs in;
    in.executableDirectory = prefix / "bin";
    fs::create_directories(in.executableDirectory);
    in.version = {1, 0, 0, 0};
    in.xdgConfigHome = (test::scratchDir() / "prefix-config").string();
    EXPECT_FALSE(locateSettings(in).installed) << "a bin folder alone is not an install";

    fs::create_directories(prefix / "share" / "applications");
    { std::ofstream(prefix / "share" / "applications" / (std::string(kDesktopAppId) + ".desktop")) << "[Desktop Entry]\n"; }
    const SettingsLocation loc = locateSettings(in);
    EXPECT_TRUE(loc.installed);
    EXPECT_EQ(loc.file, fs::path(in.xdgConfigHome) / "Brindlemoss" / "Pictorane" / "1.0" / "Settings.xml");

    // The same entry beside a folder of another name (a build tree) does not count.
    in.executableDirectory = prefix / "qt";
    fs::create_directories(in.executableDirectory);
    EXPECT_FALSE(locateSettings(in).installed);
}

TEST(SettingsLocation, UninstallerNamePattern) {
    fs::path dir = freshDir("patterns");
    for (const char* name : {"unins00.dat", "unins0000.dat", "uninsABC.txt", "xunins000.dat"})
        std::ofstream(dir / name) << "x";
    EXPECT_FALSE(hasUninstallerData(dir));
    std::ofstream(dir / "UNINS123.DAT") << "x";
    EXPECT_TRUE(hasUninstallerData(dir));
}

TEST(SettingsLocation, AFileInTheWayIsSilent) {
    fs::path base = freshDir("blocked");
    { std::ofstream(base / "Brindlemoss") << "x"; }
    SettingsLocation loc{base / "Brindlemoss", base / "Brindlemoss" / "Settings.xml", true};
    EXPECT_TRUE(createDataDirectory(loc));
    SettingsLocation deeper{base / "Brindlemoss" / "Pictorane", base / "Brindlemoss" / "Pictorane" / "Settings.xml", true};
    EXPECT_FALSE(createDataDirectory(deeper));
}

TEST(ProductVersionText, SplitsAtDotsAndCommas) {
    ProductVersion v;
    ASSERT_TRUE(parseProductVersion("1, 2, 3, 4", v));
    EXPECT_EQ(v.major, 1);
    EXPECT_EQ(v.build, 4);
    ASSERT_TRUE(parseProductVersion("3.1,0.77", v));
    EXPECT_EQ(v.minor, 1);
    EXPECT_FALSE(parseProductVersion("1.2.3", v));
    EXPECT_FALSE(parseProductVersion("1.2.3.4.5", v));
    EXPECT_FALSE(parseProductVersion("1.x.3.4", v));
    EXPECT_EQ(aboutVersionText({1, 2, 3, 45}), "Version 1.2.3  (Build 45)");
}

} // namespace
} // namespace pict
