// The source (a file or --new), saving, --info and the history steps.

#include "app/commands/CommandIds.h"
#include "app/session/DocumentFileRules.h"
#include "app/session/DocumentSession.h"
#include "app/commands/StepArguments.h"
#include "batch/BatchDocumentInfo.h"
#include "batch/BatchNewDocument.h"
#include "batch/BatchRun.h"
#include "batch/BatchSteps.h"
#include "codecs/ReadReport.h"
#include "codecs/DocumentFiles.h"
#include "codecs/FileKind.h"
#include "document/Document.h"
#include "history/HistoryManager.h"
#include "surface/PixelThreads.h"

#include <array>
#include <ostream>

namespace pict::batch {

namespace {

constexpr int32_t kMaxNewSide = 30000;

// ---- parsers ----

constexpr std::array<std::string_view, 3> kNewBackgroundKeywords = {"white", "background", "transparent"};

bool parseNewDocument(std::string_view text, StepInput& input, std::string& error) {
    const auto fields = splitFields(text, ',');
    if (!checkFieldCount(fields, 2, 3, "W,H[,white|background|transparent]", error))
        return false;
    input.number = static_cast<int32_t>(NewImageBackground::White);
    return readInteger(fields[0], 1, kMaxNewSide, "the width", input.point.x, error) &&
           readInteger(fields[1], 1, kMaxNewSide, "the height", input.point.y, error) &&
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

bool parseHistoryMemory(std::string_view text, StepInput& input, std::string& error) {
    return readInteger(text, HistoryMemory::kMinMiB, HistoryMemory::kMaxMiB, "the history memory", input.number,
                       error);
}

bool parseThreads(std::string_view text, StepInput& input, std::string& error) {
    return readInteger(text, 0, 64, "the thread count", input.number, error);
}

constexpr std::array<std::string_view, 2> kSubsamplingKeywords = {"420", "444"};
constexpr std::array<std::string_view, 3> kPngCompressionKeywords = {"fast", "normal", "best"};
// In the order of the TIFF choices they name.
constexpr std::array<std::string_view, kTiffCompressionCount> kTiffCompressionKeywords = {"none", "lzw", "deflate",
                                                                                          "packbits", "jpeg"};
constexpr std::array<std::string_view, kTiffDepthCount> kTiffDepthKeywords = {"8", "16"};
constexpr std::array<std::string_view, kTiffColorCount> kTiffColorKeywords = {"rgb", "gray", "palette", "bilevel"};

bool parseJpegQuality(std::string_view text, StepInput& input, std::string& error) {
    return readInteger(text, 1, JpegSaveSettings::kQualityMax, "the JPEG quality", input.number, error);
}

bool parseWebpQuality(std::string_view text, StepInput& input, std::string& error) {
    return readInteger(text, WebpSaveSettings::kQualityMin, WebpSaveSettings::kQualityMax, "the WebP quality",
                       input.number, error);
}

bool parseSubsampling(std::string_view text, StepInput& input, std::string& error) {
    return readKeyword(text, kSubsamplingKeywords, "the chroma subsampling", input.number, error);
}

bool parsePngCompression(std::string_view text, StepInput& input, std::string& error) {
    return readKeyword(text, kPngCompressionKeywords, "the PNG compression", input.number, error);
}

bool parseTiffCompression(std::string_view text, StepInput& input, std::string& error) {
    return readKeyword(text, kTiffCompressionKeywords, "the TIFF compression", input.number, error);
}

bool parseTiffDepth(std::string_view text, StepInput& input, std::string& error) {
    return readKeyword(text, kTiffDepthKeywords, "the TIFF depth", input.number, error);
}

bool parseTiffColor(std::string_view text, StepInput& input, std::string& error) {
    return readKeyword(text, kTiffColorKeywords, "the TIFF color", input.number, error);
}

// ---- actions ----

StepReport openFile(BatchRun& run, const BatchStep&, const StepInput& input) {
    if (std::string refusal = run.fileMemoryRefusal(input.text); !refusal.empty())
        return {StepStatus::Failed, openFailedMessage(input.text, refusal)};
    ReadReport read;
    ImageMetadata metadata;
    std::unique_ptr<Document> document = openDocument(input.text, &read, &metadata);
    if (!document)
        return {StepStatus::Failed, openFailedMessage(input.text, read.reason)};
    noteReadInPart(run, input.text, read);
    run.setDocument(std::move(document));
    run.carriedMetadata() = std::move(metadata);
    return {};
}

StepReport newDocument(BatchRun& run, const BatchStep&, const StepInput& input) {
    if (std::string refusal = run.memoryRefusal("The new picture", input.point.x, input.point.y); !refusal.empty())
        return {StepStatus::Failed, newDocumentFailedMessage() + std::string("\n") + refusal};
    std::unique_ptr<Document> document = makeNewDocument(
        input.point.x, input.point.y, static_cast<NewImageBackground>(input.number), run.app().backgroundColor);
    if (!document)
        return {StepStatus::Failed, newDocumentFailedMessage()};
    run.setDocument(std::move(document));
    return {};
}

StepReport saveAs(BatchRun& run, const BatchStep&, const StepInput& input) {
    // TIFF choices that cannot go together are only known to be so once a TIFF is written.
    if (kindOfPath(input.text) == FileKind::Tif)
        if (const std::string why = tiffSettingsRefusal(run.saveOptions().tiff); !why.empty())
            return {StepStatus::Failed, saveFailedMessage(input.text) + "\npictorane-cli: -o: " + why +
                                            " (see --tiff-compression, --tiff-depth and --tiff-color)"};
    if (saveDocument(run.session().document(), input.text, run.saveOptions(), &run.carriedMetadata())) {
        // What was written is the unmodified document from now on, also after an undo and redo.
        run.session().markSaved();
        return {};
    }
    std::string message = saveFailedMessage(input.text);
    if (!canSaveKind(kindOfPath(input.text)))
        message += "\npictorane-cli: -o: the file name must end in " + savedExtensionsText();
    return {StepStatus::Failed, std::move(message)};
}

StepReport setJpegQuality(BatchRun& run, const BatchStep&, const StepInput& input) {
    run.saveOptions().jpeg.quality = input.number;
    return {};
}

StepReport setWebpQuality(BatchRun& run, const BatchStep&, const StepInput& input) {
    run.saveOptions().webp.quality = input.number;
    return {};
}

StepReport setWebpLossless(BatchRun& run, const BatchStep&, const StepInput&) {
    run.saveOptions().webp.lossless = true;
    return {};
}

StepReport setSubsampling(BatchRun& run, const BatchStep&, const StepInput& input) {
    run.saveOptions().jpeg.subsampling = input.number == 0 ? ChromaSubsampling::Half : ChromaSubsampling::Full;
    return {};
}

StepReport setProgressive(BatchRun& run, const BatchStep&, const StepInput&) {
    run.saveOptions().jpeg.progressive = true;
    return {};
}

StepReport stripMetadata(BatchRun& run, const BatchStep&, const StepInput&) {
    run.saveOptions().keepMetadata = false;
    return {};
}

StepReport setPngCompression(BatchRun& run, const BatchStep&, const StepInput& input) {
    run.saveOptions().pngCompression = static_cast<PngCompression>(input.number);
    return {};
}

StepReport setTiffCompression(BatchRun& run, const BatchStep&, const StepInput& input) {
    run.saveOptions().tiff.compression = static_cast<TiffCompression>(input.number);
    return {};
}

StepReport setTiffDepth(BatchRun& run, const BatchStep&, const StepInput& input) {
    run.saveOptions().tiff.depth = static_cast<TiffDepth>(input.number);
    return {};
}

StepReport setTiffColor(BatchRun& run, const BatchStep&, const StepInput& input) {
    run.saveOptions().tiff.color = static_cast<TiffColor>(input.number);
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

StepReport setHistoryMemory(BatchRun& run, const BatchStep&, const StepInput& input) {
    run.app().historyMemoryMiB = input.number;
    run.session().history().setMemoryBudget(HistoryMemory::bytes(input.number));
    return {};
}

StepReport setThreads(BatchRun&, const BatchStep&, const StepInput& input) {
    setPixelThreads(input.number);
    return {};
}

constexpr BatchStep kOpenFile{
    "FILE", "", StepArgument::Required, parsePath, openFile, kCmdOpen,
    "open an image file (.bmp .dib .rle .gif .ico .jpg .jpeg .jpe .jfif .png .tif .tiff .webp .heic .heif .avif .ora)", ""};

constexpr BatchStep kNewDocument{
    "--new", "W,H[,white|background|transparent]", StepArgument::Required, parseNewDocument, newDocument, kCmdNew,
    "a new image \"Untitled-1\" of W x H pixels at 72 pixels/inch (default white)", ""};

constexpr BatchStep kDocumentSteps[] = {
    {"-o", "PATH", StepArgument::Required, parsePath, saveAs, kCmdSaveAs,
     "save as PATH; the extension (.bmp, .jpg, .png, .tif, .webp, .avif, .ora) picks the format; .ora keeps the layers", ""},
    {"--jpeg-quality", "N", StepArgument::Required, parseJpegQuality, setJpegQuality, 0,
     "JPEG files that -o writes next use quality N (1..100, default 95)", ""},
    {"--jpeg-subsampling", "420|444", StepArgument::Required, parseSubsampling, setSubsampling, 0,
     "JPEG files that -o writes next halve the colour resolution (420) or keep it (444); by default it is kept "
     "only from quality 97 up",
     ""},
    {"--progressive", "", StepArgument::None, nullptr, setProgressive, 0,
     "JPEG files that -o writes next are progressive", ""},
    {"--strip-metadata", "", StepArgument::None, nullptr, stripMetadata, 0,
     "files that -o writes next leave out the source's EXIF, XMP, colour profile, comments and texts", ""},
    {"--png-compression", "fast|normal|best", StepArgument::Required, parsePngCompression, setPngCompression, 0,
     "PNG files that -o writes next are compressed fast, normally (the default) or best", ""},
    {"--webp-quality", "N", StepArgument::Required, parseWebpQuality, setWebpQuality, 0,
     "WebP files that -o writes next use quality N (0..100, default 90)", ""},
    {"--webp-lossless", "", StepArgument::None, nullptr, setWebpLossless, 0,
     "WebP files that -o writes next are lossless (the quality then sets how hard they are compressed)", ""},
    {"--tiff-compression", "none|lzw|deflate|packbits|jpeg", StepArgument::Required, parseTiffCompression,
     setTiffCompression, 0,
     "TIFF files that -o writes next use this compression (default lzw); jpeg is only for 8-bit rgb or gray and "
     "keeps no transparency (see-through parts are written over white)",
     ""},
    {"--tiff-depth", "8|16", StepArgument::Required, parseTiffDepth, setTiffDepth, 0,
     "TIFF files that -o writes next have 8 (the default) or 16 bits per sample; 16 only for rgb and gray", ""},
    {"--tiff-color", "rgb|gray|palette|bilevel", StepArgument::Required, parseTiffColor, setTiffColor, 0,
     "TIFF files that -o writes next are RGB (the default), grayscale, palette (up to 256 colors) or black and "
     "white; rgb and gray keep transparency, the others write see-through parts over white",
     ""},
    {"--info", "", StepArgument::None, nullptr, printInfo, 0,
     "print the document (size, layers, selection, channels, history) as one JSON line", ""},
    {"--history-limit", "N", StepArgument::Required, parseHistoryLimit, setHistoryLimit, 0,
     "keep at most N history states (1..100, default 20)", ""},
    {"--history-memory", "MIB", StepArgument::Required, parseHistoryMemory, setHistoryMemory, 0,
     "keep at most MIB mebibytes of undo pixels in memory, compressing and then swapping older ones "
     "(0..65536; 0 means no limit; default 256)",
     ""},
    {"--threads", "N", StepArgument::Required, parseThreads, setThreads, 0,
     "run pixel work on at most N threads (0..64; 0, the default, means one per core)", ""},
};

} // namespace

const BatchStep& openFileStep() { return kOpenFile; }
const BatchStep& newDocumentStep() { return kNewDocument; }
std::span<const BatchStep> documentSteps() { return kDocumentSteps; }

} // namespace pict::batch
