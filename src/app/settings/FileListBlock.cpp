#include "app/settings/FileListBlock.h"

#include <cstring>

namespace pict {
namespace {

void putLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t getLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::optional<std::u16string> utf8ToUtf16(const std::string& text) {
    std::u16string out;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        unsigned char lead = *p++;
        char32_t c;
        int extra;
        char32_t minimum;
        if (lead < 0x80) {
            c = lead, extra = 0, minimum = 0;
        } else if ((lead & 0xE0) == 0xC0) {
            c = lead & 0x1F, extra = 1, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            c = lead & 0x0F, extra = 2, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            c = lead & 0x07, extra = 3, minimum = 0x10000;
        } else {
            return std::nullopt;
        }
        if (end - p < extra)
            return std::nullopt;
        for (int i = 0; i < extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (p[i] & 0x3F);
        }
        p += extra;
        if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return std::nullopt;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    return out;
}

FileListBlock buildFileListBlock(const std::vector<std::string>& paths) {
    FileListBlock block;
    std::vector<std::u16string> accepted;
    for (const std::string& path : paths) {
        std::optional<std::u16string> wide = utf8ToUtf16(path);
        // The slot must keep its terminating NUL, and an embedded NUL would cut the path.
        if (!wide || wide->empty() || wide->size() >= kFileListSlotUnits || wide->find(u'\0') != std::u16string::npos)
            block.rejected.push_back(path);
        else
            accepted.push_back(std::move(*wide));
    }
    if (accepted.empty())
        return block;
    const size_t total = kFileListHeaderBytes + accepted.size() * kFileListSlotBytes;
    block.bytes.assign(total, 0);
    std::memcpy(block.bytes.data(), "VFPP", 4);
    putLe32(block.bytes.data() + 4, static_cast<uint32_t>(total));
    putLe32(block.bytes.data() + 8, static_cast<uint32_t>(accepted.size()));
    uint8_t* slot = block.bytes.data() + kFileListHeaderBytes;
    for (const std::u16string& wide : accepted) {
        for (size_t i = 0; i < wide.size(); ++i) {
            slot[2 * i] = static_cast<uint8_t>(wide[i]);
            slot[2 * i + 1] = static_cast<uint8_t>(wide[i] >> 8);
        }
        slot += kFileListSlotBytes;
    }
    return block;
}

std::optional<std::vector<std::string>> parseFileListBlock(std::span<const uint8_t> bytes) {
    if (bytes.size() < kFileListHeaderBytes || std::memcmp(bytes.data(), "VFPP", 4) != 0)
        return std::nullopt;
    const uint64_t size = getLe32(bytes.data() + 4);
    const uint64_t count = getLe32(bytes.data() + 8);
    if (size != bytes.size() || count < 1 || size != count * kFileListSlotBytes + kFileListHeaderBytes)
        return std::nullopt;
    std::vector<std::string> paths;
    const uint8_t* slot = bytes.data() + kFileListHeaderBytes;
    for (uint64_t n = 0; n < count; ++n, slot += kFileListSlotBytes) {
        std::u16string wide;
        size_t i = 0;
        for (; i < kFileListSlotUnits; ++i) {
            char16_t unit = static_cast<char16_t>(slot[2 * i] | slot[2 * i + 1] << 8);
            if (unit == 0)
                break;
            wide += unit;
        }
        if (i == kFileListSlotUnits)
            return std::nullopt;
        if (!wide.empty())
            paths.push_back(utf16ToUtf8(wide));
    }
    return paths;
}

} // namespace pict
