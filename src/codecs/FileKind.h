#pragma once
// File kinds by extension, and the file-dialog filter texts.

#include <cstdint>
#include <string>
#include <string_view>

namespace pict {

enum class FileKind : int32_t {
    Unknown = -1,
    Ved = 0,
    Bmp = 1,
    Gif = 2,
    Ico = 3,
    Jpg = 4,
    Png = 5,
    Tif = 6,
    Ora = 7, // the layered format (OpenRaster)
};

// The kind of the text after the last "." of the file name (lower-cased); Unknown without one.
FileKind kindOfPath(std::string_view path);
// The default extension ("bmp", or ".bmp" withDot); empty for Unknown.
std::string extensionOfKind(FileKind kind, bool withDot);
// Keeps a path that already has the kind; otherwise appends "." and the default extension
// unless the path already ends with it (photo.png saved as JPEG becomes photo.png.jpg).
std::string ensureExtension(std::string_view path, FileKind kind);
// The name Save As proposes for a document: its name with the extension of a known kind
// replaced by the kind's default ("photo.gif" as PNG is "photo.png"; "Untitled-1" and
// "v1.2 final" just gain it).
std::string proposedSaveName(std::string_view documentName, FileKind kind);

constexpr bool canOpenKind(FileKind kind) {
    return (kind >= FileKind::Bmp && kind <= FileKind::Png) || kind == FileKind::Tif || kind == FileKind::Ora;
}
constexpr bool canSaveKind(FileKind kind) {
    return kind == FileKind::Bmp || kind == FileKind::Jpg || kind == FileKind::Png || kind == FileKind::Tif ||
           kind == FileKind::Ora;
}
// Kinds that hold every layer, channel and blend mode of a document; the others flatten it.
constexpr bool keepsLayers(FileKind kind) { return kind == FileKind::Ora; }

// Every extension a saved file may end in, for a sentence: ".bmp, .dib, ... or .ora".
std::string savedExtensionsText();

// Filters as "label|patterns|" pairs; the user interface turns "|" into its own separators.
extern const char* const kOpenFilter;
extern const char* const kSaveFilter;
// 1-based entry of the open filter shown first ("All Formats").
int openFilterDefaultIndex();
// 1-based entry of the save filter for a document of this kind, and back.
int saveFilterIndexOfKind(FileKind kind);
FileKind kindOfSaveFilterIndex(int index);

} // namespace pict
