#pragma once
// How big a file's picture says it is, read from its header (or a layered file's stack)
// alone, before any pixel memory is taken; and how much memory a document of that size
// needs, so that the editor can ask and the batch tool can refuse before opening it.

#include "codecs/FileKind.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace pict {

struct PictureClaim {
    int32_t width = 0;
    int32_t height = 0;
    int32_t layers = 1;
};

// The size the header of an openable file claims; none when the file is missing, of
// another kind or its header cannot be read (opening it then says why). An icon claims the
// largest size its directory lists.
std::optional<PictureClaim> probePicture(const std::string& path);
// The same for a file's bytes in memory, of a single-picture kind (not a layered archive).
std::optional<PictureClaim> probePictureBytes(FileKind kind, const uint8_t* data, size_t size);

// Bytes a document of this size needs: every layer's color and transparency and the
// composite's, four bytes a pixel each, over the whole canvas.
int64_t pictureMemoryBytes(int64_t width, int64_t height, int64_t layers);
// "512 MiB", "2.9 GiB": the size for a sentence.
std::string memoryText(int64_t bytes);

} // namespace pict
