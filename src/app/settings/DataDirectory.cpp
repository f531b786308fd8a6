#include "app/settings/DataDirectory.h"

#include <cctype>
#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace pict {
namespace fs = std::filesystem;

namespace {

// "unins???.dat", each ? one character, compared without regard to case.
bool matchesUninstallerName(const std::string& name) {
    static constexpr char pattern[] = "unins???.dat";
    if (name.size() != sizeof pattern - 1)
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        if (pattern[i] == '?')
            continue;
        if (std::tolower(static_cast<unsigned char>(name[i])) != pattern[i])
            return false;
    }
    return true;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

fs::path executableDirectory() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

LocationInputs currentLocationInputs() {
    LocationInputs inputs;
    inputs.executableDirectory = executableDirectory();
    inputs.xdgConfigHome = environment("XDG_CONFIG_HOME");
    inputs.home = environment("HOME");
    inputs.version = productVersion();
    return inputs;
}

bool hasUninstallerData(const fs::path& directory) {
    std::error_code ec;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec))
        if (matchesUninstallerName(it->path().filename().string()) && it->is_regular_file(ec))
            return true;
    return false;
}

bool isInstallPrefixLayout(const fs::path& executableDirectory) {
    const fs::path entry =
        executableDirectory.parent_path() / "share" / "applications" / (std::string(kDesktopAppId) + ".desktop");
    std::error_code ec;
    return executableDirectory.filename() == "bin" && fs::is_regular_file(entry, ec);
}

bool isInstalledLayout(const fs::path& executableDirectory) {
    return hasUninstallerData(executableDirectory) || isInstallPrefixLayout(executableDirectory) ||
           ::access(executableDirectory.c_str(), W_OK) != 0;
}

SettingsLocation locateSettings(const LocationInputs& in) {
    SettingsLocation location;
    if (!isInstalledLayout(in.executableDirectory)) {
        location.directory = in.executableDirectory;
        location.file = location.directory / "QXSettings.xml";
        return location;
    }
    location.installed = true;
    fs::path base;
    if (!in.xdgConfigHome.empty() && fs::path(in.xdgConfigHome).is_absolute())
        base = in.xdgConfigHome;
    else if (!in.home.empty() && fs::path(in.home).is_absolute())
        base = fs::path(in.home) / ".config";
    else
        base = in.executableDirectory;
    std::string versionFolder = std::to_string(in.version.major) + "." + std::to_string(in.version.minor);
    location.directory = base / kCompanyName / kProductName / versionFolder;
    location.file = location.directory / "Settings.xml";
    return location;
}

bool createDataDirectory(const SettingsLocation& location) {
    if (!location.installed)
        return true;
    std::error_code ec;
    fs::create_directories(location.directory, ec);
    if (!ec)
        return true;
    // Something of that name already there is not worth a message.
    return fs::exists(location.directory, ec);
}

} // namespace pict
