#include "app/settings/AppSettings.h"

#include "support/TestData.h"

#include <gtest/gtest.h>

#include <fstream>

namespace pict {
namespace {

std::string wrap(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><BrindlemossSettingsV1>" + body + "</BrindlemossSettingsV1>";
}

AppSettings loadApplication(const std::string& attributes) {
    AppSettings s;
    EXPECT_TRUE(s.loadFromText(wrap("<Options><Application " + attributes + "/></Options>")));
    return s;
}

TEST(SettingsDefaults, MatchTheDocumentedValues) {
    AppSettings s;
    EXPECT_TRUE(s.options.saveLayout);
    EXPECT_EQ(s.options.maxRecentFiles, 8);
    EXPECT_EQ(s.options.documentWindowBackground.rgb(), 0xAAAAAAu);
    EXPECT_EQ(s.options.imageBorder.rgb(), 0x000000u);
    EXPECT_EQ(s.options.defaultForeground.rgb(), 0x000000u);
    EXPECT_EQ(s.options.defaultBackground.rgb(), 0xFFFFFFu);
    EXPECT_EQ(s.options.historyStates, 20);
    EXPECT_EQ(s.options.pixelSimilarityTolerance, 0);
    EXPECT_TRUE(s.mainWindow.rect.isEmpty());
    EXPECT_FALSE(s.mainWindow.showToolbar);
    EXPECT_FALSE(s.loaded());
}

TEST(SettingsLoad, ClampsIntegersToTheirRanges) {
    struct Case {
        const char* attribute;
        const char* value;
        int32_t ApplicationOptions::*field;
        int32_t expected;
    } cases[] = {
        {"max_recent_files", "0", &ApplicationOptions::maxRecentFiles, 1},
        {"max_recent_files", "-3", &ApplicationOptions::maxRecentFiles, 1},
        {"max_recent_files", "17", &ApplicationOptions::maxRecentFiles, 16},
        {"max_recent_files", "12", &ApplicationOptions::maxRecentFiles, 12},
        {"nb_history_states", "0", &ApplicationOptions::historyStates, 1},
        {"nb_history_states", "250", &ApplicationOptions::historyStates, 100},
        {"nb_history_states", "99999999999999999999", &ApplicationOptions::historyStates, 100},
        {"pixel_similarity_tolerance", "-5", &ApplicationOptions::pixelSimilarityTolerance, 0},
        {"pixel_similarity_tolerance", "300", &ApplicationOptions::pixelSimilarityTolerance, 255},
        {"pixel_threads", "-1", &ApplicationOptions::pixelThreads, 0},
        {"pixel_threads", "3", &ApplicationOptions::pixelThreads, 3},
        {"pixel_threads", "1000", &ApplicationOptions::pixelThreads, 64},
        {"history_memory", "-1", &ApplicationOptions::historyMemory, 0},
        {"history_memory", "64", &ApplicationOptions::historyMemory, 64},
        {"history_memory", "70000", &ApplicationOptions::historyMemory, 65536},
        {"large_picture_mib", "0", &ApplicationOptions::largePictureMiB, 1},
        {"large_picture_mib", "4096", &ApplicationOptions::largePictureMiB, 4096},
        {"large_picture_mib", "9999999", &ApplicationOptions::largePictureMiB, 1048576},
        // Unreadable numbers keep the default.
        {"nb_history_states", "many", &ApplicationOptions::historyStates, 20},
    };
    for (const Case& c : cases) {
        AppSettings s = loadApplication(std::string(c.attribute) + "=\"" + c.value + "\"");
        EXPECT_EQ(s.options.*c.field, c.expected) << c.attribute << "=" << c.value;
    }
}

TEST(SettingsLoad, ReadsColorsLeniently) {
    struct Case {
        const char* text;
        uint32_t expected;
    } cases[] = {
        {"#1a2B3c", 0x1A2B3C}, {"1A2B3C", 0x1A2B3C}, {"#12345", 0x000000}, {"", 0x000000},
        {"#GGGGGG", 0x000000}, {"x00FF00", 0x00FF00}, {"#FFFFFF", 0xFFFFFF},
    };
    for (const Case& c : cases) {
        AppSettings s = loadApplication(std::string("doc_window_bg_color=\"") + c.text + "\"");
        EXPECT_EQ(s.options.documentWindowBackground.rgb(), c.expected) << '"' << c.text << '"';
    }
    AppSettings absent = loadApplication("image_border_color=\"#102030\"");
    EXPECT_EQ(absent.options.documentWindowBackground.rgb(), 0xAAAAAAu);
    EXPECT_EQ(absent.options.imageBorder.rgb(), 0x102030u);
}

TEST(SettingsLoad, BooleansAreAnyNonZero) {
    EXPECT_FALSE(loadApplication("save_layout=\"0\"").options.saveLayout);
    EXPECT_TRUE(loadApplication("save_layout=\"7\"").options.saveLayout);
    EXPECT_TRUE(loadApplication("save_layout=\"-1\"").options.saveLayout);
}

TEST(SettingsLoad, RejectsWrongRootOrBrokenXml) {
    AppSettings s;
    EXPECT_FALSE(s.loadFromText("<?xml version=\"1.0\"?><BrindlemossSettingsV2/>"));
    EXPECT_FALSE(s.loadFromText("<BrindlemossSettingsV1><Options>"));
    EXPECT_FALSE(s.loadFromText(""));
    EXPECT_FALSE(s.loaded());
    EXPECT_EQ(s.options, ApplicationOptions{});
    EXPECT_TRUE(s.loadFromText(wrap("")));
    EXPECT_TRUE(s.loaded());
}

TEST(SettingsLoad, NormalisesTheMainFrameRectangle) {
    AppSettings s;
    ASSERT_TRUE(s.loadFromText(wrap("<States><MainFrame x=\"500\" y=\"10\" width=\"-100\" height=\"300\" "
                                    "maximized=\"1\" show_toolbar=\"1\" show_statusbar=\"0\"/></States>")));
    EXPECT_EQ(s.mainWindow.rect, (Rect{400, 10, 500, 310}));
    EXPECT_TRUE(s.mainWindow.maximized);
    EXPECT_TRUE(s.mainWindow.showToolbar);
    EXPECT_FALSE(s.mainWindow.showStatusBar);

    ASSERT_TRUE(s.loadFromText(wrap("<States><MainFrame x=\"2147483647\" width=\"2147483647\" y=\"-2147483648\" "
                                    "height=\"-5\"/></States>")));
    EXPECT_EQ(s.mainWindow.rect.right, 2147483647);
    EXPECT_EQ(s.mainWindow.rect.top, -2147483647 - 1);
}

TEST(SettingsLoad, SkipsUnknownElementsAndUsesTheFirstSection) {
    AppSettings s;
    ASSERT_TRUE(s.loadFromText(wrap("<Options><Other nb_history_states=\"5\"/><Application nb_history_states=\"7\"/>"
                                    "</Options><Options><Application nb_history_states=\"9\"/></Options>")));
    EXPECT_EQ(s.options.historyStates, 7);
}

const char* kPresetA = "<Preset name=\"A\" id=\"8\" width=\"640.000000\" height=\"480\" du=\"0\" "
                       "resolution=\"72\" ru=\"0\" bg=\"2\"/>";
const char* kPresetB = "<Preset name=\"B\" id=\"9\" width=\"21\" height=\"29.7\" du=\"2\" "
                       "resolution=\"118.11\" ru=\"1\" bg=\"1\"/>";

TEST(SettingsPresets, LoadInOrderWithAllValues) {
    AppSettings s;
    ASSERT_TRUE(s.loadFromText(wrap(std::string("<ImagePresets>") + kPresetA + "<Junk/>" + kPresetB + "</ImagePresets>")));
    ASSERT_EQ(s.presets.count(), 2u);
    const ImagePreset& b = s.presets.at(1);
    EXPECT_EQ(b.name, "B");
    EXPECT_EQ(b.id, 9);
    EXPECT_FLOAT_EQ(b.height, 29.7f);
    EXPECT_EQ(b.sizeUnit, SizeUnit::Centimeters);
    EXPECT_FLOAT_EQ(b.resolution, 118.11f);
    EXPECT_EQ(b.resolutionUnit, ResolutionUnit::PixelsPerCentimeter);
    EXPECT_EQ(b.background, NewImageBackground::BackgroundColor);
    EXPECT_EQ(s.presets.at(0).background, NewImageBackground::Transparent);
}

TEST(SettingsPresets, AnyBadPresetEmptiesTheWholeList) {
    const std::string bad[] = {
        "<Preset name=\"A\" id=\"10\" width=\"1\" height=\"1\" du=\"0\" resolution=\"72\" ru=\"0\" bg=\"0\"/>", // same name
        "<Preset name=\"C\" id=\"8\" width=\"1\" height=\"1\" du=\"0\" resolution=\"72\" ru=\"0\" bg=\"0\"/>",  // same id
        "<Preset name=\"C\" id=\"10\" width=\"1\" height=\"1\" du=\"0\" resolution=\"72\" ru=\"0\"/>",          // no bg
        "<Preset name=\"C\" id=\"10\" width=\"wide\" height=\"1\" du=\"0\" resolution=\"72\" ru=\"0\" bg=\"0\"/>",
        "<Preset name=\"C\" id=\"3\" width=\"1\" height=\"1\" du=\"0\" resolution=\"72\" ru=\"0\" bg=\"0\"/>",  // built-in id
        "<Preset name=\"C\" id=\"10\" width=\"1\" height=\"1\" du=\"4\" resolution=\"72\" ru=\"0\" bg=\"0\"/>", // no such unit
    };
    for (const std::string& preset : bad) {
        AppSettings s;
        ASSERT_TRUE(s.loadFromText(wrap(std::string("<Options><Application nb_history_states=\"5\"/></Options>"
                                                    "<ImagePresets>") +
                                        kPresetA + preset + kPresetB + "</ImagePresets>")));
        EXPECT_TRUE(s.presets.isEmpty()) << preset;
        EXPECT_EQ(s.options.historyStates, 5) << "other sections still load";
    }
}

TEST(SettingsRecentFiles, LoadKeepsOrderAndDropsDuplicates) {
    AppSettings s;
    ASSERT_TRUE(s.loadFromText(wrap("<RecentFiles><File path=\"/a.png\"/><File path=\"/b.png\"/>"
                                    "<File path=\"/a.png\"/><File path=\"/A.png\"/><File/></RecentFiles>")));
    ASSERT_EQ(s.recentFiles.count(), 3u);
    EXPECT_EQ(s.recentFiles.at(0), "/a.png");
    EXPECT_EQ(s.recentFiles.at(1), "/b.png");
    EXPECT_EQ(s.recentFiles.at(2), "/A.png");
}

TEST(SettingsSave, WritesTheExactFormat) {
    AppSettings s;
    s.options.documentWindowBackground = Color::fromRgb(0x0A0B0C);
    s.mainWindow = {Rect{10, 20, 110, 220}, true, true, false};
    ImagePreset p;
    p.name = "Web & print";
    p.id = 8;
    p.width = 640;
    p.height = 480.5f;
    ASSERT_TRUE(s.presets.add(p));
    s.recentFiles.append("/tmp/x.png");
    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<BrindlemossSettingsV1>\n"
        "    <Options>\n"
        "        <Application save_layout=\"1\" max_recent_files=\"8\" doc_window_bg_color=\"#0A0B0C\" "
        "image_border_color=\"#000000\" default_fg_color=\"#000000\" default_bg_color=\"#FFFFFF\" "
        "nb_history_states=\"20\" pixel_similarity_tolerance=\"0\" pixel_threads=\"0\" history_memory=\"256\" autosave_minutes=\"5\" "
        "large_picture_mib=\"1024\"/>\n"
        "        <Saving jpeg_quality=\"95\" jpeg_subsampling=\"0\" jpeg_progressive=\"0\" keep_metadata=\"1\" "
        "remove_location=\"0\" png_compression=\"1\" webp_quality=\"90\" webp_lossless=\"0\" "
        "tiff_compression=\"1\" tiff_depth=\"0\" tiff_color=\"0\"/>\n"
        "    </Options>\n"
        "    <States>\n"
        "        <MainFrame x=\"10\" y=\"20\" width=\"100\" height=\"200\" maximized=\"1\" show_toolbar=\"1\" "
        "show_statusbar=\"0\"/>\n"
        "    </States>\n"
        "    <ImagePresets>\n"
        "        <Preset name=\"Web &amp; print\" id=\"8\" width=\"640.000000\" height=\"480.500000\" du=\"0\" "
        "resolution=\"72.000000\" ru=\"0\" bg=\"0\"/>\n"
        "    </ImagePresets>\n"
        "    <RecentFiles>\n"
        "        <File path=\"/tmp/x.png\"/>\n"
        "    </RecentFiles>\n"
        "</BrindlemossSettingsV1>\n";
    EXPECT_EQ(s.toText(), expected);
}

TEST(SettingsSave, TheLastFolderUsedComesBack) {
    AppSettings s;
    EXPECT_EQ(s.toText().find("FileDialog"), std::string::npos) << "nothing written while there is none";
    s.lastFolder = "/home/u/Pictures & scans";
    AppSettings back;
    ASSERT_TRUE(back.loadFromText(s.toText()));
    EXPECT_EQ(back.lastFolder, "/home/u/Pictures & scans");
    AppSettings none;
    ASSERT_TRUE(none.loadFromText(AppSettings().toText()));
    EXPECT_EQ(none.lastFolder, "");
}

TEST(SettingsSave, KeepsTheToolSettingsThatDifferFromTheDefaults) {
    AppSettings s;
    s.tools.brush.size = 42;
    s.tools.polygonalLasso = true;
    const std::string text = s.toText();
    EXPECT_NE(text.find("<Tool key=\"brush.size\" value=\"42\"/>"), std::string::npos) << text;
    EXPECT_NE(text.find("<Tool key=\"lasso.polygonal\" value=\"1\"/>"), std::string::npos);
    EXPECT_EQ(text.find("pencil.size"), std::string::npos) << "defaults are not written";
    AppSettings read;
    ASSERT_TRUE(read.loadFromText(text));
    EXPECT_EQ(read.tools.brush.size, 42);
    EXPECT_TRUE(read.tools.polygonalLasso);
    EXPECT_EQ(read.tools.pencil.size, 1);
    // Out-of-range and unknown entries: clamped, ignored.
    ASSERT_TRUE(read.loadFromText("<BrindlemossSettingsV1><ToolOptions><Tool key=\"brush.size\" value=\"99999\"/>"
                                  "<Tool key=\"brush.sparkle\" value=\"1\"/></ToolOptions></BrindlemossSettingsV1>"));
    EXPECT_EQ(read.tools.brush.size, BrushParams::kMaxSize);
}

TEST(SettingsSave, SaveChoicesRoundTripAndAreClampedOnLoad) {
    AppSettings s;
    s.saving.jpeg.quality = 42;
    s.saving.jpeg.subsampling = ChromaSubsampling::Full;
    s.saving.jpeg.progressive = true;
    s.saving.keepMetadata = false;
    s.saving.removeLocation = true;
    s.saving.pngCompression = PngCompression::Best;
    s.saving.webp = {.quality = 33, .lossless = true};
    AppSettings reread;
    ASSERT_TRUE(reread.loadFromText(s.toText()));
    EXPECT_EQ(reread.saving, s.saving);

    ASSERT_TRUE(reread.loadFromText(wrap("<Options><Saving jpeg_quality=\"0\" jpeg_subsampling=\"7\" "
                                         "png_compression=\"-3\" webp_quality=\"250\"/></Options>")));
    EXPECT_EQ(reread.saving.webp.quality, 100);
    EXPECT_EQ(reread.saving.jpeg.quality, 1);
    EXPECT_EQ(reread.saving.jpeg.subsampling, ChromaSubsampling::Full);
    EXPECT_EQ(reread.saving.pngCompression, PngCompression::Fast);
    EXPECT_TRUE(reread.saving.keepMetadata) << "what the file does not hold keeps its default";
    ASSERT_TRUE(reread.loadFromText(wrap("<Options/>")));
    EXPECT_EQ(reread.saving, SaveOptions{});
}

TEST(SettingsSave, TiffChoicesComeBackAndImpossibleOnesGiveWayToTheDefaults) {
    AppSettings s;
    s.saving.tiff = {TiffCompression::Deflate, TiffDepth::Bits16, TiffColor::Gray};
    AppSettings reread;
    ASSERT_TRUE(reread.loadFromText(s.toText()));
    EXPECT_EQ(reread.saving.tiff, s.saving.tiff);
    s.saving.tiff = {TiffCompression::PackBits, TiffDepth::Bits8, TiffColor::Bilevel};
    ASSERT_TRUE(reread.loadFromText(s.toText()));
    EXPECT_EQ(reread.saving.tiff, s.saving.tiff);

    // Out of range: clamped into it, to JPEG (4) with a palette (2), which cannot be written:
    // the defaults instead of a save that would fail.
    ASSERT_TRUE(reread.loadFromText(
        wrap("<Options><Saving tiff_compression=\"9\" tiff_depth=\"-1\" tiff_color=\"2\"/></Options>")));
    EXPECT_EQ(reread.saving.tiff, TiffSaveSettings{});
    ASSERT_TRUE(reread.loadFromText(
        wrap("<Options><Saving tiff_compression=\"9\" tiff_depth=\"-1\" tiff_color=\"1\"/></Options>")));
    EXPECT_EQ(reread.saving.tiff, (TiffSaveSettings{TiffCompression::Jpeg, TiffDepth::Bits8, TiffColor::Gray}));
    ASSERT_TRUE(reread.loadFromText(
        wrap("<Options><Saving tiff_compression=\"4\" tiff_depth=\"1\" tiff_color=\"0\"/></Options>")));
    EXPECT_EQ(reread.saving.tiff, TiffSaveSettings{});
    ASSERT_TRUE(reread.loadFromText(
        wrap("<Options><Saving tiff_compression=\"3\" tiff_depth=\"1\" tiff_color=\"1\"/></Options>")));
    EXPECT_EQ(reread.saving.tiff, (TiffSaveSettings{TiffCompression::PackBits, TiffDepth::Bits16, TiffColor::Gray}));
}

TEST(SettingsSave, RoundTripsThroughAFile) {
    AppSettings s;
    s.options.saveLayout = false;
    s.options.maxRecentFiles = 3;
    s.options.pixelSimilarityTolerance = 17;
    s.options.defaultForeground = Color::fromRgb(0x123456);
    s.mainWindow = {Rect{-5, 0, 800, 600}, false, true, true};
    ImagePreset p;
    p.name = "Ünïcode";
    p.id = 12;
    p.sizeUnit = SizeUnit::Millimeters;
    p.resolution = 300.25f;
    ASSERT_TRUE(s.presets.add(p));
    s.noteRecentFile("/photos/b.jpg");
    s.noteRecentFile("/photos/a.jpg");

    auto file = test::scratchDir() / "Settings.xml";
    ASSERT_TRUE(s.saveToFile(file));
    AppSettings back;
    ASSERT_TRUE(back.loadFromFile(file));
    EXPECT_EQ(back.options, s.options);
    EXPECT_EQ(back.mainWindow, s.mainWindow);
    ASSERT_EQ(back.presets.count(), 1u);
    EXPECT_EQ(back.presets.at(0), p);
    EXPECT_EQ(back.recentFiles.all(), s.recentFiles.all());
}

TEST(SettingsSave, ReplacesTheFileAndLeavesNoTemporary) {
    auto dir = test::scratchDir() / "replace";
    std::filesystem::create_directories(dir);
    auto file = dir / "QXSettings.xml";
    { std::ofstream(file) << "old"; }
    AppSettings s;
    ASSERT_TRUE(s.saveToFile(file));
    size_t entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir))
        ++entries;
    EXPECT_EQ(entries, 1u);
    AppSettings back;
    EXPECT_TRUE(back.loadFromFile(file));
}

