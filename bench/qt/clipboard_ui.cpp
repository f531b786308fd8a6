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
#include <ctime>
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

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Timing {
    std::vector<double> wall; // what the user waits, including time other programs take the cores
    std::vector<double> cpu;  // this thread's own processor time
};

// Runs the command and notes its times; false when it did not succeed.
bool timed(DocumentCommands& commands, uint16_t id, Timing& timing) {
    QElapsedTimer clock;
    clock.start();
    const double cpuStart = threadCpuMs();
    const CommandResult result = commands.execute(id);
    timing.cpu.push_back(threadCpuMs() - cpuStart);
    timing.wall.push_back(double(clock.nsecsElapsed()) / 1e6);
    return result.outcome == CommandOutcome::Done;
}

void report(const char* name, const Timing& timing) {
    std::printf("%s: wall median %.1f ms, best %.1f ms; thread CPU median %.1f ms\n", name, median(timing.wall),
                *std::min_element(timing.wall.begin(), timing.wall.end()), median(timing.cpu));
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

    Timing copies;
    Timing pastes;
    for (int run = 0; run < kRuns; ++run) {
        if (!timed(commands, kCmdCopy, copies)) {
            std::fprintf(stderr, "Copy failed\n");
            return 1;
        }
        system.waitForEncoding();
        if (!timed(commands, kCmdPaste, pastes)) {
            std::fprintf(stderr, "Paste failed\n");
            return 1;
        }
        // The pasted layer goes again, so that every run copies the same one-layer picture.
        commands.execute(kCmdUndo);
        session.history().purge();
    }
    std::printf("%d x %d layer, %d runs, user-interface thread\n", kWidth, kHeight, kRuns);
    report("Copy ", copies);
    report("Paste", pastes);
    return 0;
}
