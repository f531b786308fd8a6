// Every dialog as a keyboard user meets it: it opens with its first text field focused and
// the text selected, typing replaces the value, Enter confirms and Escape cancels.
#include "app/commands/CommandTable.h"
#include "app/qt/dialogs/CommandDialogs.h"
#include "app/qt/dialogs/ModalDialog.h"
#include "app/qt/dialogs/TextPrompt.h"
#include "qt/MainWindowFixture.h"
#include "qt/ModalAnswer.h"
#include "selection/SelectionController.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QTest>

#include <variant>

namespace pict::qt::test {
namespace {

class DialogKeysTest : public MainWindowTest {
protected:
    struct Seen {
        QString dialog;      // the dialog's title
        bool hasField = false;
        bool fieldFocused = false; // the focus is on the first text field
        bool allSelected = false;  // and its whole text is selected
        QString focusName;         // the object name of what has the focus
    };

    // The text field of a focus widget: a number box's line, or the line itself.
    static QLineEdit* lineOf(QWidget* w) {
        if (auto* box = qobject_cast<QAbstractSpinBox*>(w))
            return box->findChild<QLineEdit*>();
        return qobject_cast<QLineEdit*>(w);
    }

    static QWidget* firstTextField(QDialog& dialog) {
        for (QWidget* w = dialog.nextInFocusChain(); w && w != &dialog; w = w->nextInFocusChain()) {
            if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
                continue;
            if (qobject_cast<QAbstractSpinBox*>(w))
                return w;
            if (auto* line = qobject_cast<QLineEdit*>(w); line && !line->isReadOnly())
                return w;
        }
        return nullptr;
    }

    static Seen look(QDialog& dialog) {
        Seen seen;
        seen.dialog = dialog.windowTitle();
        QWidget* first = firstTextField(dialog);
        seen.hasField = first != nullptr;
        QWidget* focus = dialog.focusWidget();
        seen.fieldFocused = first && focus == first;
        seen.focusName = focus ? focus->objectName() : QString();
        if (QLineEdit* line = lineOf(focus))
            seen.allSelected = line->selectedText() == line->text(); // an empty field has nothing to select
        return seen;
    }

    // Opens the dialog through `open`, looks at it and presses `key` on its focused widget
    // (or the dialog when nothing has the focus).
    template <typename Open>
    Seen openAndPress(Open open, Qt::Key key) {
        Seen seen;
        answerNextModal<QDialog>([&seen, key](QDialog& dialog) {
            seen = look(dialog);
            QWidget* target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
            QTest::keyClick(target, key);
        });
        open();
        return seen;
    }

    // A document on which every document dialog can open: a selection and a saved channel.
    DocumentFrame* readyDocument() {
        DocumentFrame* frame = addBlank(40, 30);
        frame->commands().selectMarquee({5, 5, 20, 20}, false);
        SaveSelectionParams save;
        EXPECT_TRUE(frame->commands().execute(kCmdSaveSelection, save));
        return frame;
    }
};

TEST_F(DialogKeysTest, EveryDocumentDialogFocusesItsFieldAndAnswersEnterAndEscape) {
    DocumentFrame* frame = readyDocument();
    int dialogs = 0;
    for (const CommandSpec& spec : commandTable()) {
        if (!spec.opensDialog() || !window->dialogs().has(spec.id) || spec.route != CommandRoute::Document)
            continue;
        ++dialogs;
        const auto ask = [&]() { return window->dialogs().ask(spec.id, window.get(), frame->session()); };
        std::optional<CommandParams> answer;
        const Seen escaped = openAndPress([&] { answer = ask(); }, Qt::Key_Escape);
        EXPECT_FALSE(answer) << spec.menuText << ": Escape cancels";
        if (escaped.hasField) {
            EXPECT_TRUE(escaped.fieldFocused) << spec.menuText << ": the first text field has the focus";
            EXPECT_TRUE(escaped.allSelected) << spec.menuText << ": its text is selected";
        }
        answer.reset();
        openAndPress([&] { answer = ask(); }, Qt::Key_Return);
        EXPECT_TRUE(answer) << spec.menuText << ": Enter confirms";
    }
    EXPECT_GE(dialogs, 15) << "the adjustments, filters, geometry, selection, fill and layer dialogs";
}

TEST_F(DialogKeysTest, TypingIntoFeatherReplacesTheValue) {
    DocumentFrame* frame = readyDocument();
    std::optional<CommandParams> answer;
    answerNextModal<QDialog>([](QDialog& dialog) {
        QTest::keyClicks(dialog.focusWidget(), QStringLiteral("15"));
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Enter); // the keypad's Enter as well
    });
    answer = window->dialogs().ask(kCmdFeather, window.get(), frame->session());
    ASSERT_TRUE(answer);
    ASSERT_TRUE(std::holds_alternative<FeatherParams>(*answer));
    EXPECT_DOUBLE_EQ(std::get<FeatherParams>(*answer).radius, 15.0);
}

TEST_F(DialogKeysTest, TheWindowsOwnDialogsToo) {
    QtShellPrompts real;
    AppSettings settings;
    DocumentNameCounter names{"Untitled-"};
    ImagePreset last = resetPreset();
    std::optional<NewImageSpec> image;
    Seen seen = openAndPress([&] { image = real.askNewImage(window.get(), settings, kWhite, names, last); },
                             Qt::Key_Return);
    EXPECT_TRUE(seen.fieldFocused && seen.allSelected) << "New: the name field";
    ASSERT_TRUE(image);
    seen = openAndPress([&] { image = real.askNewImage(window.get(), settings, kWhite, names, last); },
                        Qt::Key_Escape);
    EXPECT_FALSE(image);

    std::optional<QString> name;
    seen = openAndPress([&] { name = real.askDuplicateName(window.get(), QStringLiteral("photo")); }, Qt::Key_Return);
    EXPECT_TRUE(seen.fieldFocused && seen.allSelected) << "Duplicate Image";
    EXPECT_EQ(name, proposedDuplicateName(QStringLiteral("photo")));
    openAndPress([&] { name = real.askDuplicateName(window.get(), QStringLiteral("photo")); }, Qt::Key_Escape);
    EXPECT_FALSE(name);

    std::optional<ApplicationOptions> options;
    seen = openAndPress([&] { options = real.askOptions(window.get(), ApplicationOptions{}); }, Qt::Key_Return);
    EXPECT_TRUE(seen.fieldFocused && seen.allSelected) << "Options";
    EXPECT_EQ(options, ApplicationOptions{});
    openAndPress([&] { options = real.askOptions(window.get(), ApplicationOptions{}); }, Qt::Key_Escape);
    EXPECT_FALSE(options);

    // TIFF Options has choices only: the first of them has the focus.
    const TiffSaveSettings grayTiff{TiffCompression::None, TiffDepth::Bits16, TiffColor::Gray};
    std::optional<TiffSaveSettings> tiff;
    seen = openAndPress([&] { tiff = real.askTiffOptions(window.get(), grayTiff, true); }, Qt::Key_Return);
    EXPECT_EQ(seen.focusName, "compression") << "TIFF Options";
    EXPECT_EQ(tiff, grayTiff);
    openAndPress([&] { tiff = real.askTiffOptions(window.get(), grayTiff, true); }, Qt::Key_Escape);
    EXPECT_FALSE(tiff);
}

} // namespace
} // namespace pict::qt::test
