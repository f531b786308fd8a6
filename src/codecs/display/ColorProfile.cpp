#include "codecs/display/ColorProfile.h"

#include <lcms2.h>

#include <memory>
#include <string_view>

namespace pict {

namespace {

struct ProfileCloser {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
struct TransformDeleter {
    void operator()(void* transform) const { cmsDeleteTransform(transform); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;
using Transform = std::unique_ptr<void, TransformDeleter>;

// The gray of a gray picture, read from the first of each pixel's three equal bytes.
constexpr cmsUInt32Number kGrayOfBgr = COLORSPACE_SH(PT_GRAY) | EXTRA_SH(2) | CHANNELS_SH(1) | BYTES_SH(1);

std::string descriptionOf(cmsHPROFILE profile) {
    char text[256] = {};
    const cmsUInt32Number length = cmsGetProfileInfoASCII(profile, cmsInfoDescription, "en", "US", text, sizeof text);
    std::string description(text, length > 0 ? std::min<size_t>(length - 1, sizeof text - 1) : 0);
    while (!description.empty() && (description.back() == ' ' || description.back() == '\0'))
        description.pop_back();
    return description;
}

bool namesSrgb(std::string_view description) { return description.substr(0, 4) == "sRGB"; }

} // namespace

ProfileOutcome convertToSrgb(Surface24& color, const std::vector<uint8_t>& bytes, std::string& description) {
    description.clear();
    if (bytes.empty() || !color.isValid())
        return ProfileOutcome::Unusable;
    Profile source(cmsOpenProfileFromMem(bytes.data(), cmsUInt32Number(bytes.size())));
    if (!source)
        return ProfileOutcome::Unusable;
    description = descriptionOf(source.get());
    const cmsColorSpaceSignature space = cmsGetColorSpace(source.get());
    if (space != cmsSigRgbData && space != cmsSigGrayData)
        return ProfileOutcome::Unusable;
    if (space == cmsSigRgbData && namesSrgb(description))
        return ProfileOutcome::AlreadySrgb;
    Profile srgb(cmsCreate_sRGBProfile());
    const bool gray = space == cmsSigGrayData;
    Transform transform(cmsCreateTransform(source.get(), gray ? kGrayOfBgr : TYPE_BGR_8, srgb.get(), TYPE_BGR_8,
                                           INTENT_PERCEPTUAL, 0));
    if (!srgb || !transform)
        return ProfileOutcome::Unusable;
    const int32_t width = color.width();
    std::vector<uint8_t> converted(size_t(width) * 3);
    for (int32_t y = 0; y < color.height(); ++y) {
        uint8_t* row = color.row(y);
        cmsDoTransform(transform.get(), row, converted.data(), cmsUInt32Number(width));
        std::copy(converted.begin(), converted.end(), row);
    }
    return ProfileOutcome::Converted;
}

std::string conversionNote(const std::string& description) {
    return "Converted from " + (description.empty() ? std::string("its colour profile") : description) + " to sRGB";
}

} // namespace pict
