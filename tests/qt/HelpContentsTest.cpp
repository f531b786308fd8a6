// Help > Contents (F1) hands the user manual's page to the desktop's browser, or says why not.
#include "app/settings/ManualLocation.h"
#include "qt/MainWindowFixture.h"

#include <QDesktopServices>
#include <QTextBrowser>
#include <QUrl>

namespace pict::qt::test {
namespace {

using HelpContentsTest = MainWindowTest;

TEST_F(HelpContentsTest, ContentsOpensTheManualInTheBrowser) {
    // Stands in for the desktop's browser: file links go to this widget's setSource slot.
    QTextBrowser browser;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "setSource");
    EXPECT_TRUE(window->isCommandEnabled(kCmdHelpContents)) << "without any document";
    window->executeCommand(kCmdHelpContents);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

    const std::filesystem::path manual = installedOrBuiltManual();
    if (manual.empty()) {
        EXPECT_EQ(prompts.errors, QStringList{QString::fromUtf8(kManualMissingMessage)});
        EXPECT_TRUE(browser.source().isEmpty());
        return;
    }
    EXPECT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join('\n').toStdString();
    EXPECT_EQ(browser.source(), QUrl::fromLocalFile(QString::fromStdString(manual.string())));
    EXPECT_TRUE(browser.toPlainText().contains(QStringLiteral("Pictorane User Manual")));
}

TEST_F(HelpContentsTest, WebPagesStayGrayed) {
    for (uint16_t id : {kCmdHelpSearch, kCmdHelpIndex, kCmdFeedback, kCmdWebSite, kCmdCheckUpdates})
        EXPECT_FALSE(window->isCommandEnabled(id)) << id;
}

} // namespace
} // namespace pict::qt::test
