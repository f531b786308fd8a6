// The editor's entry point: one instance per user. A later start hands its file arguments to
// the running editor and ends; the first one shows the main window, opens its arguments and
// runs until the window closes, when the settings are written back.

#include "app/settings/DataDirectory.h"
#include "app/session/DocumentFileRules.h"
#include "app/settings/FileListBlock.h"
#include "app/qt/window/CommandIcons.h"
#include "app/qt/window/MainWindow.h"
#include "app/qt/window/ShellPrompts.h"
#include "app/qt/window/SingleInstance.h"
#include "history/SavedPixels.h"

#include <QApplication>
#include <QFileInfo>

#include <string>
#include <vector>

namespace {

using namespace pict;
using namespace pict::qt;

// The running instance has its own working directory, so relative arguments are made
// absolute here, where they were meant.
QStringList fileArguments(const QStringList& arguments) {
    QStringList files;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].isEmpty())
            files.append(QFileInfo(arguments[i]).absoluteFilePath());
    return files;
}

int handOverToRunningInstance(const QString& serverName, const QStringList& files) {
    std::vector<std::string> paths;
    for (const QString& file : files)
        paths.push_back(file.toStdString());
    const FileListBlock block = buildFileListBlock(paths);
    // A path too long for its slot is not cut short into another file's name: it is
    // reported here, and the running instance gets only the paths that fit.
    QtShellPrompts prompts;
    for (const std::string& rejected : block.rejected)
        prompts.showError(nullptr, QString::fromStdString(openFailedMessage(rejected)));
    // With nothing left to hand over, the empty message still brings the editor forward.
    const QByteArray bytes(reinterpret_cast<const char*>(block.bytes.data()), static_cast<qsizetype>(block.bytes.size()));
    sendToRunningInstance(serverName, bytes);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kProductName));
    QApplication::setOrganizationName(QString::fromUtf8(kCompanyName));
    // Lets the desktop match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(kDesktopAppId));
    QApplication::setWindowIcon(applicationIcon());
    const QStringList files = fileArguments(QApplication::arguments());

    const QString serverName = instanceServerName();
    SingleInstanceServer server;
    if (!server.listen(serverName))
        return handOverToRunningInstance(serverName, files);

    QtShellPrompts prompts;
    const SettingsLocation location = locateSettings(currentLocationInputs());
    if (location.installed && !createDataDirectory(location))
        prompts.showInformation(nullptr, QString::fromUtf8(kDataDirectoryFailedMessage));

    // Undo pixels a crashed run had swapped out are of no use to anyone now.
    removeStaleSwapFiles(historySwapFolder());

    MainWindow window(location, prompts);
    QObject::connect(&server, &SingleInstanceServer::messageReceived, &window, &MainWindow::receiveFileList);
    window.showWithSavedPlacement();
    window.offerRecovery();
    window.openFiles(files);
    return QApplication::exec();
}
