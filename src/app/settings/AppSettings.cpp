#include "app/settings/AppSettings.h"

#include "app/settings/AtomicFileWrite.h"

#include <tinyxml2.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>

namespace pict {
namespace {

constexpr const char* kRootName = "BrindlemossSettingsV1";

// ---- reading attribute text ----

// Decimal integer with optional sign and surrounding spaces; out-of-range values saturate so
// that clamping still sees a huge value as huge. False when no digits are found.
bool parseInt64(const char* text, int64_t& out) {
    while (*text == ' ' || *text == '\t')
        ++text;
    const char* end = text + std::strlen(text);
    if (*text == '+')
        ++text;
    auto [ptr, ec] = std::from_chars(text, end, out);
    if (ec == std::errc::result_out_of_range) {
        out = *text == '-' ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
        return true;
    }
    return ec == std::errc() && ptr != text;
}

bool readInt(const tinyxml2::XMLElement& e, const char* name, int64_t& out) {
    const char* text = e.Attribute(name);
    return text && parseInt64(text, out);
}

bool readInt32(const tinyxml2::XMLElement& e, const char* name, int32_t& out) {
    int64_t v = 0;
    if (!readInt(e, name, v) || v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return false;
    out = static_cast<int32_t>(v);
    return true;
}

// Reals are read without regard to the process locale; a value that is not a finite
// number does not count as present.
bool readFloat(const tinyxml2::XMLElement& e, const char* name, float& out) {
    const char* text = e.Attribute(name);
    if (!text)
        return false;
    while (*text == ' ')
        ++text;
    const char* end = text + std::strlen(text);
    if (*text == '+')
        ++text;
    double v = 0;
    auto [ptr, ec] = std::from_chars(text, end, v);
    if (ec != std::errc() || ptr == text || !std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max())
        return false;
    out = static_cast<float>(v);
    return true;
}

void readClamped(const tinyxml2::XMLElement& e, const char* name, const IntOptionRange& range, int32_t& field) {
    int64_t v = 0;
    if (readInt(e, name, v))
        field = range.clamp(v);
}

void readBool(const tinyxml2::XMLElement& e, const char* name, bool& field) {
    int64_t v = 0;
    if (readInt(e, name, v))
        field = v != 0;
}

void readColor(const tinyxml2::XMLElement& e, const char* name, Color& field) {
    if (const char* text = e.Attribute(name))
        field = parseSettingsColor(text);
}

// ---- the four sections ----

void readApplication(const tinyxml2::XMLElement& e, ApplicationOptions& o) {
    readBool(e, "save_layout", o.saveLayout);
    readClamped(e, "max_recent_files", kMaxRecentFilesRange, o.maxRecentFiles);
    readColor(e, "doc_window_bg_color", o.documentWindowBackground);
    readColor(e, "image_border_color", o.imageBorder);
    readColor(e, "default_fg_color", o.defaultForeground);
    readColor(e, "default_bg_color", o.defaultBackground);
    readClamped(e, "nb_history_states", kHistoryStatesRange, o.historyStates);
    readClamped(e, "pixel_similarity_tolerance", kSimilarityToleranceRange, o.pixelSimilarityTolerance);
    readClamped(e, "pixel_threads", kPixelThreadsRange, o.pixelThreads);
    readClamped(e, "history_memory", kHistoryMemoryRange, o.historyMemory);
    readClamped(e, "autosave_minutes", kAutosaveMinutesRange, o.autosaveMinutes);
    readClamped(e, "large_picture_mib", kLargePictureRange, o.largePictureMiB);
}

void readSaving(const tinyxml2::XMLElement& e, SaveOptions& o) {
    static constexpr IntOptionRange kQuality{1, JpegSaveSettings::kQualityMax, JpegSaveSettings::kQualityDefault};
    static constexpr IntOptionRange kSubsampling{0, 2, 0}, kPngCompression{0, 2, 1};
    readClamped(e, "jpeg_quality", kQuality, o.jpeg.quality);
    int32_t subsampling = static_cast<int32_t>(o.jpeg.subsampling);
    readClamped(e, "jpeg_subsampling", kSubsampling, subsampling);
    o.jpeg.subsampling = static_cast<ChromaSubsampling>(subsampling);
    readBool(e, "jpeg_progressive", o.jpeg.progressive);
    readBool(e, "keep_metadata", o.keepMetadata);
    readBool(e, "remove_location", o.removeLocation);
    int32_t compression = static_cast<int32_t>(o.pngCompression);
    readClamped(e, "png_compression", kPngCompression, compression);
    o.pngCompression = static_cast<PngCompression>(compression);
    static constexpr IntOptionRange kWebpQuality{WebpSaveSettings::kQualityMin, WebpSaveSettings::kQualityMax,
                                                 WebpSaveSettings::kQualityDefault};
    readClamped(e, "webp_quality", kWebpQuality, o.webp.quality);
    readBool(e, "webp_lossless", o.webp.lossless);
    static constexpr TiffSaveSettings kTiffDefault;
    static constexpr IntOptionRange kTiffCompression{0, kTiffCompressionCount - 1,
                                                     static_cast<int32_t>(kTiffDefault.compression)},
        kTiffDepth{0, kTiffDepthCount - 1, static_cast<int32_t>(kTiffDefault.depth)},
        kTiffColor{0, kTiffColorCount - 1, static_cast<int32_t>(kTiffDefault.color)};
    int32_t tiffCompression = static_cast<int32_t>(o.tiff.compression);
    int32_t tiffDepth = static_cast<int32_t>(o.tiff.depth);
    int32_t tiffColor = static_cast<int32_t>(o.tiff.color);
    readClamped(e, "tiff_compression", kTiffCompression, tiffCompression);
    readClamped(e, "tiff_depth", kTiffDepth, tiffDepth);
    readClamped(e, "tiff_color", kTiffColor, tiffColor);
    const TiffSaveSettings tiff{static_cast<TiffCompression>(tiffCompression), static_cast<TiffDepth>(tiffDepth),
                                static_cast<TiffColor>(tiffColor)};
    // Choices that cannot go together (a file edited by hand) give way to the defaults.
    o.tiff = tiffSettingsRefusal(tiff).empty() ? tiff : TiffSaveSettings{};
}

void readMainFrame(const tinyxml2::XMLElement& e, MainWindowState& s) {
    int64_t x = 0, y = 0, w = 0, h = 0;
    readInt(e, "x", x);
    readInt(e, "y", y);
    readInt(e, "width", w);
    readInt(e, "height", h);
    // Each value is first held to int32 so that the sums below cannot overflow and a hostile
    // file cannot wrap an edge around.
    auto to32 = [](int64_t v) {
        return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                         std::numeric_limits<int32_t>::max()));
    };
    x = to32(x);
    y = to32(y);
    w = to32(w);
    h = to32(h);
    s.rect = Rect{to32(std::min(x, x + w)), to32(std::min(y, y + h)), to32(std::max(x, x + w)), to32(std::max(y, y + h))};
    readBool(e, "maximized", s.maximized);
    readBool(e, "show_toolbar", s.showToolbar);
    readBool(e, "show_statusbar", s.showStatusBar);
}

// All eight attributes must be there; a unit or background outside its list makes the
// preset as unusable as a missing value.
bool readPreset(const tinyxml2::XMLElement& e, ImagePreset& p) {
    const char* name = e.Attribute("name");
    int32_t du = 0, ru = 0, bg = 0;
    if (!name || !readInt32(e, "id", p.id) || !readFloat(e, "width", p.width) || !readFloat(e, "height", p.height) ||
        !readInt32(e, "du", du) || !readFloat(e, "resolution", p.resolution) || !readInt32(e, "ru", ru) ||
        !readInt32(e, "bg", bg))
        return false;
    if (!isValidSizeUnit(du) || !isValidResolutionUnit(ru) || !isValidBackground(bg))
        return false;
    p.name = name;
    p.sizeUnit = static_cast<SizeUnit>(du);
    p.resolutionUnit = static_cast<ResolutionUnit>(ru);
    p.background = static_cast<NewImageBackground>(bg);
    return true;
}

void readPresets(const tinyxml2::XMLElement& section, PresetList& presets) {
    for (const tinyxml2::XMLElement* e = section.FirstChildElement(); e; e = e->NextSiblingElement()) {
        if (std::strcmp(e->Name(), "Preset") != 0)
            continue;
        ImagePreset preset;
        if (!readPreset(*e, preset) || !presets.add(preset)) {
            presets.clear();
            return;
        }
    }
}

void readRecentFiles(const tinyxml2::XMLElement& section, RecentFileList& recent) {
    for (const tinyxml2::XMLElement* e = section.FirstChildElement(); e; e = e->NextSiblingElement()) {
        if (std::strcmp(e->Name(), "File") != 0)
            continue;
        if (const char* path = e->Attribute("path"))
            recent.append(path);
    }
}

template <typename Visit>
void forEachNamedChild(const tinyxml2::XMLElement& root, const char* section, const char* item, Visit visit) {
    if (const tinyxml2::XMLElement* s = root.FirstChildElement(section))
        for (const tinyxml2::XMLElement* e = s->FirstChildElement(); e; e = e->NextSiblingElement())
            if (std::strcmp(e->Name(), item) == 0)
                visit(*e);
}

// ---- writing ----

std::string formatReal(float v) {
    char text[64];
    auto [ptr, ec] = std::to_chars(text, text + sizeof text, static_cast<double>(v), std::chars_format::fixed, 6);
    return ec == std::errc() ? std::string(text, ptr) : std::string("0.000000");
}

} // namespace

