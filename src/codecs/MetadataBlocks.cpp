#include "codecs/MetadataBlocks.h"

#include "codecs/ExifEditing.h"
#include "codecs/SaveOptions.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <new>
#include <string_view>

namespace pict {

namespace {

constexpr std::string_view kExifId("Exif\0\0", 6);
constexpr std::string_view kXmpId("http://ns.adobe.com/xap/1.0/\0", 29);
constexpr std::string_view kIccId("ICC_PROFILE\0", 12);
constexpr std::string_view kXmpKeyword = "XML:com.adobe.xmp";
constexpr std::string_view kCommentKeyword = "Comment";
constexpr uint8_t kSoi = 0xD8, kSos = 0xDA, kEoi = 0xD9, kApp0 = 0xE0, kApp1 = 0xE1, kApp2 = 0xE2, kCom = 0xFE;
constexpr size_t kMaxSegmentPayload = 65533; // a segment's 16-bit length counts itself
constexpr size_t kIccPiecePayload = kMaxSegmentPayload - kIccId.size() - 2;
constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// The texts a PNG save writes afresh.
constexpr std::string_view kProgramKeywords[] = {"Software", "Modification Time"};

uint32_t big32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

void putBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

bool startsWith(const uint8_t* data, size_t size, std::string_view id) {
    return size >= id.size() && std::memcmp(data, id.data(), id.size()) == 0;
}

std::string textOf(const uint8_t* data, size_t size) { return std::string(reinterpret_cast<const char*>(data), size); }

// zlib data inflated up to the cap; empty (and false) when it is broken or larger.
bool inflateCapped(const uint8_t* data, size_t size, std::string& out) {
    out.clear();
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return false;
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = uInt(size);
    char buffer[16384];
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        status = inflate(&z, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END)
            break;
        out.append(buffer, sizeof buffer - z.avail_out);
        if (out.size() > kMaxMetadataBlockBytes || (status == Z_OK && z.avail_in == 0 && z.avail_out != 0))
            break;
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END) {
        out.clear();
        return false;
    }
    return true;
}

std::string deflated(std::string_view text) {
    uLongf bound = compressBound(uLong(text.size()));
    std::string out(bound, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &bound, reinterpret_cast<const Bytef*>(text.data()),
                  uLong(text.size()), Z_BEST_COMPRESSION) != Z_OK)
        return {};
    out.resize(bound);
    return out;
}

// ---- JPEG ----

void appendSegment(std::vector<uint8_t>& out, uint8_t marker, std::string_view id, const uint8_t* data,
                   size_t size) {
    const size_t length = 2 + id.size() + size;
    out.insert(out.end(), {0xFF, marker, uint8_t(length >> 8), uint8_t(length)});
    out.insert(out.end(), id.begin(), id.end());
    out.insert(out.end(), data, data + size);
}

std::vector<uint8_t> jpegSegmentsOf(const ImageMetadata& m) {
    std::vector<uint8_t> out;
    if (!m.exif.empty() && m.exif.size() + kExifId.size() <= kMaxSegmentPayload)
        appendSegment(out, kApp1, kExifId, m.exif.data(), m.exif.size());
    if (!m.xmp.empty() && m.xmp.size() + kXmpId.size() <= kMaxSegmentPayload)
        appendSegment(out, kApp1, kXmpId, reinterpret_cast<const uint8_t*>(m.xmp.data()), m.xmp.size());
    const size_t pieces = (m.icc.size() + kIccPiecePayload - 1) / kIccPiecePayload;
    if (pieces <= 255)
        for (size_t i = 0; i < pieces; ++i) {
            const size_t start = i * kIccPiecePayload, length = std::min(kIccPiecePayload, m.icc.size() - start);
            std::string id(kIccId);
            id += char(i + 1);
            id += char(pieces);
            appendSegment(out, kApp2, id, m.icc.data() + start, length);
        }
    for (const std::string& comment : m.comments)
        if (comment.size() <= kMaxSegmentPayload)
            appendSegment(out, kCom, {}, reinterpret_cast<const uint8_t*>(comment.data()), comment.size());
    return out;
}

