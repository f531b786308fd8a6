#pragma once
// What the application shares with every open document: the current colors, the options
// that commands read, the last-filter slot and the clipboard. The application owns one and hands it to
// each DocumentSession; nothing below reaches for a global.

#include "common/Color.h"

#include <cstdint>
#include <functional>

namespace pict {

class InternalClipboard;
class LastFilterSlot;
struct ToolOptions;

struct ApplicationContext {
    // The foreground and background colors that Fill, Clear and the Canvas Size extension use
    // (the settings' default colors at start-up).
    Color foregroundColor = kBlack;
    Color backgroundColor = kWhite;
    // "pixel_similarity_tolerance", 0..255, read by Grow and Similar.
    int32_t similarityTolerance = 0;
    // "nb_history_states", 1..100, the limit of each new document's history.
    int32_t historyLimit = 20;
    // "history_memory" in MiB (0: no budget), the memory budget of each new document's history.
    int32_t historyMemoryMiB = 256;
    // The most recent neighbourhood filter, shared by all documents; owned by the application.
    LastFilterSlot* lastFilter = nullptr;
    // The program's clipboard; owned by the application (the batch tool keeps one per run).
    InternalClipboard* clipboard = nullptr;
    // The tools' settings from the options bar; owned by the application, null without one
    // (the tools then take their defaults).
    ToolOptions* tools = nullptr;
    // Milliseconds on a steady clock. Changes of one layer property less than a second apart
    // become one history state; without a clock (the batch tool) each change is its own.
    std::function<int64_t()> mergeClock;
};

} // namespace pict
