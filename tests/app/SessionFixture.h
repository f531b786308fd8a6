#pragma once
// A document session over a small white document, for the command-layer tests.

#include "app/session/ApplicationContext.h"
#include "app/commands/CommandIds.h"
#include "app/commands/DocumentCommands.h"
#include "app/session/DocumentSession.h"
#include "support/DocumentFixtures.h"
#include "history/HistoryManager.h"
#include "selection/SelectionController.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

namespace pict::test {

inline Surface24 solidSurface(int32_t width, int32_t height, uint8_t value) {
    return solidColor(width, height, value, value, value);
}

// Counts what the session tells its window.
struct RecordingView : SessionView {
    int selectionChanges = 0;
    int outlineToggles = 0;
    int canvasChanges = 0;
    void selectionChanged() override { ++selectionChanges; }
    void toggleSelectionOutline() override { ++outlineToggles; }
    void canvasSizeChanged() override { ++canvasChanges; }
};

class SessionTest : public ::testing::Test {
protected:
    explicit SessionTest(int32_t width = 40, int32_t height = 30)
        : session_(app_, whiteDocument(width, height)), commands_(session_) {
        session_.setView(&view_);
    }

    Document& document() { return session_.document(); }
    LayerStack& layers() { return session_.document().layers(); }
    HistoryManager& history() { return session_.history(); }
    SelectionController& selection() { return session_.selection(); }

    // A non-background raster layer of one gray value on top, made active.
    RasterLayer* addLayer(const std::string& name, Rect rect, uint8_t value = 100) {
        auto layer = RasterLayer::createFromSurface(&layers(),
                                                    solidSurface(rect.width(), rect.height(), value), false);
        layer->setName(name);
        layer->setPosition(rect.topLeft());
        RasterLayer* raw = layer.get();
        layers().add(std::move(layer), layers().count());
        return raw;
    }

    CommandOutcome run(uint16_t id, CommandParams params = {}) {
        return commands_.execute(id, std::move(params)).outcome;
    }

    // The command is refused and neither the history nor the document changes.
    void expectRefused(uint16_t id, CommandParams params = {}) {
        const int32_t count = history().count();
        const int32_t position = history().position();
        const int32_t layerCount = layers().count();
        const bool modified = document().isModified();
        EXPECT_FALSE(commands_.isEnabled(id)) << id;
        EXPECT_EQ(run(id, std::move(params)), CommandOutcome::Refused) << id;
        EXPECT_EQ(history().count(), count) << id;
        EXPECT_EQ(history().position(), position) << id;
        EXPECT_EQ(layers().count(), layerCount) << id;
        EXPECT_EQ(document().isModified(), modified) << id;
    }

    ApplicationContext app_;
    DocumentSession session_;
    DocumentCommands commands_;
    RecordingView view_;
};

} // namespace pict::test
