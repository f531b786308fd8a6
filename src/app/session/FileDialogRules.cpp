#include "app/session/FileDialogRules.h"

#include <filesystem>
#include <system_error>

namespace pict {

FileKind saveAsKind(const std::string& typedPath, FileKind filterKind) {
    const FileKind typed = kindOfPath(typedPath);
    return canSaveKind(typed) ? typed : filterKind;
}

std::string saveAsPath(const std::string& typedPath, FileKind filterKind) {
    if (canSaveKind(kindOfPath(typedPath)))
        return typedPath;
    return ensureExtension(typedPath, filterKind);
}

std::string fileDialogStartFolder(const FileDialogFolders& folders) {
    for (const std::string* folder : {&folders.activeDocument, &folders.lastUsed, &folders.pictures}) {
        std::error_code error;
        if (!folder->empty() && std::filesystem::is_directory(*folder, error))
            return *folder;
    }
    return folders.home;
}

std::string folderOfPath(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

} // namespace pict