TEST(SettingsSave, FailsIntoAMissingFolderWithoutCreatingAnything) {
    AppSettings s;
    EXPECT_FALSE(s.saveToFile(test::scratchDir() / "no" / "such" / "Settings.xml"));
    EXPECT_FALSE(std::filesystem::exists(test::scratchDir() / "no"));
    AppSettings missing;
    EXPECT_FALSE(missing.loadFromFile(test::scratchDir() / "absent.xml"));
}

TEST(MainWindowCapture, ClipsToTheWorkArea) {
    const Rect work{0, 0, 1920, 1040};
    EXPECT_EQ(captureMainWindowState({100, 100, 900, 700}, work, false, true, true).rect, (Rect{100, 100, 900, 700}));
    EXPECT_EQ(captureMainWindowState({1800, -50, 2400, 500}, work, false, true, true).rect, (Rect{1800, 0, 1920, 500}));
    EXPECT_EQ(captureMainWindowState({3000, 0, 3500, 500}, work, true, false, true).rect, work);
    MainWindowState s = captureMainWindowState({900, 700, 100, 100}, work, true, false, true);
    EXPECT_EQ(s.rect, (Rect{100, 100, 900, 700}));
    EXPECT_TRUE(s.maximized);
    EXPECT_FALSE(s.showToolbar);
    EXPECT_TRUE(s.showStatusBar);
}

} // namespace
} // namespace pict
