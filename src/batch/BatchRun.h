#pragma once
// The state one run of the batch tool works on: the application context the editor would
// hold (colors, options, the last filter), the one open document as a DocumentSession, its
// command layer, and where the steps print.

#include "app/session/ApplicationContext.h"
#include "app/settings/AppSettings.h"
#include "app/session/InternalClipboard.h"
#include "app/commands/DocumentCommands.h"
#include "batch/BatchStep.h"
#include "app/commands/LastFilterSlot.h"
#include "codecs/ImageMetadata.h"
#include "codecs/SaveOptions.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace pict {
class Document;
class DocumentSession;
struct ReadReport;
} // namespace pict

namespace pict::batch {

class BatchRun {
public:
    BatchRun(std::ostream& out, std::ostream& err);
    ~BatchRun();
    BatchRun(const BatchRun&) = delete;
    BatchRun& operator=(const BatchRun&) = delete;

    ApplicationContext& app() { return app_; }
    std::ostream& out() { return out_; }
    std::ostream& err() { return err_; }

    // The document the steps work on; set once by the source.
    bool hasDocument() const { return session_ != nullptr; }
    void setDocument(std::unique_ptr<Document> document);
    DocumentSession& session() { return *session_; }
    DocumentCommands& commands() { return *commands_; }

    // What -o writes with: the JPEG, PNG, WebP, TIFF and metadata steps before it change these.
    SaveOptions& saveOptions() { return saveOptions_; }
    // What the source file held besides its pixels, carried into what -o writes.
    ImageMetadata& carriedMetadata() { return metadata_; }

    // Runs a command id and turns its outcome into the step's report.
    StepReport execute(uint16_t id, CommandParams params = {});

    // --max-memory: the memory in MiB a picture may need before opening it is refused.
    void setMaxMemory(int32_t mib) { maxMemoryMiB_ = mib; }
    // The refusal for a picture of this size above the limit; empty when it may be opened.
    std::string memoryRefusal(const std::string& name, int32_t width, int32_t height, int32_t layers = 1) const;
    // The same for a file, read from its header alone (a header that cannot be read is left
    // for the open to report).
    std::string fileMemoryRefusal(const std::string& path) const;

private:
    std::ostream& out_;
    std::ostream& err_;
    LastFilterSlot lastFilter_;
    InternalClipboard clipboard_; // this run's own: --copy fills it, --paste reads it
    ApplicationContext app_;
    SaveOptions saveOptions_;
    ImageMetadata metadata_;
    std::unique_ptr<DocumentSession> session_;
    std::optional<DocumentCommands> commands_;
    int32_t maxMemoryMiB_ = kLargePictureRange.defaultValue;
};

// After a file was read only in part, or its colours were converted to sRGB: a note on
// standard error, and the run goes on.
void noteReadInPart(BatchRun& run, const std::string& path, const ReadReport& read);

// The report for a command layer result.
StepReport reportFor(CommandResult result);

// The generic action: runs the step's command (or the input's) with the parsed parameters.
StepReport runCommandStep(BatchRun& run, const BatchStep& step, const StepInput& input);

} // namespace pict::batch
