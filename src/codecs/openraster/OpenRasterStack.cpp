#include "codecs/openraster/OpenRasterStack.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace pict {

namespace {

using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

constexpr const char* kOwnNamespace = "http://pictorane.org/ns/openraster/1.0";
constexpr const char* kFormatVersion = "0.0.5";

std::string printed(XMLDocument& document) {
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    return std::string(printer.CStr(), size_t(printer.CStrSize() > 0 ? printer.CStrSize() - 1 : 0));
}

// Entities are how XML grows from a few bytes into gigabytes, and nothing the format needs
// uses them: a document type declaration is refused outright.
bool parseSafely(std::string_view text, XMLDocument& document, std::string& error) {
    if (text.find("<!DOCTYPE") != std::string_view::npos || text.find("<!ENTITY") != std::string_view::npos) {
        error = "declares XML entities, which are not accepted";
        return false;
    }
    if (document.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS) {
        error = document.ErrorID() == tinyxml2::XML_ELEMENT_DEPTH_EXCEEDED
                    ? std::string("nests its elements too deeply")
                    : std::string("is not well-formed XML (") + document.ErrorName() + ")";
        return false;
    }
    return true;
}

const char* text(const XMLElement& element, const char* name) {
    const char* value = element.Attribute(name);
    return value ? value : "";
}

// Integer positions; a program that writes "12.0" still gets its layer where it meant.
int32_t coordinate(const XMLElement& element, const char* name) {
    double value = 0;
    if (element.QueryDoubleAttribute(name, &value) != tinyxml2::XML_SUCCESS || !std::isfinite(value))
        return 0;
    return int32_t(std::clamp(std::round(value), -1.0e9, 1.0e9));
}

bool flag(const XMLElement& element, const char* name) { return element.BoolAttribute(name, false); }

void writeEntry(XMLDocument& document, XMLElement& parent, const OraStackEntry& entry) {
    XMLElement* element = document.NewElement(entry.isGroup ? "stack" : "layer");
    element->SetAttribute("name", entry.name.c_str());
    if (!entry.isGroup)
        element->SetAttribute("src", entry.src.c_str());
    element->SetAttribute("x", entry.x);
    element->SetAttribute("y", entry.y);
    element->SetAttribute("opacity", opacityText(opacityByte(entry.opacity)).c_str());
    element->SetAttribute("visibility", entry.visible ? "visible" : "hidden");
    element->SetAttribute("composite-op", entry.compositeOp.empty() ? "svg:src-over" : entry.compositeOp.c_str());
    if (entry.selected)
        element->SetAttribute("selected", "true");
    if (entry.background)
        element->SetAttribute("pictorane:background", "true");
    if (entry.empty)
        element->SetAttribute("pictorane:empty", "true");
    for (const OraStackEntry& child : entry.children)
        writeEntry(document, *element, child);
    parent.InsertEndChild(element);
}

bool readEntries(const XMLElement& stackElement, std::vector<OraStackEntry>& entries, int32_t depth,
                 std::string& error) {
    if (depth > kMaxStackDepth) {
        error = "nests layer groups more than " + std::to_string(kMaxStackDepth) + " deep";
        return false;
    }
    for (const XMLElement* child = stackElement.FirstChildElement(); child; child = child->NextSiblingElement()) {
        const std::string_view tag = child->Name();
        const bool group = tag == "stack";
        if (!group && tag != "layer")
            continue; // text, filters and whatever else a later version adds
        OraStackEntry entry;
        entry.isGroup = group;
        entry.name = text(*child, "name");
        entry.src = group ? "" : text(*child, "src");
        entry.x = coordinate(*child, "x");
        entry.y = coordinate(*child, "y");
        double opacity = 1.0;
        if (child->QueryDoubleAttribute("opacity", &opacity) == tinyxml2::XML_SUCCESS && std::isfinite(opacity))
            entry.opacity = opacity;
        entry.visible = std::string_view(text(*child, "visibility")) != "hidden";
        entry.compositeOp = text(*child, "composite-op");
        entry.selected = flag(*child, "selected");
        entry.background = flag(*child, "pictorane:background");
        entry.empty = flag(*child, "pictorane:empty");
        if (!group && entry.src.empty()) {
            error = "has a layer \"" + entry.name + "\" without pixels (no src)";
            return false;
        }
        if (group && !readEntries(*child, entry.children, depth + 1, error))
            return false;
        entries.push_back(std::move(entry));
    }
    return true;
}

} // namespace

std::string opacityText(uint8_t opacity) {
    // Six decimals always read back to the same byte; trailing zeros are dropped.
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.6f", opacity / 255.0);
    std::string value = buffer;
    while (value.size() > 1 && value.back() == '0')
        value.pop_back();
    if (value.back() == '.')
        value.pop_back();
    return value;
}

uint8_t opacityByte(double opacity) {
    if (!std::isfinite(opacity))
        return 255;
    return uint8_t(std::lround(std::clamp(opacity, 0.0, 1.0) * 255.0));
}

