#pragma once
// The "JPEG Options" and "PNG Options" dialogs without their windows: the choices, where
// they start (the last ones used, the settings file keeps them), which of them make sense
// for the document's carried metadata, and the file the JPEG choices would write, sized and
// decoded for the preview.

#include "codecs/ImageMetadata.h"
#include "codecs/SaveOptions.h"
#include "surface/RasterSurface.h"

#include <cstdint>
#include <string>

namespace pict {

class CompositeCache;

class JpegOptionsModel {
public:
    static constexpr int32_t kQualityMin = 1, kQualityMax = JpegSaveSettings::kQualityMax;

    JpegOptionsModel(const SaveOptions& remembered, const ImageMetadata& carried);

    int32_t quality() const { return quality_; }
    void setQuality(int32_t quality);
    // 4:4:4 (true) or 4:2:0 (false).
    bool fullChroma() const { return fullChroma_; }
    void setFullChroma(bool full) { fullChroma_ = full; }
    bool progressive() const { return progressive_; }
    void setProgressive(bool progressive) { progressive_ = progressive; }
    bool keepMetadata() const { return keepMetadata_; }
    void setKeepMetadata(bool keep) { keepMetadata_ = keep; }
    bool removeLocation() const { return removeLocation_; }
    void setRemoveLocation(bool remove) { removeLocation_ = remove; }

    // "Keep metadata" means something only when the document carries some, "Remove location
    // data" only when that metadata says where the picture was taken and it is kept.
    bool metadataChoiceEnabled() const { return hasMetadata_; }
    bool locationChoiceEnabled() const { return hasLocation_ && keepMetadata_; }

    // The remembered options with these choices (the PNG compression untouched).
    SaveOptions result() const;

    // What a JPEG save with these choices writes for the composite: its size in bytes (with
    // the metadata it would carry) and its picture decoded again. False when it cannot be made.
    struct Compressed {
        int64_t bytes = 0;
        Surface24 decoded;
    };
    bool compress(const CompositeCache& composite, Compressed& out) const;

private:
    SaveOptions remembered_;
    const ImageMetadata& carried_;
    int32_t quality_;
    bool fullChroma_;
    bool progressive_;
    bool keepMetadata_;
    bool removeLocation_;
    bool hasMetadata_;
    bool hasLocation_;
};

// "812 bytes", "12.3 KB", "4.56 MB" (1 KB = 1024 bytes).
std::string fileSizeText(int64_t bytes);

// The PNG compression choices in the order the dialog lists them, with their labels.
inline constexpr const char* kPngCompressionLabels[] = {"Fast", "Normal", "Best"};

} // namespace pict