// ---- PNG ----

void appendChunk(std::vector<uint8_t>& out, const char type[5], std::string_view data) {
    putBig32(out, uint32_t(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0, out.data() + typeAt, uInt(4 + data.size()));
    putBig32(out, uint32_t(crc));
}

std::string nul(std::string_view text) { return std::string(text) + '\0'; }

std::vector<uint8_t> pngChunksOf(const ImageMetadata& m) {
    std::vector<uint8_t> out;
    if (!m.icc.empty()) {
        const std::string packed =
            deflated(std::string_view(reinterpret_cast<const char*>(m.icc.data()), m.icc.size()));
        if (!packed.empty())
            appendChunk(out, "iCCP", nul("ICC profile") + '\0' + packed);
    }
    if (!m.exif.empty())
        appendChunk(out, "eXIf", std::string_view(reinterpret_cast<const char*>(m.exif.data()), m.exif.size()));
    if (!m.xmp.empty())
        appendChunk(out, "iTXt", nul(kXmpKeyword) + std::string(2, '\0') + '\0' + '\0' + m.xmp);
    for (const std::string& comment : m.comments)
        appendChunk(out, "tEXt", nul(kCommentKeyword) + comment);
    for (const PngTextChunk& t : m.texts) {
        switch (t.kind) {
        case PngTextChunk::Kind::Plain: appendChunk(out, "tEXt", nul(t.keyword) + t.text); break;
        case PngTextChunk::Kind::Compressed: appendChunk(out, "zTXt", nul(t.keyword) + '\0' + deflated(t.text)); break;
        case PngTextChunk::Kind::International:
            appendChunk(out, "iTXt",
                        nul(t.keyword) + char(t.compressed ? 1 : 0) + '\0' + nul(t.language) +
                            nul(t.translatedKeyword) + (t.compressed ? deflated(t.text) : t.text));
            break;
        }
    }
    return out;
}

// One tEXt, zTXt or iTXt chunk's fields; false for a malformed one.
bool readTextChunk(std::string_view type, const uint8_t* data, size_t size, PngTextChunk& t) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const size_t keyEnd = all.find('\0');
    if (keyEnd == std::string_view::npos || keyEnd == 0 || keyEnd > 79)
        return false;
    t.keyword = std::string(all.substr(0, keyEnd));
    std::string_view rest = all.substr(keyEnd + 1);
    if (type == "tEXt") {
        t.kind = PngTextChunk::Kind::Plain;
        t.text = std::string(rest);
        return true;
    }
    if (type == "zTXt") {
        t.kind = PngTextChunk::Kind::Compressed;
        return !rest.empty() && rest[0] == 0 &&
               inflateCapped(reinterpret_cast<const uint8_t*>(rest.data() + 1), rest.size() - 1, t.text);
    }
    t.kind = PngTextChunk::Kind::International;
    if (rest.size() < 2)
        return false;
    t.compressed = rest[0] != 0;
    rest.remove_prefix(2);
    const size_t languageEnd = rest.find('\0');
    if (languageEnd == std::string_view::npos)
        return false;
    t.language = std::string(rest.substr(0, languageEnd));
    rest.remove_prefix(languageEnd + 1);
    const size_t translatedEnd = rest.find('\0');
    if (translatedEnd == std::string_view::npos)
        return false;
    t.translatedKeyword = std::string(rest.substr(0, translatedEnd));
    rest.remove_prefix(translatedEnd + 1);
    if (!t.compressed) {
        t.text = std::string(rest);
        return true;
    }
    return inflateCapped(reinterpret_cast<const uint8_t*>(rest.data()), rest.size(), t.text);
}

bool isProgramText(const std::string& keyword) {
    return std::find(std::begin(kProgramKeywords), std::end(kProgramKeywords), keyword) != std::end(kProgramKeywords);
}

