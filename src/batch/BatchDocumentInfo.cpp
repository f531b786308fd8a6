#include "batch/BatchDocumentInfo.h"

#include "app/session/DocumentSession.h"
#include "app/dialogs/ImageSizeSettings.h"
#include "document/Document.h"
#include "history/HistoryManager.h"
#include "selection/SelectionController.h"
#include "surface/BlendModes.h"

#include <charconv>
#include <cstdio>

namespace pict::batch {

namespace {

// Length of the valid UTF-8 sequence starting at text[at], 0 when it is not one.
size_t utf8SequenceLength(std::string_view text, size_t at) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(at);
    size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                  : lead >= 0xF0 && lead <= 0xF4   ? 4
                                                                   : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k)
        if ((byte(at + k) & 0xC0) != 0x80)
            return 0;
    // Overlong three- and four-byte forms, surrogates and values above U+10FFFF.
    const unsigned char second = length > 1 ? byte(at + 1) : 0;
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

class JsonObject {
public:
    explicit JsonObject(std::string& out) : out_(out) { out_ += '{'; }
    ~JsonObject() { out_ += '}'; }

    std::string& key(std::string_view name) {
        if (!first_)
            out_ += ',';
        first_ = false;
        out_ += jsonString(name);
        out_ += ':';
        return out_;
    }
    void field(std::string_view name, std::string_view text) { key(name) += jsonString(text); }
    void field(std::string_view name, const char* text) { key(name) += jsonString(text ? text : ""); }
    void field(std::string_view name, bool value) { key(name) += value ? "true" : "false"; }
    void field(std::string_view name, int64_t value) { key(name) += std::to_string(value); }
    void field(std::string_view name, int32_t value) { field(name, int64_t(value)); }
    void field(std::string_view name, float value) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        key(name).append(buffer, result.ptr);
    }

private:
    std::string& out_;
    bool first_ = true;
};

const char* layerKindName(const Layer& layer) {
    if (!layer.isLive())
        return "removed";
    return layer.isRaster() ? "raster" : "empty";
}

void appendLayer(std::string& out, const Layer& layer) {
    JsonObject o(out);
    o.field("name", layer.name());
    o.field("kind", layerKindName(layer));
    o.field("x", layer.x());
    o.field("y", layer.y());
    o.field("width", layer.size().width);
    o.field("height", layer.size().height);
    o.field("visible", layer.isVisible());
    o.field("blendMode", blendModeName(layer.blendMode()));
    o.field("opacity", int32_t(layer.opacity()));
    o.field("background", layer.isBackground());
    const RasterLayer* raster = layer.asRaster();
    o.field("hasTransparencyMask", raster != nullptr && raster->transparencyMask() != nullptr);
}

void appendSelection(std::string& out, const SelectionController& selection) {
    if (selection.isEmpty()) {
        out += "null";
        return;
    }
    const Rect bounds = selection.area().bounds;
    JsonObject o(out);
    o.field("left", bounds.left);
    o.field("top", bounds.top);
    o.field("right", bounds.right);
    o.field("bottom", bounds.bottom);
}

void appendHistory(std::string& out, const HistoryManager& history) {
    JsonObject o(out);
    o.field("position", history.position());
    o.field("count", history.count());
    std::string& names = o.key("names");
    names += '[';
    for (int32_t k = 0; k < history.count(); ++k) {
        if (k)
            names += ',';
        names += jsonString(history.stateAt(k)->name());
    }
    names += ']';
}

} // namespace

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (size_t k = 0; k < text.size();) {
        const char c = text[k];
        const size_t length = utf8SequenceLength(text, k);
        if (length == 0) {
            out += "\\ufffd";
            ++k;
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out.append(text.substr(k, length));
        }
        k += length;
    }
    out += '"';
    return out;
}

std::string documentInfoJson(const DocumentSession& session) {
    const Document& document = session.document();
    const DocumentInfo& info = document.info();
    std::string out;
    {
        JsonObject o(out);
        o.field("width", info.width);
        o.field("height", info.height);
        o.field("resolution", info.resolution);
        o.field("unit", resolutionUnitName(info.resolutionUnit));
        o.field("name", info.name);
        o.field("modified", document.isModified());

        const LayerStack* layers = document.layersIfAny();
        std::string& list = o.key("layers");
        list += '[';
        for (int32_t k = 0; layers && k < layers->count(); ++k) {
            if (k)
                list += ',';
            appendLayer(list, *layers->layerAt(k));
        }
        list += ']';
        o.field("activeLayer", layers ? layers->activeIndex() : -1);
        appendSelection(o.key("selection"), session.selection());

        const AlphaChannelList* channels = document.channelsIfAny();
        std::string& names = o.key("channels");
        names += '[';
        for (int32_t k = 0; channels && k < channels->count(); ++k) {
            if (k)
                names += ',';
            names += jsonString(channels->at(k)->name());
        }
        names += ']';
        appendHistory(o.key("history"), session.history());
    }
    return out;
}

} // namespace pict::batch
