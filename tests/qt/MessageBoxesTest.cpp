#include "app/qt/window/MessageBoxes.h"

#include "app/session/DocumentFileRules.h"
#include "qt/QtTestApp.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace pict::qt::test {
namespace {

const QChar kBreak(0x200B);

QString withoutBreaks(QString text) { return text.remove(kBreak); }

TEST(MessageBoxText, BreaksAfterPathSeparatorsAndInsideLongWords) {
    EXPECT_EQ(withBreakOpportunities("/home/a.png"), QString("/%1home/%1a.png").arg(kBreak));
    EXPECT_EQ(withBreakOpportunities("C:\\x"), QString("C:\\%1x").arg(kBreak));
    const QString word(70, 'x');
    const QString broken = withBreakOpportunities(word, 32);
    EXPECT_EQ(broken.count(kBreak), 2);
    EXPECT_EQ(broken.indexOf(kBreak), 32);
    EXPECT_EQ(withoutBreaks(broken), word);
}

TEST(MessageBoxText, OrdinaryTextIsLeftAlone) {
    // The duplicate-preset text: trailing spaces and its line break stay as they are.
    const QString message = "Preset \"Web\" already exists!   \nPlease try a different name.   ";
    EXPECT_EQ(withBreakOpportunities(message), message);
    EXPECT_EQ(withBreakOpportunities(""), "");
    // Spaces count as break points, so words of up to the limit get nothing.
    const QString words = QString(32, 'a') + " " + QString(32, 'b');
    EXPECT_EQ(withBreakOpportunities(words, 32), words);
}

TEST(MessageBoxText, NeverSplitsASurrogatePair) {
    const QString face = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two UTF-16 units
    const QString text = withBreakOpportunities(QString(3, 'a') + face + face, 4);
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        EXPECT_FALSE(text[i].isHighSurrogate() && !text[i + 1].isLowSurrogate()) << i;
    EXPECT_EQ(withoutBreaks(text), QString(3, 'a') + face + face);
}

TEST(MessageBoxes, ALongPathWrapsAndCopiesAsWritten) {
    testApplication();
    QString path = "/home/someone";
    while (path.size() < 600)
        path += "/a_rather_long_folder_name_without_spaces_that_goes_on";
    const QString message = QString::fromStdString(openFailedMessage(path.toStdString()));
    MessageBox box(QMessageBox::Critical, "Error", message, QMessageBox::Ok, nullptr);
    box.show();
    processEventsFor(20);
    EXPECT_EQ(box.message(), message);

    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(withoutBreaks(label->text()), message);
    EXPECT_LE(box.width(), 700);
    // The label is wrapped over several lines and tall enough for all of them.
    const int lineHeight = label->fontMetrics().height();
    EXPECT_GT(label->height(), 4 * lineHeight);
    EXPECT_GE(label->height(), label->heightForWidth(label->width()));

    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), message);
}

} // namespace
} // namespace pict::qt::test