// XMP without its GPS properties: every exif:GPS... attribute and element is taken out.
std::string withoutXmpLocation(std::string xmp) {
    static constexpr std::string_view kPrefix = "exif:GPS";
    for (size_t at = xmp.find(kPrefix); at != std::string::npos; at = xmp.find(kPrefix, at)) {
        const bool element = at > 0 && xmp[at - 1] == '<';
        const size_t nameEnd = xmp.find_first_of("=> \t\r\n/", at);
        if (nameEnd == std::string::npos)
            break;
        const std::string name = xmp.substr(at, nameEnd - at);
        if (element) {
            // <exif:GPSx ...>...</exif:GPSx> or <exif:GPSx .../>
            const size_t open = at - 1;
            const size_t selfClose = xmp.find("/>", at);
            const size_t tagEnd = xmp.find('>', at);
            size_t end = std::string::npos;
            if (tagEnd != std::string::npos && selfClose != std::string::npos && selfClose + 1 == tagEnd)
                end = tagEnd + 1;
            else if (const size_t close = xmp.find("</" + name + ">", at); close != std::string::npos)
                end = close + name.size() + 3;
            if (end == std::string::npos)
                break;
            xmp.erase(open, end - open);
            at = open;
        } else {
            // exif:GPSx="..." as an attribute
            const size_t quote = xmp.find_first_of("\"'", nameEnd);
            const size_t closing = quote == std::string::npos ? quote : xmp.find(xmp[quote], quote + 1);
            if (closing == std::string::npos)
                break;
            size_t start = at;
            while (start > 0 && (xmp[start - 1] == ' ' || xmp[start - 1] == '\t' || xmp[start - 1] == '\n' ||
                                 xmp[start - 1] == '\r'))
                --start;
            xmp.erase(start, closing + 1 - start);
            at = start;
        }
    }
    return xmp;
}

} // namespace

ImageMetadata readJpegMetadata(const uint8_t* data, size_t size) {
    ImageMetadata m;
    if (size < 4 || data[0] != 0xFF || data[1] != kSoi)
        return m;
    std::map<int, std::vector<uint8_t>> iccPieces;
    size_t iccBytes = 0;
    int iccCount = 0;
    size_t at = 2;
    try {
        while (at + 4 <= size) {
            if (data[at] != 0xFF)
                break;
            const uint8_t marker = data[at + 1];
            if (marker == 0xFF) { // fill byte
                ++at;
                continue;
            }
            if (marker == kSos || marker == kEoi)
                break;
            const size_t length = size_t(data[at + 2]) << 8 | data[at + 3];
            if (length < 2 || at + 2 + length > size)
                break;
            const uint8_t* payload = data + at + 4;
            const size_t bytes = length - 2;
            if (marker == kApp1 && startsWith(payload, bytes, kExifId) && m.exif.empty())
                m.exif.assign(payload + kExifId.size(), payload + bytes);
            else if (marker == kApp1 && startsWith(payload, bytes, kXmpId) && m.xmp.empty())
                m.xmp = textOf(payload + kXmpId.size(), bytes - kXmpId.size());
            else if (marker == kApp2 && startsWith(payload, bytes, kIccId) && bytes >= kIccId.size() + 2) {
                const int sequence = payload[kIccId.size()];
                iccCount = payload[kIccId.size() + 1];
                iccBytes += bytes;
                if (iccBytes <= kMaxMetadataBlockBytes)
                    iccPieces[sequence].assign(payload + kIccId.size() + 2, payload + bytes);
            } else if (marker == kCom) {
                m.comments.push_back(textOf(payload, bytes));
            }
            at += 2 + length;
        }
        // A profile is kept only when every piece is there, numbered 1..count.
        if (iccCount > 0 && int(iccPieces.size()) == iccCount && iccPieces.begin()->first == 1 &&
            iccPieces.rbegin()->first == iccCount)
            for (const auto& piece : iccPieces)
                m.icc.insert(m.icc.end(), piece.second.begin(), piece.second.end());
    } catch (const std::bad_alloc&) {
        return {};
    }
    return m;
}

