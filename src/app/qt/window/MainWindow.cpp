#include "app/qt/window/MainWindow.h"

#include "app/qt/window/Autosaver.h"
#include "app/qt/printing/PrinterSetup.h"
#include "app/session/RecoveryFiles.h"

#include "app/commands/CommandTable.h"
#include "app/commands/menus/HistoryMenuLabels.h"
#include "app/session/DocumentWindowLayout.h"
#include "app/settings/ProductInfo.h"
#include "app/session/WindowListMenu.h"
#include "app/qt/canvas/CanvasWidget.h"
#include "app/qt/window/CommandActions.h"
#include "app/qt/window/CommandIcons.h"
#include "app/qt/dialogs/CommandDialogs.h"
#include "app/qt/window/DocumentFrame.h"
#include "app/qt/panels/HistoryPanel.h"
#include "app/qt/panels/LayersPanel.h"
#include "app/qt/window/ShellPrompts.h"
#include "app/qt/window/LongWorkRunner.h"
#include "app/qt/window/StatusBarFields.h"
#include "app/qt/panels/SwatchesInfoDocks.h"
#include "app/qt/panels/SwatchesPanel.h"
#include "app/qt/widgets/ToolOptionsBar.h"
#include "app/qt/window/SystemClipboard.h"
#include "app/session/InternalClipboard.h"
#include "app/qt/window/TextFieldKeys.h"
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

#include <chrono>
#include <utility>

