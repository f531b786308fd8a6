#include "app/session/LargePictures.h"

#include "codecs/PictureProbe.h"

namespace pict {
namespace {

std::string sizeSentence(const std::string& name, int32_t width, int32_t height, int64_t bytes) {
    return name + " is " + std::to_string(width) + " \xC3\x97 " + std::to_string(height) +
           " pixels and needs about " + memoryText(bytes) + " of memory";
}

} // namespace

std::optional<int64_t> memoryAboveLimit(int64_t width, int64_t height, int64_t layers, int64_t limitMiB) {
    const int64_t bytes = pictureMemoryBytes(width, height, layers);
    if (bytes <= (limitMiB << 20))
        return std::nullopt;
    return bytes;
}

std::string largePictureQuestion(const std::string& name, int32_t width, int32_t height, int64_t bytes) {
    return sizeSentence(name, width, height, bytes) + ". Open it anyway?";
}

std::string largePictureRefusal(const std::string& name, int32_t width, int32_t height, int64_t bytes,
                                int64_t limitMiB) {
    return sizeSentence(name, width, height, bytes) + ", more than the " + std::to_string(limitMiB) +
           " MiB allowed; start the command line with --max-memory MIB to allow more";
}

} // namespace pict