ImageMetadata readPngMetadata(const uint8_t* data, size_t size) {
    ImageMetadata m;
    if (size < 8 || std::memcmp(data, kPngSignature, 8) != 0)
        return m;
    try {
        for (size_t at = 8; at + 12 <= size;) {
            const size_t length = big32(data + at);
            if (length > size - at - 12)
                break;
            const std::string_view type(reinterpret_cast<const char*>(data + at + 4), 4);
            const uint8_t* body = data + at + 8;
            if (type == "IEND")
                break;
            if (length <= kMaxMetadataBlockBytes) {
                if (type == "eXIf" && m.exif.empty()) {
                    m.exif.assign(body, body + length);
                } else if (type == "iCCP" && m.icc.empty()) {
                    const uint8_t* nameEnd = static_cast<const uint8_t*>(std::memchr(body, 0, length));
                    std::string profile;
                    if (nameEnd && size_t(nameEnd - body) + 2 <= length && nameEnd[1] == 0 &&
                        inflateCapped(nameEnd + 2, length - size_t(nameEnd - body) - 2, profile))
                        m.icc.assign(profile.begin(), profile.end());
                } else if (type == "tEXt" || type == "zTXt" || type == "iTXt") {
                    PngTextChunk text;
                    if (readTextChunk(type, body, length, text)) {
                        if (text.keyword == kXmpKeyword && m.xmp.empty())
                            m.xmp = std::move(text.text);
                        else if (!isProgramText(text.keyword))
                            m.texts.push_back(std::move(text));
                    }
                }
            }
            at += 12 + length;
        }
    } catch (const std::bad_alloc&) {
        return {};
    }
    return m;
}

ImageMetadata readMetadata(FileKind kind, const uint8_t* data, size_t size) {
    switch (kind) {
    case FileKind::Jpg: return readJpegMetadata(data, size);
    case FileKind::Png: return readPngMetadata(data, size);
    default: return {};
    }
}

std::vector<uint8_t> withJpegMetadata(const std::vector<uint8_t>& jpeg, const ImageMetadata& metadata) {
    const std::vector<uint8_t> segments = jpegSegmentsOf(metadata);
    if (segments.empty() || jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != kSoi)
        return jpeg;
    // The library's JFIF header stays first, unless an EXIF block takes its place (each
    // claims to be the first segment of the file).
    size_t headerEnd = 2;
    if (jpeg[2] == 0xFF && jpeg[3] == kApp0 && jpeg.size() >= 6)
        headerEnd = std::min(jpeg.size(), 4 + (size_t(jpeg[4]) << 8 | jpeg[5]));
    const size_t keep = metadata.exif.empty() ? headerEnd : 2;
    std::vector<uint8_t> out(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(keep));
    out.insert(out.end(), segments.begin(), segments.end());
    out.insert(out.end(), jpeg.begin() + std::ptrdiff_t(headerEnd), jpeg.end());
    return out;
}

std::vector<uint8_t> withPngMetadata(const std::vector<uint8_t>& png, const ImageMetadata& metadata) {
    constexpr size_t kAfterHeader = 8 + 12 + 13; // signature, IHDR
    const std::vector<uint8_t> chunks = pngChunksOf(metadata);
    if (chunks.empty() || png.size() < kAfterHeader)
        return png;
    std::vector<uint8_t> out(png.begin(), png.begin() + kAfterHeader);
    out.insert(out.end(), chunks.begin(), chunks.end());
    out.insert(out.end(), png.begin() + kAfterHeader, png.end());
    return out;
}

ImageMetadata metadataForSave(const ImageMetadata& carried, const SaveOptions& options, Size pixels) {
    if (!options.keepMetadata)
        return {};
    ImageMetadata out = carried;
    if (!out.exif.empty() && !editExif(out.exif, {pixels, options.removeLocation}))
        out.exif.clear();
    if (options.removeLocation && !out.xmp.empty())
        out.xmp = withoutXmpLocation(std::move(out.xmp));
    return out;
}

bool metadataHasLocation(const ImageMetadata& metadata) {
    return exifHasLocation(metadata.exif) || metadata.xmp.find("exif:GPS") != std::string::npos;
}

} // namespace pict