std::string writeStackXml(const OraStack& stack) {
    XMLDocument document;
    document.InsertEndChild(document.NewDeclaration());
    XMLElement* image = document.NewElement("image");
    image->SetAttribute("version", kFormatVersion);
    image->SetAttribute("w", stack.width);
    image->SetAttribute("h", stack.height);
    image->SetAttribute("xres", stack.xres);
    image->SetAttribute("yres", stack.yres);
    image->SetAttribute("xmlns:pictorane", kOwnNamespace);
    document.InsertEndChild(image);
    XMLElement* root = document.NewElement("stack");
    image->InsertEndChild(root);
    for (const OraStackEntry& entry : stack.entries)
        writeEntry(document, *root, entry);
    return printed(document);
}

bool parseStackXml(std::string_view textValue, OraStack& stack, std::string& error) {
    stack = {};
    XMLDocument document;
    if (!parseSafely(textValue, document, error))
        return false;
    const XMLElement* image = document.RootElement();
    if (!image || std::string_view(image->Name()) != "image") {
        error = "has no image element";
        return false;
    }
    int64_t width = 0, height = 0;
    if (image->QueryInt64Attribute("w", &width) != tinyxml2::XML_SUCCESS ||
        image->QueryInt64Attribute("h", &height) != tinyxml2::XML_SUCCESS) {
        error = "gives no canvas size";
        return false;
    }
    if (width < 1 || height < 1 || width > 30000 || height > 30000) {
        error = "gives a canvas of " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels (each side must be 1 to 30000)";
        return false;
    }
    stack.width = int32_t(width);
    stack.height = int32_t(height);
    stack.xres = image->DoubleAttribute("xres", 72.0);
    stack.yres = image->DoubleAttribute("yres", stack.xres);
    const XMLElement* root = image->FirstChildElement("stack");
    if (!root) {
        error = "has no layer stack";
        return false;
    }
    return readEntries(*root, stack.entries, 1, error);
}

std::string writeOwnDocumentXml(const OraOwnDocument& own) {
    XMLDocument document;
    document.InsertEndChild(document.NewDeclaration());
    XMLElement* root = document.NewElement("pictorane");
    root->SetAttribute("version", 1);
    root->SetAttribute("resolution", own.resolution);
    root->SetAttribute("resolution-unit",
                       own.resolutionUnit == ResolutionUnit::PixelsPerCentimeter ? "cm" : "inch");
    document.InsertEndChild(root);
    for (const OraChannelEntry& channel : own.channels) {
        XMLElement* element = document.NewElement("channel");
        element->SetAttribute("name", channel.name.c_str());
        element->SetAttribute("src", channel.src.c_str());
        root->InsertEndChild(element);
    }
    for (const OraBlobEntry& blob : own.metadata) {
        XMLElement* element = document.NewElement("metadata");
        element->SetAttribute("kind", blob.kind.c_str());
        element->SetAttribute("src", blob.src.c_str());
        if (blob.kind == "text") {
            element->SetAttribute("chunk", blob.chunk.c_str());
            element->SetAttribute("keyword", blob.keyword.c_str());
            if (blob.chunk == "iTXt") {
                element->SetAttribute("language", blob.language.c_str());
                element->SetAttribute("translated-keyword", blob.translatedKeyword.c_str());
                element->SetAttribute("compressed", blob.compressed);
            }
        }
        root->InsertEndChild(element);
    }
    return printed(document);
}

bool parseOwnDocumentXml(std::string_view textValue, OraOwnDocument& own, std::string& error) {
    own = {};
    XMLDocument document;
    if (!parseSafely(textValue, document, error))
        return false;
    const XMLElement* root = document.RootElement();
    if (!root || std::string_view(root->Name()) != "pictorane") {
        error = "has no pictorane element";
        return false;
    }
    own.resolution = root->DoubleAttribute("resolution", 72.0);
    own.resolutionUnit = std::string_view(text(*root, "resolution-unit")) == "cm"
                             ? ResolutionUnit::PixelsPerCentimeter
                             : ResolutionUnit::PixelsPerInch;
    for (const XMLElement* child = root->FirstChildElement(); child; child = child->NextSiblingElement()) {
        const std::string_view tag = child->Name();
        if (tag == "channel") {
            own.channels.push_back({text(*child, "name"), text(*child, "src")});
        } else if (tag == "metadata") {
            OraBlobEntry blob;
            blob.kind = text(*child, "kind");
            blob.src = text(*child, "src");
            blob.chunk = text(*child, "chunk");
            blob.keyword = text(*child, "keyword");
            blob.language = text(*child, "language");
            blob.translatedKeyword = text(*child, "translated-keyword");
            blob.compressed = flag(*child, "compressed");
            own.metadata.push_back(std::move(blob));
        }
    }
    return true;
}

} // namespace pict
