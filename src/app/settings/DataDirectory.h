#pragma once
// Where the settings file lives. Next to the executable ("QXSettings.xml") when the program
// runs unpacked; in the per-user configuration folder ("Settings.xml" under
// Brindlemoss/Pictorane/MAJOR.MINOR) when it is installed, that is, when an uninstaller data
// file ("unins???.dat") lies beside the executable, the user cannot write its folder, or the
// executable sits in the bin/ folder of an install prefix that holds its desktop entry
// (cmake --install into a folder the user owns, such as ~/.local).

#include "app/settings/ProductInfo.h"

#include <filesystem>
#include <string>

namespace pict {

struct SettingsLocation {
    std::filesystem::path directory;
    std::filesystem::path file;
    bool installed = false;
};

// What the choice depends on; currentLocationInputs() fills it from the running process.
struct LocationInputs {
    std::filesystem::path executableDirectory;
    std::string xdgConfigHome; // $XDG_CONFIG_HOME, used only when absolute
    std::string home;          // $HOME, for the default ~/.config
    ProductVersion version;
};

LocationInputs currentLocationInputs();
// The folder of the running executable (from /proc/self/exe), or empty when unknown.
std::filesystem::path executableDirectory();

bool hasUninstallerData(const std::filesystem::path& directory);
// The program's name on the desktop: its menu entry is PREFIX/share/applications/ID.desktop,
// its icon ID.png or ID.svg.
inline constexpr const char* kDesktopAppId = "com.brindlemoss.Pictorane";
bool isInstallPrefixLayout(const std::filesystem::path& executableDirectory);
bool isInstalledLayout(const std::filesystem::path& executableDirectory);
SettingsLocation locateSettings(const LocationInputs& inputs);

inline constexpr const char* kDataDirectoryFailedMessage =
    "Failed to create product data directory! User settings will not be saved.";

// Installed mode creates the folder and its parents. True when it exists afterwards, or when
// a file of that name is in the way (the later save then fails quietly); false for any other
// failure, which the caller reports with kDataDirectoryFailedMessage.
bool createDataDirectory(const SettingsLocation& location);

} // namespace pict