std::string formatSettingsColor(Color color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", unsigned(color.red), unsigned(color.green), unsigned(color.blue));
    return text;
}

Color parseSettingsColor(const char* text) {
    size_t length = std::strlen(text);
    if (length == 7) {
        ++text;
        --length;
    }
    if (length < 6)
        return kBlack;
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    uint32_t rgb = 0;
    for (int i = 0; i < 6; ++i) {
        int digit = hex(text[i]);
        if (digit < 0)
            return kBlack;
        rgb = (rgb << 4) | static_cast<uint32_t>(digit);
    }
    return Color::fromRgb(rgb);
}

bool AppSettings::loadFromText(const std::string& xml) {
    tinyxml2::XMLDocument doc;
    if (doc.Parse(xml.data(), xml.size()) != tinyxml2::XML_SUCCESS)
        return false;
    const tinyxml2::XMLElement* root = doc.RootElement();
    if (!root || std::strcmp(root->Name(), kRootName) != 0)
        return false;

    AppSettings fresh;
    forEachNamedChild(*root, "Options", "Application", [&](const auto& e) { readApplication(e, fresh.options); });
    forEachNamedChild(*root, "Options", "Saving", [&](const auto& e) { readSaving(e, fresh.saving); });
    forEachNamedChild(*root, "States", "MainFrame", [&](const auto& e) { readMainFrame(e, fresh.mainWindow); });
    forEachNamedChild(*root, "States", "FileDialog", [&](const auto& e) {
        if (const char* folder = e.Attribute("folder"))
            fresh.lastFolder = folder;
    });
    if (const tinyxml2::XMLElement* section = root->FirstChildElement("ImagePresets"))
        readPresets(*section, fresh.presets);
    if (const tinyxml2::XMLElement* section = root->FirstChildElement("RecentFiles"))
        readRecentFiles(*section, fresh.recentFiles);
    if (const tinyxml2::XMLElement* section = root->FirstChildElement("ToolOptions"))
        for (const tinyxml2::XMLElement* e = section->FirstChildElement("Tool"); e; e = e->NextSiblingElement("Tool")) {
            int64_t value = 0;
            const char* key = e->Attribute("key");
            if (key && readInt(*e, "value", value))
                setToolOption(fresh.tools, key, value); // unknown keys are left alone
        }
    fresh.loaded_ = true;
    *this = std::move(fresh);
    return true;
}

