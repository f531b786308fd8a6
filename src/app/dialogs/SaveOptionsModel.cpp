#include "app/dialogs/SaveOptionsModel.h"

#include "codecs/ByteStream.h"
#include "codecs/CodecImage.h"
#include "codecs/DocumentFiles.h"
#include "codecs/JpegCodec.h"
#include "codecs/MetadataBlocks.h"
#include "document/compositing/CompositeCache.h"

#include <algorithm>
#include <cstdio>

namespace pict {

JpegOptionsModel::JpegOptionsModel(const SaveOptions& remembered, const ImageMetadata& carried)
    : remembered_(remembered), carried_(carried),
      quality_(std::clamp(remembered.jpeg.quality, kQualityMin, kQualityMax)),
      progressive_(remembered.jpeg.progressive), keepMetadata_(remembered.keepMetadata),
      removeLocation_(remembered.removeLocation), hasMetadata_(!carried.isEmpty()),
      hasLocation_(metadataHasLocation(carried)) {
    // Until a choice was made the sampling follows the quality, as a save without options does.
    switch (remembered.jpeg.subsampling) {
    case ChromaSubsampling::ByQuality:
        fullChroma_ = jpegLibraryQuality(quality_) >= remembered.jpeg.subsamplingThreshold;
        break;
    case ChromaSubsampling::Half: fullChroma_ = false; break;
    case ChromaSubsampling::Full: fullChroma_ = true; break;
    }
}

void JpegOptionsModel::setQuality(int32_t quality) { quality_ = std::clamp(quality, kQualityMin, kQualityMax); }

SaveOptions JpegOptionsModel::result() const {
    SaveOptions options = remembered_;
    options.jpeg.quality = quality_;
    options.jpeg.subsampling = fullChroma_ ? ChromaSubsampling::Full : ChromaSubsampling::Half;
    options.jpeg.progressive = progressive_;
    options.keepMetadata = keepMetadata_;
    options.removeLocation = removeLocation_;
    return options;
}

bool JpegOptionsModel::compress(const CompositeCache& composite, Compressed& out) const {
    const SaveOptions options = result();
    const ImageMetadata kept = metadataForSave(carried_, options, composite.size());
    std::vector<uint8_t> bytes;
    if (!encodeComposite(FileKind::Jpg, composite, options, kept, bytes))
        return false;
    JpegImage image;
    if (!image.codec().loadFromMemory(image, bytes.data(), bytes.size(), false))
        return false;
    out.bytes = int64_t(bytes.size());
    out.decoded = std::move(image.color);
    return true;
}

std::string fileSizeText(int64_t bytes) {
    char text[32];
    if (bytes < 1024)
        std::snprintf(text, sizeof text, "%lld bytes", static_cast<long long>(bytes));
    else if (bytes < 1024 * 1024)
        std::snprintf(text, sizeof text, "%.1f KB", double(bytes) / 1024.0);
    else
        std::snprintf(text, sizeof text, "%.2f MB", double(bytes) / (1024.0 * 1024.0));
    return text;
}

} // namespace pict
