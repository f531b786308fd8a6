// The source (a file or --new), saving, --info and the history steps.

#include "app/core/CommandIds.h"
#include "app/core/DocumentFileRules.h"
#include "app/core/DocumentSession.h"
#include "app/core/NewImageModel.h"
#include "app/core/batch/BatchArguments.h"
#include "app/core/batch/BatchDocumentInfo.h"
#include "app/core/batch/BatchRun.h"
#include "app/core/batch/BatchSteps.h"
#include "codecs/DocumentFiles.h"
#include "document/Document.h"
#include "history/HistoryManager.h"

#include <array>
#include <ostream>

namespace pict::batch {

namespace {

// The name the New dialog proposes first in a run.
constexpr const char* kNewDocumentName = "Untitled-1";

// ---- parsers ----

enum NewBackground : int32_t { kNewWhite = 0, kNewBackgroundColor = 1, kNewTransparent = 2 };
constexpr std::array<std::string_view, 3> kNewBackgroundKeywords = {"white", "background", "transparent"};

bool parseNewDocument(std::string_view text, StepInput& input, std::string& error) {
    const auto fields = splitFields(text, ',');
    if (!checkFieldCount(fields, 2, 3, "W,H[,white|background|transparent]", error))
        return false;
    input.number = kNewWhite;
    return readInteger(fields[0], kMinImageSide, kMaxImageSide, "the width", input.point.x, error) &&
           readInteger(fields[1], kMinImageSide, kMaxImageSide, "the height", input.point.y, error) &&
           (fields.size() < 3 ||
            readKeyword(fields[2], kNewBackgroundKeywords, "the background", input.number, error));
}

bool parsePath(std::string_view text, StepInput& input, std::string& error) {
    if (text.empty()) {
        error = "the path is empty";
        return false;
    }
    input.text = text;
    return true;
}

bool parseHistoryLimit(std::string_view text, StepInput& input, std::string& error) {
    return readInteger(text, HistoryLimit::kMin, HistoryLimit::kMax, "the history limit", input.number, error);
}

// ---- actions ----

StepReport openFile(BatchRun& run, const BatchStep&, const StepInput& input) {
    std::unique_ptr<Document> document = openDocument(input.text);
    if (!document)
        return {StepStatus::Failed, openFailedMessage(input.text)};
    run.setDocument(std::move(document));
    return {};
}

StepReport newDocument(BatchRun& run, const BatchStep&, const StepInput& input) {
    // The New dialog's answer for these values: its reset resolution, the chosen background.
    NewImageFields fields;
    fields.documentName = kNewDocumentName;
    fields.values = resetPreset();
    fields.values.sizeUnit = SizeUnit::Pixels;
    fields.values.width = static_cast<float>(input.point.x);
    fields.values.height = static_cast<float>(input.point.y);
    fields.values.background = static_cast<NewImageBackground>(input.number);
    const NewImageSpec spec = newImageSpec(fields, run.app().backgroundColor);

    DocumentInfo info;
    info.width = spec.width;
    info.height = spec.height;
    info.resolution = static_cast<float>(spec.resolution);
    info.resolutionUnit = static_cast<int32_t>(spec.resolutionUnit);
    info.name = spec.name;
    info.transparent = spec.transparent;
    // Layer fills take red in the low byte.
    info.backgroundColor = (spec.fillColor >> 16 & 0xFF) | (spec.fillColor & 0xFF00) | (spec.fillColor & 0xFF) << 16;
    info.untitled = true;
    auto document = std::make_unique<Document>();
    if (!document->newFromInfo(info))
        return {StepStatus::Failed, kNewImageFailedMessage};
    run.setDocument(std::move(document));
    return {};
}

StepReport saveAs(BatchRun& run, const BatchStep&, const StepInput& input) {
    if (!saveDocument(run.session().document(), input.text))
        return {StepStatus::Failed, saveFailedMessage(input.text)};
    return {};
}

StepReport printInfo(BatchRun& run, const BatchStep&, const StepInput&) {
    run.out() << documentInfoJson(run.session()) << "\n";
    return {};
}

StepReport setHistoryLimit(BatchRun& run, const BatchStep&, const StepInput& input) {
    run.app().historyLimit = input.number;
    run.session().history().setLimit(input.number);
    return {};
}

constexpr BatchStep kOpenFile{
    "FILE", "", StepArgument::Required, parsePath, openFile, kCmdOpen,
    "open an image file (.bmp .dib .rle .gif .ico .jpg .jpeg .jpe .jfif .png)", ""};

constexpr BatchStep kNewDocument{
    "--new", "W,H[,white|background|transparent]", StepArgument::Required, parseNewDocument, newDocument, kCmdNew,
    "a new image \"Untitled-1\" of W x H pixels at 72 pixels/inch (default white)", ""};

constexpr BatchStep kDocumentSteps[] = {
    {"-o", "PATH", StepArgument::Required, parsePath, saveAs, kCmdSaveAs,
     "save as PATH; the extension (.bmp, .jpg, .png) picks the format", ""},
    {"--info", "", StepArgument::None, nullptr, printInfo, 0,
     "print the document (size, layers, selection, channels, history) as one JSON line", ""},
    {"--undo", "", StepArgument::None, nullptr, runCommandStep, kCmdUndo, "undo the last state",
     "a state to undo"},
    {"--redo", "", StepArgument::None, nullptr, runCommandStep, kCmdRedo, "redo the last undone state",
     "an undone state to redo"},
    {"--history-limit", "N", StepArgument::Required, parseHistoryLimit, setHistoryLimit, 0,
     "keep at most N history states (1..100, default 20)", ""},
};

} // namespace

const BatchStep& openFileStep() { return kOpenFile; }
const BatchStep& newDocumentStep() { return kNewDocument; }
std::span<const BatchStep> documentSteps() { return kDocumentSteps; }

} // namespace pict::batch
