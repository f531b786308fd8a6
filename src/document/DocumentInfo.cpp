#include "document/DocumentInfo.h"

namespace pict {

bool isValidInfo(const DocumentInfo& info) {
    return info.width >= 1 && info.width <= kMaxCanvasSide && info.height >= 1 &&
           info.height <= kMaxCanvasSide && info.resolution >= kMinResolution &&
           info.resolution <= kMaxResolution && isValidResolutionUnit(info.resolutionUnit);
}

std::string documentPath(const DocumentInfo& info) {
    if (info.folder.empty())
        return info.name;
    return info.folder + "/" + info.name;
}

} // namespace pict
