#pragma once
// The editor's main window: the menus built from the command registry, the document area
// with one DocumentFrame per open image, and the application commands. Every command id
// arrives at executeCommand(): the window runs its own, passes zoom ids to the active frame
// and everything else to that frame's document command layer. Questions to the user go
// through ShellPrompts, so that tests can answer them.

#include "app/settings/AppSettings.h"
#include "app/commands/CommandHosts.h"
#include "app/commands/CommandIds.h"
#include "app/session/ApplicationContext.h"
#include "app/settings/DataDirectory.h"
#include "app/dialogs/NewImageModel.h"
#include "app/commands/ShellCommandStates.h"
#include "canvas/CanvasRenderer.h"
#include "app/commands/LastFilterSlot.h"
#include "codecs/FileKind.h"

#include <QMainWindow>

#include <memory>
#include <vector>

class QMdiArea;
class QMdiSubWindow;
class QToolBar;

namespace pict {
class Document;
struct RecoveryRecord;
class InternalClipboard;
}

namespace pict::qt {

class ToolOptionsBar;

class Autosaver;
class LongWorkRunner;
class CommandActions;
class CommandDialogs;
class DocumentFrame;
class PrinterSetup;
class ShellPrompts;
class StatusBarFields;
class SystemClipboard;

class MainWindow : public QMainWindow, private ShellHost {
    Q_OBJECT
public:
    // Loads the settings from `settings` (defaults when the file is missing or unreadable)
    // and writes them back there when the window closes.
    MainWindow(const SettingsLocation& settings, ShellPrompts& prompts, QWidget* parent = nullptr);
    ~MainWindow() override;

    // ---- commands ----
    // Routes an id; an id nobody handles is ignored. Enabled states are refreshed afterwards.
    void executeCommand(uint16_t id);
    bool isCommandEnabled(uint16_t id) const;
    // Brings every action's enabled and checked state, and the Last Filter text, up to date.
    void refreshCommandStates();
    CommandActions& actions() const { return *actions_; }
    CommandDialogs& dialogs() const { return *dialogs_; }

    // ---- documents ----
    // Open-one: activates a window that already shows exactly this path, otherwise loads the
    // file into a new window; a failure is reported and opens nothing.
    DocumentFrame* openFile(const QString& path);
    void openFiles(const QStringList& paths);
    // A block sent by a later instance: its paths are opened, an invalid block is ignored.
    void receiveFileList(const QByteArray& block);
    // Shows a document in a new window, which becomes the active one.
    DocumentFrame* addDocument(std::unique_ptr<Document> document);
    // Save, Save As and the close prompt; true when the document was written (closed).
    bool saveDocument(DocumentFrame* frame);
    bool saveDocumentAs(DocumentFrame* frame);
    // Save As with this kind preselected whatever the document's own kind.
    bool saveDocumentAs(DocumentFrame* frame, FileKind preselected);
    bool closeDocument(DocumentFrame* frame);
    // Close All and exit: asks each window in creation order; false when one stayed open.
    bool closeAllDocuments();

    // At start (first instance only): offers the documents a run that did not end normally
    // left in the recovery folder; Recover opens each as an unsaved document with its old
    // title and file, Discard deletes them.
    void offerRecovery();
    Autosaver& autosaver() { return *autosaver_; }

    DocumentFrame* activeFrame() const;
    // In creation order.
    const std::vector<DocumentFrame*>& frames() const { return frames_; }

    AppSettings& settings() { return settings_; }
    const ApplicationContext& context() const { return context_; }
    ToolOptionsBar* toolOptionsBar() const { return toolOptions_; }
    // The current colors changed (picker, X, D): whatever shows them repaints.
    void colorsChanged();
    int32_t currentTool() const override { return tool_; }
    QMdiArea* documentArea() const { return area_; }
    StatusBarFields* statusFields() const { return statusFields_; }
    LongWorkRunner* longWork() const { return longWork_; }
    // The printer and its page settings for this run, made when first needed.
    PrinterSetup& printerSetup();

    // Restores the placement saved in the settings and shows the window.
    void showWithSavedPlacement();
    // Captures the window state into the settings and writes the file.
    bool saveSettings();

signals:
    // Enabled states were brought up to date: a command ran, the active window or the
    // options changed. Panels that show the document's history look again.
    void commandStatesRefreshed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    ShellState shellState() const;
    void applyOptions();
    void rebuildRecentFiles();
    // "name* - Pictorane" for the active document, the program's name alone without one.
    void refreshTitle();
    void noteRecentFile(const std::string& path);
    // askOptions: Save As asks for the JPEG or PNG options first (Save uses the last ones).
    bool writeDocument(DocumentFrame* frame, const std::string& path, bool askOptions = false);
    // The options dialog of the kind, remembered in the settings; false when cancelled.
    bool askSaveOptions(DocumentFrame* frame, FileKind kind);
    bool confirmClose(DocumentFrame* frame);
    DocumentFrame* recoverDocument(const std::string& picture, const RecoveryRecord& record);
    // Asks first when a picture of this size would need more memory than the option allows;
    // true to go on. mayOpenPicture reads the size from the file's header only.
    bool mayCreatePicture(const std::string& name, int32_t width, int32_t height, int32_t layers);
    bool mayOpenPicture(const std::string& path);
    // Where the open and save dialogs start: the folder of this document's file, else the
    // last one used, else the user's pictures folder, else home.
    QString fileDialogFolder(const DocumentFrame* frame) const;
    void frameClosing(DocumentFrame* frame);
    CanvasColors canvasColors() const;

    // application commands (ShellHost)
    void newImage() override;
    void newFromClipboard() override;
    void openWithDialog() override;
    void closeActive() override;
    void closeAll() override;
    void saveActive() override;
    void saveActiveAs() override;
    void clearRecent() override;
    void exitApplication() override;
    void duplicateImage() override;
    void showOptions() override;
    void setTool(int32_t tool) override;
    void toggleFullScreen() override;
    void arrangeIcons() override;
    void cascade() override;
    void tile() override;
    void toggleToolbar() override;
    void toggleStatusBar() override;
    void about() override;
    void pageSetup() override;
    void print() override;
    void printWithPreview() override;
    void showManual() override;
    void swapColors() override;
    void resetColors() override;
    void switchToolShape(int32_t tool) override;
    bool fullScreenShown() const override;
    bool toolbarShown() const override;
    bool statusBarShown() const override;
    void openRecentFile(uint16_t id);
    void activateListedWindow(uint16_t id);
    void rebuildWindowList();

    SettingsLocation location_;
    ShellPrompts& prompts_;
    AppSettings settings_;
    LastFilterSlot lastFilter_;
    ApplicationContext context_;
    DocumentNameCounter untitledNames_{"Untitled-"};
    DocumentNameCounter clipboardNames_{"Clipboard-"};
    ImagePreset lastConfirmedNew_ = resetPreset();
    int32_t tool_ = kToolHand;
    bool wasMaximizedBeforeFullScreen_ = false;

    SystemClipboard* clipboard_ = nullptr;
    std::unique_ptr<InternalClipboard> programClipboard_; // over clipboard_
    QMdiArea* area_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    StatusBarFields* statusFields_ = nullptr;
    LongWorkRunner* longWork_ = nullptr;
    ToolOptionsBar* toolOptions_ = nullptr;
    CommandActions* actions_ = nullptr;
    std::unique_ptr<CommandDialogs> dialogs_;
    std::vector<DocumentFrame*> frames_;
    std::unique_ptr<Autosaver> autosaver_;
    std::unique_ptr<PrinterSetup> printerSetup_;
};

} // namespace pict::qt
