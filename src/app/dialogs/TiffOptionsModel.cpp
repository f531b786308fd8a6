#include "app/dialogs/TiffOptionsModel.h"

namespace pict {

namespace {

constexpr TiffSaveSettings kDefaults;

} // namespace

TiffOptionsModel::TiffOptionsModel(const TiffSaveSettings& remembered, bool hasTransparency)
    : settings_(tiffSettingsRefusal(remembered).empty() ? remembered : kDefaults), hasTransparency_(hasTransparency) {}

void TiffOptionsModel::setColor(TiffColor color) {
    settings_.color = color;
    settle();
}

void TiffOptionsModel::setCompression(TiffCompression compression) {
    if (!compressionOffered(compression))
        return;
    settings_.compression = compression;
    settle();
}

void TiffOptionsModel::setDepth(TiffDepth depth) {
    if (depthOffered(depth))
        settings_.depth = depth;
}

std::string TiffOptionsModel::compressionRefusal(TiffCompression compression) const {
    // Offered when some depth makes it fit the color; the reason is the first depth's.
    std::string first;
    for (int depth = 0; depth < kTiffDepthCount; ++depth) {
        std::string why = tiffSettingsRefusal({compression, static_cast<TiffDepth>(depth), settings_.color});
        if (why.empty())
            return why;
        if (first.empty())
            first = std::move(why);
    }
    return first;
}

std::string TiffOptionsModel::depthRefusal(TiffDepth depth) const {
    return tiffSettingsRefusal({settings_.compression, depth, settings_.color});
}

void TiffOptionsModel::settle() {
    if (!compressionOffered(settings_.compression)) {
        settings_.compression = kDefaults.compression;
        for (int k = 0; k < kTiffCompressionCount && !compressionOffered(settings_.compression); ++k)
            settings_.compression = static_cast<TiffCompression>(k);
    }
    if (!depthOffered(settings_.depth)) {
        settings_.depth = kDefaults.depth;
        for (int k = 0; k < kTiffDepthCount && !depthOffered(settings_.depth); ++k)
            settings_.depth = static_cast<TiffDepth>(k);
    }
}

} // namespace pict
