#pragma once
// One document window: a QMdiSubWindow holding the document's session (document, selection,
// history), its command layer, its CanvasView and the canvas widget that shows it. The frame
// runs the zoom commands itself and passes every other document id to the command layer.

#include "app/commands/CommandHosts.h"
#include "app/commands/DocumentCommands.h"
#include "app/session/DocumentSession.h"
#include "app/session/DocumentToolInput.h"
#include "canvas/CanvasRenderer.h"
#include "canvas/CanvasView.h"
#include "codecs/ImageMetadata.h"
#include "document/DocumentNotification.h"

#include <QMdiSubWindow>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace pict::qt {

class CanvasWidget;
class LongWorkRunner;

class DocumentFrame : public QMdiSubWindow,
                      private FrameHost,
                      private SessionView,
                      private DocumentObserver,
                      private CanvasViewListener {
    Q_OBJECT
public:
    DocumentFrame(ApplicationContext& app, std::unique_ptr<Document> document, QWidget* parent = nullptr);
    ~DocumentFrame() override;

    DocumentSession& session() { return *session_; }
    Document& document() { return session_->document(); }
    const Document& document() const { return session_->document(); }
    DocumentCommands& commands() { return commands_; }
    CanvasView& view() override { return view_; }
    const CanvasView& view() const { return view_; }
    CanvasWidget* canvas() const { return canvas_; }
    DocumentToolInput& toolInput() { return toolInput_; }

    // What the file the document came from held besides its pixels (EXIF, XMP, colour
    // profile, comments, texts): carried into the files it is saved to.
    ImageMetadata& carriedMetadata() { return metadata_; }

    // The file the document came from or was saved to; empty for an untitled document.
    std::string path() const;
    const DocumentInfo& documentInfo() const override;

    // Table B (zoom) and then the document command layer. Unknown when neither knows the id;
    // a refusal or failure may carry a message for the user.
    CommandResult executeCommand(uint16_t id, CommandParams params = {});
    bool isZoomCommand(uint16_t id) const;
    bool isZoomCommandEnabled(uint16_t id) const;

    void setTool(int32_t toolId);
    void setCanvasColors(const CanvasColors& colors);
    // "%s @ %s": the document name, with "*" while it has unsaved changes, and the zoom.
    void refreshCaption();

    // Sizes the window so that the image shows at the largest zoom step that fits, 100 %
    // when the whole image fits the workspace.
    void applyInitialLayout(QSize workspace);
    // Fit on Screen: the window takes the workspace size the image needs, then Fit in Window.
    void fitOnScreen() override;

    // Where the commands' long work runs (a filter on a large layer); without one it runs
    // on this thread.
    void setLongWorkRunner(LongWorkRunner* runner) { longWork_ = runner; }

    // Asked before the window closes (close box, Close, Close All, exit); false keeps it open.
    void setCloseGuard(std::function<bool(DocumentFrame*)> guard) { closeGuard_ = std::move(guard); }

signals:
    // Zoom, document or history changed: enabled states and captions may be stale.
    void stateChanged();
    // The document reported a change (its panels look again).
    void documentChanged();
    // A tool ran a command that was refused or failed, with the reason (may be empty).
    void toolRefused(const QString& reason);
    // The window accepted its close and is about to go.
    void closing(DocumentFrame* frame);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // SessionView
    void canvasSizeChanged() override;
    void selectionChanged() override;
    void toggleSelectionOutline() override;
    void beginLongOperation() override;
    void endLongOperation() override;
    std::optional<Rect> visibleCanvasRect() const override { return view_.visibleImageRect(); }
    bool runLongWork(const std::string& name, const std::function<void()>& work) override;
    // DocumentObserver
    void changed(const DocumentNotification& notification) override;
    // CanvasViewListener
    void canvasZoomChanged() override;
    void canvasScrolled(int32_t dx, int32_t dy) override;

    QSize decorationSize() const;

    std::unique_ptr<DocumentSession> session_;
    DocumentCommands commands_;
    ToolOptions ownTools_; // when the application keeps none
    DocumentToolInput toolInput_;
    CanvasView view_;
    CanvasWidget* canvas_ = nullptr;
    std::function<bool(DocumentFrame*)> closeGuard_;
    LongWorkRunner* longWork_ = nullptr;
    bool closed_ = false;
    ImageMetadata metadata_;
};

} // namespace pict::qt
