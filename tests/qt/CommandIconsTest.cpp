#include "app/qt/window/CommandIcons.h"

#include "app/qt/window/CommandActions.h"
#include "qt/MainWindowFixture.h"

#include <QAction>
#include <QImage>
#include <QToolBar>
#include <QToolButton>

namespace pict::qt::test {
namespace {

QImage iconImage(const QIcon& icon, int size) {
    return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
}

// How many pixels of the image are drawn at all.
int coveredPixels(const QImage& image) {
    int covered = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            covered += qAlpha(row[x]) > 0 ? 1 : 0;
    }
    return covered;
}

using CommandIconsTest = MainWindowTest;

TEST_F(CommandIconsTest, ToolbarButtonsShowDistinctIconsWithTheirNameAsTooltip) {
    QToolBar* toolbar = window->findChild<QToolBar*>(QStringLiteral("Toolbar"));
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(toolbar->toolButtonStyle(), Qt::ToolButtonIconOnly);
    QStringList tips;
    std::vector<QImage> images;
    for (QAction* action : toolbar->actions()) {
        if (action->isSeparator())
            continue;
        auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action));
        ASSERT_NE(button, nullptr);
        tips.append(button->toolTip());
        ASSERT_FALSE(action->icon().isNull()) << action->toolTip().toStdString();
        images.push_back(iconImage(action->icon(), 16));
        // A shape on a transparent ground, neither empty nor a filled square.
        const int covered = coveredPixels(images.back());
        EXPECT_GT(covered, 16 * 16 / 5) << action->toolTip().toStdString();
        EXPECT_LT(covered, 16 * 16) << action->toolTip().toStdString();
    }
    EXPECT_EQ(tips, QStringList({"New", "Open", "Save", "Undo", "Redo", "Marquee Tool", "Lasso Tool", "Magic Wand Tool",
                                 "Move Tool", "Crop Tool", "Brush Tool", "Pencil Tool", "Eraser Tool",
                                 "Paint Bucket Tool", "Gradient Tool", "Color Picker Tool", "Hand Tool", "Zoom In Tool",
                                 "Zoom Out Tool", "Zoom In", "Zoom Out", "Actual Pixels", "Fit in Window"}));
    for (size_t i = 0; i < images.size(); ++i)
        for (size_t j = i + 1; j < images.size(); ++j)
            EXPECT_NE(images[i], images[j]) << tips[int(i)].toStdString() << " and " << tips[int(j)].toStdString();
}

TEST_F(CommandIconsTest, IconsComeInEverySizeAndOnlyForToolbarCommands) {
    for (int size : {16, 24, 32, 48}) {
        const QImage image = iconImage(commandIcon(kCmdSave), size);
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_GT(coveredPixels(image), size * size / 2);
    }
    EXPECT_TRUE(commandIcon(kCmdLevels).isNull());
    EXPECT_EQ(commandIcon(kCmdOpen).cacheKey(), commandIcon(kCmdOpen).cacheKey()) << "drawn once";
}

TEST_F(CommandIconsTest, MainWindowAndDocumentWindowsCarryTheApplicationIcon) {
    const QImage expected = iconImage(applicationIcon(), 32);
    EXPECT_GT(coveredPixels(expected), 32 * 32 / 2);
    EXPECT_EQ(iconImage(window->windowIcon(), 32), expected);
    DocumentFrame* frame = addBlank();
    EXPECT_EQ(iconImage(frame->windowIcon(), 32), expected);
}

} // namespace
} // namespace pict::qt::test
