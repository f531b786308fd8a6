#pragma once
// What an image file says about the picture besides its pixels, carried from the file a
// document was opened from into the files it is saved to: camera data (EXIF), the XMP packet,
// the colour profile, JPEG comments and PNG text chunks. Kept as the bytes the file held, so a
// save writes back exactly what it read (apart from the fields a save must correct).

#include <cstdint>
#include <string>
#include <vector>

namespace pict {

// A PNG tEXt, zTXt or iTXt chunk. Keyword and language are Latin-1/ASCII as PNG requires;
// the text is Latin-1 for tEXt and zTXt, UTF-8 for iTXt.
struct PngTextChunk {
    enum class Kind : uint8_t { Plain, Compressed, International };
    Kind kind = Kind::Plain;
    bool compressed = false; // iTXt only: the text was deflated in the file
    std::string keyword;
    std::string language;          // iTXt only
    std::string translatedKeyword; // iTXt only, UTF-8
    std::string text;

    friend bool operator==(const PngTextChunk&, const PngTextChunk&) = default;
};

struct ImageMetadata {
    // The TIFF structure of the EXIF data ("II*\0" or "MM\0*" first), without the JPEG
    // "Exif\0\0" prefix: what a PNG eXIf chunk holds.
    std::vector<uint8_t> exif;
    // The XMP packet as stored (UTF-8 XML), without the JPEG namespace prefix.
    std::string xmp;
    // The ICC profile, whole.
    std::vector<uint8_t> icc;
    // JPEG COM segments, in file order.
    std::vector<std::string> comments;
    // PNG text chunks in file order, the program's own "Software" and "Modification Time"
    // excepted (a save writes those afresh).
    std::vector<PngTextChunk> texts;

    bool isEmpty() const { return exif.empty() && xmp.empty() && icc.empty() && comments.empty() && texts.empty(); }
    friend bool operator==(const ImageMetadata&, const ImageMetadata&) = default;
};

} // namespace pict
