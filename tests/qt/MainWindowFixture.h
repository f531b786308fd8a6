#pragma once
// A main window over a scratch settings file, with scripted prompts, for the window tests.

#include "app/qt/canvas/CanvasWidget.h"
#include "app/qt/window/DocumentFrame.h"
#include "app/qt/window/MainWindow.h"
#include "document/Document.h"
#include "qt/QtTestApp.h"
#include "qt/ScriptedPrompts.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <memory>

namespace pict::qt::test {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApplication();
        // Each test its own settings file: one that closes its window writes it.
        const std::filesystem::path dir =
            pict::test::scratchDir() / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(dir);
        location.directory = dir;
        location.file = dir / "QXSettings.xml";
        window = std::make_unique<MainWindow>(location, prompts);
        window->resize(1000, 700);
        window->show();
    }
    void TearDown() override {
        // Whatever a test left modified goes without questions.
        for (DocumentFrame* frame : window->frames())
            frame->document().setModified(false);
        window.reset();
    }

    // A white untitled document of this size, shown in a new window.
    DocumentFrame* addBlank(int32_t width = 64, int32_t height = 48, const std::string& name = "Untitled-9") {
        DocumentInfo info;
        info.width = width;
        info.height = height;
        info.name = name;
        info.backgroundColor = 0xFFFFFF;
        info.untitled = true;
        auto document = std::make_unique<Document>();
        EXPECT_TRUE(document->newFromInfo(info));
        return window->addDocument(std::move(document));
    }

    // A white document window whose drawing area is exactly `client` pixels.
    DocumentFrame* frameWithClient(int32_t width, int32_t height, QSize client) {
        DocumentFrame* frame = addBlank(width, height);
        frame->resize(frame->size() - frame->canvas()->viewport()->size() + client);
        processEventsFor(20);
        EXPECT_EQ(frame->canvas()->viewport()->size(), client);
        return frame;
    }

    static std::string pngSuite(const char* name) {
        return (pict::test::sharedTestData() / "pngsuite" / "png" / name).string();
    }

    SettingsLocation location;
    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
};

} // namespace pict::qt::test