bool AppSettings::loadFromFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        return false;
    return loadFromText(text.str());
}

std::string AppSettings::toText() const {
    tinyxml2::XMLDocument doc;
    doc.InsertEndChild(doc.NewDeclaration("xml version=\"1.0\" encoding=\"UTF-8\""));
    tinyxml2::XMLElement* root = doc.NewElement(kRootName);
    doc.InsertEndChild(root);

    tinyxml2::XMLElement* optionsSection = root->InsertNewChildElement("Options");
    tinyxml2::XMLElement* app = optionsSection->InsertNewChildElement("Application");
    app->SetAttribute("save_layout", options.saveLayout ? 1 : 0);
    app->SetAttribute("max_recent_files", options.maxRecentFiles);
    app->SetAttribute("doc_window_bg_color", formatSettingsColor(options.documentWindowBackground).c_str());
    app->SetAttribute("image_border_color", formatSettingsColor(options.imageBorder).c_str());
    app->SetAttribute("default_fg_color", formatSettingsColor(options.defaultForeground).c_str());
    app->SetAttribute("default_bg_color", formatSettingsColor(options.defaultBackground).c_str());
    app->SetAttribute("nb_history_states", options.historyStates);
    app->SetAttribute("pixel_similarity_tolerance", options.pixelSimilarityTolerance);
    app->SetAttribute("pixel_threads", options.pixelThreads);
    app->SetAttribute("history_memory", options.historyMemory);
    app->SetAttribute("autosave_minutes", options.autosaveMinutes);
    app->SetAttribute("large_picture_mib", options.largePictureMiB);
    tinyxml2::XMLElement* save = optionsSection->InsertNewChildElement("Saving");
    save->SetAttribute("jpeg_quality", saving.jpeg.quality);
    save->SetAttribute("jpeg_subsampling", static_cast<int32_t>(saving.jpeg.subsampling));
    save->SetAttribute("jpeg_progressive", saving.jpeg.progressive ? 1 : 0);
    save->SetAttribute("keep_metadata", saving.keepMetadata ? 1 : 0);
    save->SetAttribute("remove_location", saving.removeLocation ? 1 : 0);
    save->SetAttribute("png_compression", static_cast<int32_t>(saving.pngCompression));
    save->SetAttribute("webp_quality", saving.webp.quality);
    save->SetAttribute("webp_lossless", saving.webp.lossless ? 1 : 0);
    save->SetAttribute("tiff_compression", static_cast<int32_t>(saving.tiff.compression));
    save->SetAttribute("tiff_depth", static_cast<int32_t>(saving.tiff.depth));
    save->SetAttribute("tiff_color", static_cast<int32_t>(saving.tiff.color));

    tinyxml2::XMLElement* states = root->InsertNewChildElement("States");
    tinyxml2::XMLElement* frame = states->InsertNewChildElement("MainFrame");
    const Rect r = mainWindow.rect.normalized();
    frame->SetAttribute("x", r.left);
    frame->SetAttribute("y", r.top);
    frame->SetAttribute("width", static_cast<int64_t>(r.right) - r.left);
    frame->SetAttribute("height", static_cast<int64_t>(r.bottom) - r.top);
    frame->SetAttribute("maximized", mainWindow.maximized ? 1 : 0);
    frame->SetAttribute("show_toolbar", mainWindow.showToolbar ? 1 : 0);
    frame->SetAttribute("show_statusbar", mainWindow.showStatusBar ? 1 : 0);
    if (!lastFolder.empty())
        states->InsertNewChildElement("FileDialog")->SetAttribute("folder", lastFolder.c_str());

    tinyxml2::XMLElement* presetSection = root->InsertNewChildElement("ImagePresets");
    for (const ImagePreset& p : presets.all()) {
        tinyxml2::XMLElement* e = presetSection->InsertNewChildElement("Preset");
        e->SetAttribute("name", p.name.c_str());
        e->SetAttribute("id", p.id);
        e->SetAttribute("width", formatReal(p.width).c_str());
        e->SetAttribute("height", formatReal(p.height).c_str());
        e->SetAttribute("du", static_cast<int32_t>(p.sizeUnit));
        e->SetAttribute("resolution", formatReal(p.resolution).c_str());
        e->SetAttribute("ru", static_cast<int32_t>(p.resolutionUnit));
        e->SetAttribute("bg", static_cast<int32_t>(p.background));
    }

    tinyxml2::XMLElement* recentSection = root->InsertNewChildElement("RecentFiles");
    for (const std::string& path : recentFiles.all())
        recentSection->InsertNewChildElement("File")->SetAttribute("path", path.c_str());

    // Only the tool settings the user changed: a file of someone who never touched the tool
    // options bar has no such section at all.
    const ToolOptions defaults;
    tinyxml2::XMLElement* toolSection = nullptr;
    for (const ToolOptionField& field : toolOptionFields()) {
        if (field.get(tools) == field.get(defaults))
            continue;
        if (!toolSection)
            toolSection = root->InsertNewChildElement("ToolOptions");
        tinyxml2::XMLElement* e = toolSection->InsertNewChildElement("Tool");
        e->SetAttribute("key", field.key);
        e->SetAttribute("value", field.get(tools));
    }

    tinyxml2::XMLPrinter printer;
    doc.Print(&printer);
    return std::string(printer.CStr(), static_cast<size_t>(printer.CStrSize() > 0 ? printer.CStrSize() - 1 : 0));
}

bool AppSettings::saveToFile(const std::filesystem::path& file) const {
    try {
        return writeFileAtomically(file, toText());
    } catch (const std::bad_alloc&) {
        return false;
    }
}

MainWindowState captureMainWindowState(const Rect& restoredRect, const Rect& workArea, bool maximized,
                                       bool toolbarVisible, bool statusBarVisible) {
    MainWindowState state;
    Rect clipped = restoredRect.normalized().intersected(workArea);
    state.rect = clipped.isEmpty() ? workArea : clipped;
    state.maximized = maximized;
    state.showToolbar = toolbarVisible;
    state.showStatusBar = statusBarVisible;
    return state;
}

} // namespace pict
