#include "batch/BatchRun.h"

#include "app/session/DocumentSession.h"
#include "app/session/LargePictures.h"
#include "codecs/PictureProbe.h"
#include "codecs/ReadReport.h"
#include "document/Document.h"

#include <filesystem>
#include <ostream>

namespace pict::batch {

BatchRun::BatchRun(std::ostream& out, std::ostream& err) : out_(out), err_(err) {
    app_.lastFilter = &lastFilter_;
    app_.clipboard = &clipboard_;
}

BatchRun::~BatchRun() {
    // The command layer refers to the session, the session to the context: undo in order.
    commands_.reset();
    session_.reset();
}

void BatchRun::setDocument(std::unique_ptr<Document> document) {
    commands_.reset();
    session_ = std::make_unique<DocumentSession>(app_, std::move(document));
    commands_.emplace(*session_);
}

StepReport BatchRun::execute(uint16_t id, CommandParams params) {
    return reportFor(commands_->execute(id, std::move(params)));
}

std::string BatchRun::memoryRefusal(const std::string& name, int32_t width, int32_t height, int32_t layers) const {
    const std::optional<int64_t> bytes = memoryAboveLimit(width, height, layers, maxMemoryMiB_);
    return bytes ? largePictureRefusal(name, width, height, *bytes, maxMemoryMiB_) : std::string();
}

std::string BatchRun::fileMemoryRefusal(const std::string& path) const {
    const std::optional<PictureClaim> claim = probePicture(path);
    if (!claim)
        return {};
    return memoryRefusal(std::filesystem::path(path).filename().string(), claim->width, claim->height, claim->layers);
}

void noteReadInPart(BatchRun& run, const std::string& path, const ReadReport& read) {
    if (read.endsEarly)
        run.err() << "pictorane-cli: " << path << ": " << kEndsEarlyText << "\n";
    if (!read.note.empty())
        run.err() << "pictorane-cli: " << path << ": " << read.note << "\n";
    // The editor shows this in its status bar: the pixels are no longer the file's own.
    if (!read.colorNote.empty())
        run.err() << "pictorane-cli: " << path << ": " << read.colorNote << "\n";
}

StepReport reportFor(CommandResult result) {
    // The command layer's message is the editor's own text for the case, so the batch tool
    // says what the editor would.
    std::string& message = result.message;
    switch (result.outcome) {
    case CommandOutcome::Done:
    case CommandOutcome::ViewChange:
    case CommandOutcome::NoEffect:
        return {StepStatus::Done, {}};
    case CommandOutcome::Unchanged:
        return {StepStatus::Unchanged, std::move(message)};
    case CommandOutcome::Refused:
        return {StepStatus::Refused, std::move(message)};
    case CommandOutcome::Failed:
    case CommandOutcome::Cancelled: // no one cancels a batch step; counted as a failure if it were
        return {StepStatus::Failed, std::move(message)};
    case CommandOutcome::Unknown:
        return {StepStatus::Missing, {}};
    }
    return {StepStatus::Failed, {}};
}

StepReport runCommandStep(BatchRun& run, const BatchStep& step, const StepInput& input) {
    const uint16_t id = input.command ? input.command : step.command;
    if (step.commandRun)
        return reportFor(step.commandRun(run.commands(), id, input));
    return run.execute(id, input.params);
}

} // namespace pict::batch
