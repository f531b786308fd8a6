#include "codecs/ReadReport.h"

#include "codecs/CodecImage.h"

namespace pict {

namespace {

std::string number(int64_t value) { return std::to_string(value); }

std::string size(int64_t width, int64_t height) { return number(width) + " \xC3\x97 " + number(height); }

std::string bytes(int64_t count) { return count == 1 ? "1 byte" : number(count) + " bytes"; }

} // namespace

std::string_view kindName(FileKind kind) {
    switch (kind) {
    case FileKind::Bmp:
        return "BMP";
    case FileKind::Gif:
        return "GIF";
    case FileKind::Ico:
        return "icon";
    case FileKind::Jpg:
        return "JPEG";
    case FileKind::Png:
        return "PNG";
    case FileKind::Tif:
        return "TIFF";
    case FileKind::Ora:
        return "OpenRaster";
    case FileKind::Webp:
        return "WebP";
    case FileKind::Heic:
        return "HEIF";
    case FileKind::Avif:
        return "AVIF";
    case FileKind::Ved:
    case FileKind::Unknown:
        break;
    }
    return "picture";
}

bool ReadReport::fail(ReadFault kind, std::string text) {
    if (!failed()) {
        fault = kind;
        reason = std::move(text);
    }
    return false;
}

bool ReadReport::notThisKind(FileKind expected) {
    return fail(ReadFault::NotThisKind, "The file is not a " + std::string(kindName(expected)) + " file.");
}

bool ReadReport::truncated(int64_t have, int64_t need) {
    return fail(ReadFault::Truncated, "The file is truncated: it holds " + number(have) + " of the " + bytes(need) +
                                          " its header describes.");
}

bool ReadReport::tooShortFor(int64_t have, int64_t width, int64_t height) {
    return fail(ReadFault::Truncated, "The file is truncated: its " + bytes(have) + " cannot hold the " +
                                          size(width, height) + " pixels its header describes.");
}

bool ReadReport::unsupported(std::string_view variant) {
    return fail(ReadFault::Unsupported, "This kind of picture is not supported: " + std::string(variant) + ".");
}

bool ReadReport::tooLarge(int64_t width, int64_t height) {
    return fail(ReadFault::TooLarge, "The picture is " + size(width, height) + " pixels; the largest that can be opened is " +
                                         size(kMaxImageDimension, kMaxImageDimension) + ".");
}

bool ReadReport::corrupt(std::string_view detail) {
    return fail(ReadFault::Corrupt, "The data is corrupt: " + std::string(detail) + ".");
}

bool ReadReport::noMemory() { return fail(ReadFault::NoMemory, "There is not enough memory to read it."); }

} // namespace pict
