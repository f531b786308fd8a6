#pragma once
// Everything the editor remembers between runs: the options, the main window's placement,
// the recent files and the user's New-image presets. One object per process, created with
// the defaults below, filled from the settings file at start and written back at exit.

#include "app/dialogs/ImagePreset.h"
#include "app/settings/RecentFiles.h"
#include "canvas/tools/ToolOptions.h"
#include "codecs/SaveOptions.h"
#include "common/Geometry.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace pict {

// 0x00RRGGBB.
using Color32 = uint32_t;

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

struct ApplicationOptions {
    bool saveLayout = true;
    int32_t maxRecentFiles = kMaxRecentFilesRange.defaultValue;
    Color32 documentWindowBackground = 0xAAAAAA;
    Color32 imageBorder = 0x000000;
    Color32 defaultForeground = 0x000000;
    Color32 defaultBackground = 0xFFFFFF;
    int32_t historyStates = kHistoryStatesRange.defaultValue;
    int32_t pixelSimilarityTolerance = kSimilarityToleranceRange.defaultValue;
    int32_t pixelThreads = kPixelThreadsRange.defaultValue;
    int32_t historyMemory = kHistoryMemoryRange.defaultValue;

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
    // The choices of the last JPEG and PNG save (quality, subsampling, compression, metadata).
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
std::string formatSettingsColor(Color32 color);
// The lenient reading of a present color attribute: black unless the text (with a leading
// character dropped when it is exactly seven long) starts with three hexadecimal pairs.
Color32 parseSettingsColor(const char* text);

// What the main window stores when it closes: the restored rectangle normalised and
// clipped to the desktop work area (the work area itself when they do not meet).
MainWindowState captureMainWindowState(const Rect& restoredRect, const Rect& workArea, bool maximized,
                                       bool toolbarVisible, bool statusBarVisible);

} // namespace pict
