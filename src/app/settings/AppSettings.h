#pragma once
// Everything the editor remembers between runs: the options, the main window's placement,
// the recent files and the user's New-image presets. One object per process, created with
// the defaults below, filled from the settings file at start and written back at exit.

#include "app/dialogs/ImagePreset.h"
#include "app/settings/RecentFiles.h"
#include "canvas/tools/ToolOptions.h"
#include "codecs/SaveOptions.h"
#include "common/Color.h"
#include "common/Geometry.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace pict {

// An integer option with the range enforced on load and the value it starts with.
struct IntOptionRange {
    int32_t minimum;
    int32_t maximum;
    int32_t defaultValue;
    constexpr int32_t clamp(int64_t v) const {
        return static_cast<int32_t>(v < minimum ? minimum : v > maximum ? maximum : v);
    }
};

inline constexpr IntOptionRange kMaxRecentFilesRange{1, 16, 8};
inline constexpr IntOptionRange kHistoryStatesRange{1, 100, 20};
inline constexpr IntOptionRange kSimilarityToleranceRange{0, 255, 0};
// How many threads pixel work may use; 0 means one per core.
inline constexpr IntOptionRange kPixelThreadsRange{0, 64, 0};
// MiB of undo pixels each document keeps in memory before compressing and swapping; 0: no limit.
inline constexpr IntOptionRange kHistoryMemoryRange{0, 65536, 256};
// Minutes between autosaves of documents with unsaved changes; 0 turns autosave off.
inline constexpr IntOptionRange kAutosaveMinutesRange{0, 120, 5};
// MiB a picture's layers and composite may need before opening or creating it asks first.
inline constexpr IntOptionRange kLargePictureRange{1, 1048576, 1024};

struct ApplicationOptions {
    bool saveLayout = true;
    int32_t maxRecentFiles = kMaxRecentFilesRange.defaultValue;
    Color documentWindowBackground = Color::fromRgb(0xAAAAAA);
    Color imageBorder = kBlack;
    Color defaultForeground = kBlack;
    Color defaultBackground = kWhite;
    int32_t historyStates = kHistoryStatesRange.defaultValue;
    int32_t pixelSimilarityTolerance = kSimilarityToleranceRange.defaultValue;
    int32_t pixelThreads = kPixelThreadsRange.defaultValue;
    int32_t historyMemory = kHistoryMemoryRange.defaultValue;
    int32_t autosaveMinutes = kAutosaveMinutesRange.defaultValue;
    int32_t largePictureMiB = kLargePictureRange.defaultValue;

    friend bool operator==(const ApplicationOptions&, const ApplicationOptions&) = default;
};

struct MainWindowState {
    Rect rect; // restored (not maximized) placement; empty until one was saved
    bool maximized = false;
    bool showToolbar = false;
    bool showStatusBar = false;

    friend bool operator==(const MainWindowState&, const MainWindowState&) = default;
};

class AppSettings {
public:
    ApplicationOptions options;
    MainWindowState mainWindow;
    RecentFileList recentFiles;
    PresetList presets;
    // The folder of the file last opened or saved, where file dialogs start next time.
    std::string lastFolder;
    // The choices of the last JPEG, PNG, WebP and TIFF saves (quality, compression, metadata...).
    SaveOptions saving;
    // The tools' settings, as the tool options bar last left them.
    ToolOptions tools;

    // Replaces every field by what the file holds (defaults where it holds nothing). True,
    // and loaded() from then on, only when the text parses and has the expected root element;
    // otherwise every field keeps its default.
    bool loadFromFile(const std::filesystem::path& file);
    bool loadFromText(const std::string& xml);
    // The complete file text, and writing it through a temporary file renamed over the old
    // one, so that an interrupted write never leaves a partial settings file behind.
    std::string toText() const;
    bool saveToFile(const std::filesystem::path& file) const;

    bool loaded() const { return loaded_; }

    // Opening or saving a file: the path goes to the front of the recent list.
    void noteRecentFile(const std::string& path) { recentFiles.addToFront(path, options.maxRecentFiles); }

private:
    bool loaded_ = false;
};

// "#RRGGBB", upper-case.
std::string formatSettingsColor(Color color);
// The lenient reading of a present color attribute: black unless the text (with a leading
// character dropped when it is exactly seven long) starts with three hexadecimal pairs.
Color parseSettingsColor(const char* text);

// What the main window stores when it closes: the restored rectangle normalised and
// clipped to the desktop work area (the work area itself when they do not meet).
MainWindowState captureMainWindowState(const Rect& restoredRect, const Rect& workArea, bool maximized,
                                       bool toolbarVisible, bool statusBarVisible);

} // namespace pict
