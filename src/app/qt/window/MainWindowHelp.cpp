// Help > Contents: the user manual, opened in the desktop's web browser.

#include "app/qt/window/MainWindow.h"

#include "app/qt/window/ShellPrompts.h"
#include "app/settings/ManualLocation.h"

#include <QDesktopServices>
#include <QUrl>

namespace pict::qt {

void MainWindow::showManual() {
    const std::filesystem::path manual = installedOrBuiltManual();
    if (manual.empty()) {
        prompts_.showError(this, QString::fromUtf8(kManualMissingMessage));
        return;
    }
    const QString path = QString::fromStdString(manual.string());
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        prompts_.showError(this, QStringLiteral("No web browser could show the user manual (%1).").arg(path));
}

} // namespace pict::qt
