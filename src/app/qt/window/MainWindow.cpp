#include "app/qt/window/MainWindow.h"

#include "app/commands/CommandTable.h"
#include "app/session/DocumentWindowLayout.h"
#include "app/settings/ProductInfo.h"
#include "app/session/WindowListMenu.h"
#include "app/qt/canvas/CanvasWidget.h"
#include "app/qt/window/CommandActions.h"
#include "app/qt/window/CommandIcons.h"
#include "app/qt/dialogs/CommandDialogs.h"
#include "app/qt/window/DocumentFrame.h"
#include "app/qt/panels/LayersPanel.h"
#include "app/qt/window/ShellPrompts.h"
#include "app/qt/panels/SwatchesInfoDocks.h"
#include "app/qt/window/SystemClipboard.h"
#include "document/Document.h"
#include "history/HistoryManager.h"
#include "surface/PixelThreads.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace pict::qt {
namespace {

Rect toRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// Buttons of the toolbar, in order; 0 is a separator.
constexpr uint16_t kToolbarCommands[] = {
    kCmdNew, kCmdOpen, kCmdSave, 0, kCmdUndo, kCmdRedo, 0, kCmdMarqueeTool, kCmdCropTool, kCmdHandTool,
    kCmdZoomInTool, kCmdZoomOutTool, 0, kCmdZoomIn, kCmdZoomOut, kCmdActualPixels, kCmdFitInWindow,
};

// The tool commands and the tool number each selects.
struct ToolCommand {
    uint16_t id;
    int32_t tool;
};
constexpr ToolCommand kToolCommands[] = {
    {kCmdHandTool, kToolHand},
    {kCmdMarqueeTool, kToolMarquee},
    {kCmdCropTool, kToolCrop},
    {kCmdZoomInTool, kToolZoomIn},
    {kCmdZoomOutTool, kToolZoomOut},
};

} // namespace

const std::vector<MainWindow::ApplicationCommand>& MainWindow::applicationCommands() {
    static const std::vector<ApplicationCommand> commands = {
        {kCmdNew, &MainWindow::newImage},
        {kCmdNewFromClipboard, &MainWindow::newFromClipboard},
        {kCmdOpen, &MainWindow::openWithDialog},
        {kCmdClose, &MainWindow::closeActive},
        {kCmdCloseAll, &MainWindow::closeAll},
        {kCmdSave, &MainWindow::saveActive},
        {kCmdSaveAs, &MainWindow::saveActiveAs},
        {kCmdClearRecent, &MainWindow::clearRecent},
        {kCmdExit, &MainWindow::exitApplication},
        {kCmdDuplicateImage, &MainWindow::duplicateImage},
        {kCmdOptions, &MainWindow::showOptions},
        {kCmdMarqueeTool, &MainWindow::marqueeTool},
        {kCmdCropTool, &MainWindow::cropTool},
        {kCmdHandTool, &MainWindow::handTool},
        {kCmdZoomInTool, &MainWindow::zoomInTool},
        {kCmdZoomOutTool, &MainWindow::zoomOutTool},
        {kCmdFullScreen, &MainWindow::toggleFullScreen},
        {kCmdFullScreenAlt, &MainWindow::toggleFullScreen},
        {kCmdArrangeIcons, &MainWindow::arrangeIcons},
        {kCmdCascade, &MainWindow::cascade},
        {kCmdTile, &MainWindow::tile},
        {kCmdToolbar, &MainWindow::toggleToolbar},
        {kCmdStatusBar, &MainWindow::toggleStatusBar},
        {kCmdAbout, &MainWindow::about},
    };
    return commands;
}

MainWindow::MainWindow(const SettingsLocation& settings, ShellPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), location_(settings), prompts_(prompts), dialogs_(std::make_unique<CommandDialogs>()) {
    if (!location_.file.empty())
        settings_.loadFromFile(location_.file);
    context_.lastFilter = &lastFilter_;
    clipboard_ = new SystemClipboard(this);
    context_.clipboard = clipboard_;
    context_.foregroundColor = settings_.options.defaultForeground;
    context_.backgroundColor = settings_.options.defaultBackground;
    applyOptions();
    registerCommandDialogs(*dialogs_);
    buildWindow();
}