namespace pict::qt {
namespace {

Rect toRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

} // namespace

MainWindow::MainWindow(const SettingsLocation& settings, ShellPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), location_(settings), prompts_(prompts), dialogs_(std::make_unique<CommandDialogs>()) {
    if (!location_.file.empty())
        settings_.loadFromFile(location_.file);
    context_.lastFilter = &lastFilter_;
    context_.tools = &settings_.tools;
    clipboard_ = new SystemClipboard(this);
    programClipboard_ = std::make_unique<InternalClipboard>(clipboard_);
    context_.clipboard = programClipboard_.get();
    context_.foregroundColor = settings_.options.defaultForeground;
    context_.backgroundColor = settings_.options.defaultBackground;
    context_.mergeClock = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
    autosaver_ = std::make_unique<Autosaver>(recoveryFolder());
    applyOptions();
    registerCommandDialogs(*dialogs_);
    new TextFieldKeys(this);
    buildWindow();
}

MainWindow::~MainWindow() {
    autosaver_.reset(); // waits for a write in progress
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

    toolbar_ = addToolBar(QStringLiteral("Toolbar"));
    toolbar_->setObjectName(QStringLiteral("Toolbar"));
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar_->setIconSize(QSize(20, 20));
    toolbar_->toggleViewAction()->setVisible(false);
    for (uint16_t id : toolbarLayout()) {
        if (id == 0) {
            toolbar_->addSeparator();
            continue;
        }
        // The icon shows in the menus too; the button's tooltip is the command's name.
        QAction* action = actions_->action(id);
        action->setIcon(commandIcon(id));
        toolbar_->addAction(action);
    }
    // The options of the active tool, on a row of their own under the toolbar.
    addToolBarBreak();
    toolOptions_ = new ToolOptionsBar(settings_.tools, this);
    toolOptions_->toggleViewAction()->setVisible(false);
    addToolBar(toolOptions_);
    toolOptions_->showTool(tool_);
    statusFields_ = new StatusBarFields(*statusBar());
    longWork_ = new LongWorkRunner(*statusBar(), this);
    new SwatchesInfoDocks(*this, *area_, context_);
    LayersPanel::install(*this);
    HistoryPanel::install(*this);

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
    const CommandSpec* spec = findCommand(id);
    if (!spec)
        return;
    if (spec->route == CommandRoute::Application) {
        if (spec->runShell)
            spec->runShell(*this);
        refreshCommandStates();
        return;
    }
    DocumentFrame* frame = activeFrame();
    if (!frame)
        return;
    CommandParams params;
    // A dialog's answer is the command's parameter record; a command that opens a dialog has
    // nothing to run without one, and a cancelled dialog changes nothing. A confirmation is
    // asked when the editor has one for the command.
    const bool asks = spec->route == CommandRoute::Document &&
                      (spec->opensDialog() || (spec->asks == CommandAsks::Confirmation && dialogs_->has(id)));
    if (asks) {
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
    state.clipboardHasImage = programClipboard_->hasImage();
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
    const CommandSpec* spec = findCommand(id);
    if (!spec)
        return false;
    DocumentFrame* frame = activeFrame();
    switch (spec->route) {
    case CommandRoute::Application: return isShellCommandEnabled(id, shellState());
    case CommandRoute::DocumentFrame: return frame && frame->isZoomCommandEnabled(id);
    case CommandRoute::Document:
        // A command that opens a dialog runs only with its dialog's answer.
        return frame && (!spec->opensDialog() || dialogs_->has(id)) && frame->commands().isEnabled(id);
    }
    return false;
}

void MainWindow::refreshCommandStates() {
    if (!actions_)
        return;
    const ShellState shell = shellState();
    DocumentFrame* frame = activeFrame();
    for (uint16_t id : actions_->ids()) {
        const CommandSpec* spec = findCommand(id);
        bool enabled = false;
        if (spec->route == CommandRoute::Application)
            enabled = isShellCommandEnabled(id, shell);
        else
            enabled = frame && isCommandEnabled(id);
        QAction* action = actions_->action(id);
        action->setEnabled(enabled);
        if (spec->isToggle())
            action->setChecked(spec->checked(*this));
    }
    actions_->action(kCmdLastFilter)->setText(QString::fromStdString(lastFilterMenuLabel(lastFilter_)));
    const HistoryManager* history = frame ? &frame->session().history() : nullptr;
    actions_->action(kCmdUndo)->setText(QString::fromStdString(undoMenuLabel(history)));
    actions_->action(kCmdRedo)->setText(QString::fromStdString(redoMenuLabel(history)));
    refreshTitle();
    if (statusFields_)
        statusFields_->showDocument(frame);
    rebuildWindowList();
    emit commandStatesRefreshed();
}

void MainWindow::refreshTitle() {
    // The active document by name, with its unsaved-changes marker, then the program.
    DocumentFrame* frame = activeFrame();
    if (!frame) {
        setWindowTitle(applicationTitle());
        return;
    }
    frame->refreshCaption();
    const Document& document = frame->document();
    const QString name = QString::fromStdString(document.info().name) + (document.isModified() ? "*" : "");
    setWindowTitle(QStringLiteral("%1 - %2").arg(name, applicationTitle()));
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
    autosaver_->setIntervalMinutes(options.autosaveMinutes);
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
    if (toolOptions_)
        toolOptions_->showTool(tool);
}

void MainWindow::switchToolShape(int32_t tool) {
    ToolOptions& tools = settings_.tools;
    if (tool == kToolMarquee)
        tools.ellipseMarquee = !tools.ellipseMarquee;
    else if (tool == kToolLasso)
        tools.polygonalLasso = !tools.polygonalLasso;
    setTool(tool);
    toolOptions_->refresh();
}

void MainWindow::swapColors() {
    std::swap(context_.foregroundColor, context_.backgroundColor);
    colorsChanged();
}

void MainWindow::resetColors() {
    context_.foregroundColor = kBlack;
    context_.backgroundColor = kWhite;
    colorsChanged();
}

void MainWindow::colorsChanged() {
    for (SwatchesPanel* panel : findChildren<SwatchesPanel*>())
        panel->update();
}


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
bool MainWindow::fullScreenShown() const { return isFullScreen(); }
bool MainWindow::toolbarShown() const { return toolbar_ && toolbar_->isVisible(); }
bool MainWindow::statusBarShown() const { return statusBar()->isVisible(); }

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
