#include "app/settings/ManualLocation.h"

#include "app/settings/DataDirectory.h"

#include <system_error>

namespace pict {
namespace fs = std::filesystem;

fs::path findManual(const fs::path& executableDirectory, const fs::path& buildManual) {
    std::error_code ec;
    const fs::path installed = executableDirectory.parent_path() / "share" / "pictorane" / "manual" / "index.html";
    if (!executableDirectory.empty() && fs::is_regular_file(installed, ec))
        return installed;
    if (!buildManual.empty() && fs::is_regular_file(buildManual, ec))
        return buildManual;
    return {};
}

fs::path installedOrBuiltManual() {
#ifdef PICT_BUILD_MANUAL
    const fs::path built = PICT_BUILD_MANUAL;
#else
    const fs::path built;
#endif
    return findManual(executableDirectory(), built);
}

} // namespace pict