MainWindow::~MainWindow() {
    // Frames hold references to the context; they go before it does.
    for (DocumentFrame* frame : frames_)
        frame->setCloseGuard({});
    delete area_;
    area_ = nullptr;
}

void MainWindow::buildWindow() {
    setWindowTitle(applicationTitle());
    setWindowIcon(applicationIcon());
    setAcceptDrops(true);
    area_ = new QMdiArea(this);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->viewport()->installEventFilter(this);
    setCentralWidget(area_);
    connect(area_, &QMdiArea::subWindowActivated, this, [this] { refreshCommandStates(); });

    actions_ = new CommandActions(this);
    actions_->buildMenus(menuBar());
    connect(actions_, &CommandActions::commandTriggered, this, &MainWindow::executeCommand);
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::refreshCommandStates);
    for (const ToolCommand& tool : kToolCommands)
        actions_->action(tool.id)->setCheckable(true);
    for (uint16_t id : {kCmdToolbar, kCmdStatusBar, kCmdFullScreen})
        actions_->action(id)->setCheckable(true);

    toolbar_ = addToolBar(QStringLiteral("Toolbar"));
    toolbar_->setObjectName(QStringLiteral("Toolbar"));
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar_->setIconSize(QSize(20, 20));
    toolbar_->toggleViewAction()->setVisible(false);
    for (uint16_t id : kToolbarCommands) {
        if (id == 0) {
            toolbar_->addSeparator();
            continue;
        }
        // The icon shows in the menus too; the button's tooltip is the command's name.
        QAction* action = actions_->action(id);
        action->setIcon(commandIcon(id));
        toolbar_->addAction(action);
    }
    statusBar();
    new SwatchesInfoDocks(*this, *area_, context_);
    LayersPanel::install(*this);

    connect(clipboard_, &SystemClipboard::changed, this, &MainWindow::refreshCommandStates);
    rebuildRecentFiles();
    refreshCommandStates();
}

// ---- routing ----

void MainWindow::executeCommand(uint16_t id) {
    if (isRecentFileCommand(id)) {
        openRecentFile(id);
        refreshCommandStates();
        return;
    }
    if (isWindowListCommand(id)) {
        activateListedWindow(id);
        return;
    }
    for (const ApplicationCommand& command : applicationCommands()) {
        if (command.id == id) {
            (this->*command.run)();
            refreshCommandStates();
            return;
        }
    }
    const CommandInfo* info = findCommand(id);
    DocumentFrame* frame = activeFrame();
    if (!info || info->route == CommandRoute::Application || !frame)
        return;
    CommandParams params;
    // A command may also ask before it acts without a "..." item (Delete Layer confirms).
    if (commandOpensDialog(*info) || dialogs_->has(id)) {
        // The dialog's answer is the command's parameter record; without a dialog there is
        // nothing to run, and a cancelled dialog changes nothing.
        if (!frame->commands().isEnabled(id))
            return;
        std::optional<CommandParams> answer = dialogs_->ask(id, this, frame->session());
        if (!answer) {
            // A cancelled preview may still have changed what Last Filter names.
            refreshCommandStates();
            return;
        }
        params = std::move(*answer);
    }
    const CommandResult result = frame->executeCommand(id, std::move(params));
    refreshCommandStates();
    if (!result.message.empty())
        prompts_.showError(this, QString::fromStdString(result.message));
}

ShellState MainWindow::shellState() const {
    ShellState state;
    const DocumentFrame* frame = activeFrame();
    state.hasDocument = frame != nullptr;
    state.documentModified = frame && frame->document().isModified();
    state.clipboardHasImage = clipboard_->hasImage();
    state.hasRecentFiles = !settings_.recentFiles.isEmpty();
    for (const DocumentFrame* f : frames_)
        state.hasMinimizedWindows = state.hasMinimizedWindows || f->isMinimized();
    return state;
}

