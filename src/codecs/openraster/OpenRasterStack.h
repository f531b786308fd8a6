#pragma once
// The two XML files of a layered archive as plain records: the standard "stack.xml" (the
// canvas and the layer tree, topmost first) and this program's own "pictorane/document.xml"
// (what other programs have no place for). Parsing refuses document type declarations (and
// with them every entity) and nesting deeper than a small limit.

#include "document/ResolutionUnit.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pict {

// Layer groups nested deeper than this are refused.
inline constexpr int32_t kMaxStackDepth = 32;

struct OraStackEntry {
    bool isGroup = false;
    std::string name;
    std::string src; // a layer's PNG; empty for a group
    int32_t x = 0;
    int32_t y = 0;
    double opacity = 1.0;
    bool visible = true;
    std::string compositeOp; // empty when the file gave none
    bool selected = false;
    // This program's own layer attributes.
    bool background = false;
    bool empty = false;
    std::vector<OraStackEntry> children; // a group's entries, topmost first
};

struct OraStack {
    int32_t width = 0;
    int32_t height = 0;
    double xres = 72.0; // pixels per inch
    double yres = 72.0;
    std::vector<OraStackEntry> entries; // topmost first
};

// The opacity attribute of a byte: the shortest decimal that reads back to the same byte.
std::string opacityText(uint8_t opacity);
// The byte of an opacity attribute (clamped to 0..1, rounded to nearest).
uint8_t opacityByte(double opacity);

std::string writeStackXml(const OraStack& stack);
bool parseStackXml(std::string_view text, OraStack& stack, std::string& error);

// ---- pictorane/document.xml ----

struct OraChannelEntry {
    std::string name;
    std::string src;
};

struct OraBlobEntry {
    std::string kind; // "exif", "xmp", "icc", "comment" or "text"
    std::string src;
    // For "text": the PNG chunk's fields.
    std::string keyword;
    std::string language;
    std::string translatedKeyword;
    std::string chunk; // "tEXt", "zTXt" or "iTXt"
    bool compressed = false;
};

struct OraOwnDocument {
    double resolution = 72.0;
    ResolutionUnit resolutionUnit = ResolutionUnit::PixelsPerInch; // "inch" or "cm" in the file
    std::vector<OraChannelEntry> channels;
    std::vector<OraBlobEntry> metadata;
};

std::string writeOwnDocumentXml(const OraOwnDocument& document);
bool parseOwnDocumentXml(std::string_view text, OraOwnDocument& document, std::string& error);

} // namespace pict
