#pragma once
// Everything a document window owns below its user interface: the Document, its selection
// (SelectionController with the SelectionMask), its history, and the application context
// handed in by the owner. The editor's window and the batch tool each hold one per open
// image and drive it through DocumentCommands.

#include "app/session/ApplicationContext.h"
#include "history/DocumentContext.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pict {

class Document;
class SelectionController;
class HistoryManager;

// What a window shows of its session; every hook does nothing by default, which is what
// the batch tool wants.
class SessionView {
public:
    virtual ~SessionView() = default;
    virtual void canvasSizeChanged() {}
    virtual void selectionChanged() {}
    // The selection's outline was hidden or shown (the controller holds the flag).
    virtual void toggleSelectionOutline() {}
    virtual void beginLongOperation() {}
    virtual void endLongOperation() {}
    // The part of the canvas the window shows (canvas coordinates); none without a window.
    virtual std::optional<Rect> visibleCanvasRect() const { return std::nullopt; }
    // Runs work that may take long and returns once it has finished, or once the user
    // cancelled it: false then, the work having been told through pixelWorkCancelled(). The
    // work reads only its own or shared read-only pixels, never the document model. A window
    // runs it on a worker and stays live meanwhile, with progress and Cancel in its status
    // bar; without a window it simply runs here.
    virtual bool runLongWork(const std::string& name, const std::function<void()>& work) {
        (void)name;
        work();
        return true;
    }
};

class DocumentSession final : public DocumentContext {
public:
    // Takes the document (already made from a file or the New dialog); the selection is
    // empty and the history empty with the context's limit.
    DocumentSession(ApplicationContext& app, std::unique_ptr<Document> document);
    ~DocumentSession() override;
    DocumentSession(const DocumentSession&) = delete;
    DocumentSession& operator=(const DocumentSession&) = delete;

    Document& document() override { return *document_; }
    const Document& document() const { return *document_; }
    SelectionController& selection() override { return *selection_; }
    const SelectionController& selection() const override { return *selection_; }
    HistoryManager& history() { return *history_; }
    const HistoryManager& history() const { return *history_; }
    ApplicationContext& app() { return app_; }
    const ApplicationContext& app() const { return app_; }
    // The document began as a picture made here (New, New From Clipboard), not a file opened.
    bool beganNew() const { return beganNew_; }

    // When the newest layer property change was recorded, for merging the next one into it:
    // the history's token right after it and the merge clock's time then.
    struct PropertyChangeMark {
        uint64_t token = 0;
        int64_t at = 0;
    };
    std::optional<PropertyChangeMark>& lastPropertyChange() { return lastPropertyChange_; }

    // The window that shows this session, or none (the batch tool).
    void setView(SessionView* view) { view_ = view; }
    SessionView* view() const { return view_; }
    // The view's runLongWork, or the work run here without a view.
    bool runLongWork(const std::string& name, const std::function<void()>& work) {
        if (view_)
            return view_->runLongWork(name, work);
        work();
        return true;
    }

    // Layers selected in the Layers panel, by index in panel order; Merge Layers, Merge Down
    // and Toggle Visibility read it. Without a panel it is just the active layer.
    const std::vector<int32_t>& panelSelection() const { return panelSelection_; }
    void setPanelSelection(std::vector<int32_t> layers) { panelSelection_ = std::move(layers); }
    // The panel selection as the commands use it: its indices that name a layer, in panel
    // order, or the active layer alone when no panel selection was set.
    std::vector<int32_t> selectedLayers() const;

    // ---- DocumentContext ----
    void canvasSizeChanged() override;
    void beginLongOperation() override;
    void endLongOperation() override;

    // The selection outline changed: tells the view. The session hears every change of its
    // SelectionController and calls this itself.
    void selectionChanged();

    // ---- unsaved changes ----
    // The document was just opened from or written to its file, as it is now.
    void markSaved();
    // A change that is no step of the history (a layer's visibility): modified until saved.
    void markChangedOutsideHistory();
    // Puts the document's modified flag in line with the history: unmodified exactly when
    // the history stands where it stood at the last open or save (undone back there, say)
    // and nothing outside the history changed since. The command layer calls it after
    // every command.
    void syncModified();

private:
    class SelectionRelay;

    ApplicationContext& app_;
    std::unique_ptr<Document> document_;
    std::unique_ptr<SelectionController> selection_;
    std::unique_ptr<HistoryManager> history_;
    SessionView* view_ = nullptr;
    std::vector<int32_t> panelSelection_;
    std::unique_ptr<SelectionRelay> relay_;
    uint64_t savedToken_ = 0;
    bool changedOutsideHistory_ = false;
    bool beganNew_ = false;
    std::optional<PropertyChangeMark> lastPropertyChange_;
};

} // namespace pict