bool MainWindow::isCommandEnabled(uint16_t id) const {
    if (isRecentFileCommand(id))
        return true;
    if (isWindowListCommand(id))
        return static_cast<size_t>(windowListIndex(id)) < frames_.size();
    const CommandInfo* info = findCommand(id);
    if (!info)
        return false;
    DocumentFrame* frame = activeFrame();
    switch (info->route) {
    case CommandRoute::Application: return isShellCommandEnabled(id, shellState());
    case CommandRoute::DocumentFrame: return frame && frame->isZoomCommandEnabled(id);
    case CommandRoute::Document:
        return frame && (!commandOpensDialog(*info) || dialogs_->has(id)) && frame->commands().isEnabled(id);
    }
    return false;
}

void MainWindow::refreshCommandStates() {
    if (!actions_)
        return;
    const ShellState shell = shellState();
    DocumentFrame* frame = activeFrame();
    for (uint16_t id : actions_->ids()) {
        const CommandInfo* info = findCommand(id);
        bool enabled = false;
        if (info->route == CommandRoute::Application)
            enabled = isShellCommandEnabled(id, shell);
        else
            enabled = frame && isCommandEnabled(id);
        actions_->action(id)->setEnabled(enabled);
    }
    for (const ToolCommand& tool : kToolCommands)
        actions_->action(tool.id)->setChecked(tool_ == tool.tool);
    actions_->action(kCmdToolbar)->setChecked(toolbar_ && toolbar_->isVisible());
    actions_->action(kCmdStatusBar)->setChecked(statusBar()->isVisible());
    actions_->action(kCmdFullScreen)->setChecked(isFullScreen());
    actions_->action(kCmdLastFilter)->setText(QString::fromStdString(lastFilter_.menuText()));
    rebuildWindowList();
}

DocumentFrame* MainWindow::activeFrame() const {
    if (!area_)
        return nullptr;
    // The current window, even while the application itself is not the active one (a
    // modal dialog, or a test without a focused window).
    auto* frame = qobject_cast<DocumentFrame*>(area_->currentSubWindow());
    if (frame && std::find(frames_.begin(), frames_.end(), frame) != frames_.end())
        return frame;
    return nullptr;
}

// ---- settings and options ----

CanvasColors MainWindow::canvasColors() const {
    return {settings_.options.documentWindowBackground, settings_.options.imageBorder};
}

void MainWindow::applyOptions() {
    const ApplicationOptions& options = settings_.options;
    context_.similarityTolerance = options.pixelSimilarityTolerance;
    context_.historyLimit = options.historyStates;
    context_.historyMemoryMiB = options.historyMemory;
    setPixelThreads(options.pixelThreads);
    const CanvasColors colors = canvasColors();
    for (DocumentFrame* frame : frames_) {
        frame->setCanvasColors(colors);
        // Minimized windows keep the limit they had.
        if (!frame->isMinimized())
            frame->session().history().setLimit(options.historyStates);
        frame->session().history().setMemoryBudget(HistoryMemory::bytes(options.historyMemory));
    }
}

void MainWindow::showWithSavedPlacement() {
    const MainWindowState& state = settings_.mainWindow;
    if (!state.rect.isEmpty())
        setGeometry(state.rect.left, state.rect.top, state.rect.width(), state.rect.height());
    else
        resize(1024, 720);
    // Without a settings file both bars show; a loaded file says which.
    toolbar_->setVisible(!settings_.loaded() || state.showToolbar);
    statusBar()->setVisible(!settings_.loaded() || state.showStatusBar);
    if (state.maximized)
        showMaximized();
    else
        show();
    refreshCommandStates();
}

bool MainWindow::saveSettings() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const Rect workArea = screen ? toRect(screen->availableGeometry()) : toRect(normalGeometry());
    const bool maximized = isFullScreen() ? wasMaximizedBeforeFullScreen_ : isMaximized();
    settings_.mainWindow = captureMainWindowState(toRect(normalGeometry()), workArea, maximized,
                                                  toolbar_->isVisible(), statusBar()->isVisible());
    return !location_.file.empty() && settings_.saveToFile(location_.file);
}

void MainWindow::showOptions() {
    std::optional<ApplicationOptions> options = prompts_.askOptions(this, settings_.options);
    if (!options)
        return;
    settings_.options = *options;
    applyOptions();
    rebuildRecentFiles();
}

