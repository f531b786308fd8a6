// User-interface-thread time of Copy and Paste on a 6000 x 4000 layer in the editor: the
// command through to the picture offered on the system clipboard (Copy; its PNG and bitmap
// are encoded on a worker afterwards, which is waited for between runs and not counted), and
// the pasted layer made from the program's own copy (Paste). Target: 150 ms each.
// Not run by CI. Usage: QT_QPA_PLATFORM=offscreen build/bench/bench_clipboard_ui
#include "app/commands/CommandIds.h"
#include "app/commands/DocumentCommands.h"
#include "app/qt/window/SystemClipboard.h"
#include "app/session/ApplicationContext.h"
#include "app/session/DocumentSession.h"
#include "app/session/InternalClipboard.h"
#include "document/Document.h"
#include "history/HistoryManager.h"

#include "../BenchPictures.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace pict;

namespace {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;
constexpr int kRuns = 7;

std::unique_ptr<Document> photoDocument() {
    DocumentInfo info;
    info.width = kWidth;
    info.height = kHeight;
    info.name = "photo";
    info.backgroundColor = 0xFFFFFF;
    auto document = std::make_unique<Document>();
    document->newFromInfo(info);
    document->layers().rasterAt(0)->color() = bench::photo(kWidth, kHeight, 3);
    return document;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds the command took on this thread; false when it did not succeed.
bool timed(DocumentCommands& commands, uint16_t id, double& ms) {
    QElapsedTimer clock;
    clock.start();
    const CommandResult result = commands.execute(id);
    ms = double(clock.nsecsElapsed()) / 1e6;
    return result.outcome == CommandOutcome::Done;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    qt::SystemClipboard system;
    InternalClipboard clipboard(&system);
    ApplicationContext app;
    app.clipboard = &clipboard;
    app.historyMemoryMiB = 0; // keep the pasted layers' undo as it is
    DocumentSession session(app, photoDocument());
    DocumentCommands commands(session);

    std::vector<double> copies;
    std::vector<double> pastes;
    for (int run = 0; run < kRuns; ++run) {
        double ms = 0;
        if (!timed(commands, kCmdCopy, ms)) {
            std::fprintf(stderr, "Copy failed\n");
            return 1;
        }
        copies.push_back(ms);
        system.waitForEncoding();
        if (!timed(commands, kCmdPaste, ms)) {
            std::fprintf(stderr, "Paste failed\n");
            return 1;
        }
        pastes.push_back(ms);
        // The pasted layer goes again, so that every run copies the same one-layer picture.
        commands.execute(kCmdUndo);
        session.history().purge();
    }
    std::printf("%d x %d layer, %d runs, user-interface thread\n", kWidth, kHeight, kRuns);
    std::printf("Copy : median %.1f ms, best %.1f ms\n", median(copies), *std::min_element(copies.begin(), copies.end()));
    std::printf("Paste: median %.1f ms, best %.1f ms\n", median(pastes), *std::min_element(pastes.begin(), pastes.end()));
    return 0;
}
