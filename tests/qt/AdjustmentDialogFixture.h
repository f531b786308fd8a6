#pragma once
// The adjustment dialogs opened from their menu items over a document in a main window: the
// test acts on the dialog while its modal loop runs, then closes it with OK or Cancel.

#include "app/qt/dialogs/adjustments/AdjustmentDialog.h"
#include "app/qt/window/CommandActions.h"
#include "document/Layer.h"
#include "history/HistoryManager.h"
#include "qt/MainWindowFixture.h"
#include "qt/ModalAnswer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>

#include <functional>

namespace pict::qt::test {

// Counts what the document tells its views: every preview must reach the canvas.
struct ChangeCounter : DocumentObserver {
    int changes = 0;
    void changed(const DocumentNotification&) override { ++changes; }
};

class AdjustmentDialogTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        frame = addBlank(16, 12);
        fillBackground(100, 150, 200);
        frame->document().addObserver(&counter);
    }
    void TearDown() override {
        frame->document().removeObserver(&counter);
        MainWindowTest::TearDown();
    }

    RasterLayer& background() { return *frame->document().layers().rasterAt(0); }
    HistoryManager& history() { return frame->session().history(); }

    // Every pixel of the background (red, green, blue).
    void fillBackground(uint8_t red, uint8_t green, uint8_t blue) {
        Surface24& color = background().color();
        for (int32_t y = 0; y < color.height(); ++y)
            for (int32_t x = 0; x < color.width(); ++x) {
                uint8_t* p = color.row(y) + 3 * x;
                p[0] = blue;
                p[1] = green;
                p[2] = red;
            }
    }
    // The pixel as red, green, blue.
    std::array<int, 3> pixel(int32_t x = 3, int32_t y = 4) {
        const uint8_t* p = background().colorAt(x, y);
        return {p[2], p[1], p[0]};
    }

    // Chooses the menu item; act runs inside the dialog's modal loop and must close it.
    void runDialog(uint16_t id, std::function<void(AdjustmentDialog&)> act) {
        bool opened = false;
        answerNextModal<AdjustmentDialog>([&opened, act = std::move(act)](AdjustmentDialog& dialog) {
            opened = true;
            act(dialog);
        });
        QAction* action = window->actions().action(id);
        ASSERT_TRUE(action && action->isEnabled()) << id;
        action->trigger();
        EXPECT_TRUE(opened) << "no adjustment dialog opened for " << id;
    }

    template <class Widget>
    static Widget* child(AdjustmentDialog& dialog, const char* name) {
        auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_TRUE(widget) << name;
        return widget;
    }
    static void setField(AdjustmentDialog& dialog, const char* name, int value) {
        if (auto* field = child<QSpinBox>(dialog, name))
            field->setValue(value);
    }
    static void setPreview(AdjustmentDialog& dialog, bool on) { dialog.previewBox()->setChecked(on); }
    static void ok(AdjustmentDialog& dialog) { dialog.okButton()->click(); }
    static void cancel(AdjustmentDialog& dialog) { dialog.cancelButton()->click(); }

    // The history holds exactly one more state, named name, and it is the current one.
    void expectOneState(const std::string& name, int32_t before) {
        EXPECT_EQ(history().count(), before + 1);
        EXPECT_EQ(history().undoName(), name);
    }

    DocumentFrame* frame = nullptr;
    ChangeCounter counter;
};

} // namespace pict::qt::test