void MainWindow::rebuildRecentFiles() {
    actions_->rebuildRecentFiles(settings_.recentFiles, settings_.options.maxRecentFiles);
}

void MainWindow::noteRecentFile(const std::string& path) {
    settings_.noteRecentFile(path);
    rebuildRecentFiles();
}

void MainWindow::clearRecent() {
    settings_.recentFiles.clear();
    rebuildRecentFiles();
}

void MainWindow::openRecentFile(uint16_t id) {
    const size_t index = static_cast<size_t>(recentFileIndex(id));
    const std::string path = settings_.recentFiles.at(index);
    if (path.empty() || !settings_.recentFiles.moveToFront(index))
        return;
    rebuildRecentFiles();
    openFile(QString::fromStdString(path));
}

// ---- tools and windows ----

void MainWindow::setTool(int32_t tool) {
    tool_ = tool;
    for (DocumentFrame* frame : frames_)
        frame->setTool(tool);
}

void MainWindow::marqueeTool() { setTool(kToolMarquee); }
void MainWindow::cropTool() { setTool(kToolCrop); }
void MainWindow::handTool() { setTool(kToolHand); }
void MainWindow::zoomInTool() { setTool(kToolZoomIn); }
void MainWindow::zoomOutTool() { setTool(kToolZoomOut); }

void MainWindow::toggleFullScreen() {
    if (isFullScreen()) {
        if (wasMaximizedBeforeFullScreen_)
            showMaximized();
        else
            showNormal();
    } else {
        wasMaximizedBeforeFullScreen_ = isMaximized();
        showFullScreen();
    }
}

void MainWindow::toggleToolbar() { toolbar_->setVisible(!toolbar_->isVisible()); }
void MainWindow::toggleStatusBar() { statusBar()->setVisible(!statusBar()->isVisible()); }

void MainWindow::rebuildWindowList() {
    std::vector<std::string> captions;
    captions.reserve(frames_.size());
    std::optional<size_t> active;
    for (DocumentFrame* frame : frames_) {
        if (frame == activeFrame())
            active = captions.size();
        captions.push_back(frame->windowTitle().toStdString());
    }
    actions_->rebuildWindowList(buildWindowListMenu(captions, active));
}

void MainWindow::activateListedWindow(uint16_t id) {
    const size_t index = static_cast<size_t>(windowListIndex(id));
    if (index >= frames_.size())
        return;
    DocumentFrame* frame = frames_[index];
    // Chosen from the list, a minimized window comes back as it was before.
    if (frame->isMinimized())
        frame->showNormal();
    area_->setActiveSubWindow(frame);
    frame->canvas()->setFocus();
    refreshCommandStates();
}

void MainWindow::cascade() { area_->cascadeSubWindows(); }
void MainWindow::tile() { area_->tileSubWindows(); }

void MainWindow::arrangeIcons() {
    std::vector<DocumentFrame*> minimized;
    for (DocumentFrame* frame : frames_)
        if (frame->isMinimized())
            minimized.push_back(frame);
    if (minimized.empty())
        return;
    const QSize icon = minimized.front()->size();
    const QSize room = area_->viewport()->size();
    const std::vector<Point> places = arrangeIconPositions(static_cast<int32_t>(minimized.size()),
                                                           {icon.width(), icon.height()}, {room.width(), room.height()});
    for (size_t i = 0; i < minimized.size(); ++i)
        minimized[i]->move(places[i].x, places[i].y);
}

void MainWindow::about() {
    QMessageBox::about(this, QStringLiteral("About %1").arg(applicationTitle()),
                       QStringLiteral("%1\n%2").arg(applicationTitle(),
                                                    QString::fromStdString(aboutVersionText(productVersion()))));
}

void MainWindow::exitApplication() { close(); }

// ---- window events ----

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closeAllDocuments()) {
        event->ignore();
        return;
    }
    saveSettings();
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A double click on the empty document area runs Open.
    if (area_ && watched == area_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        executeCommand(kCmdOpen);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace pict::qt
