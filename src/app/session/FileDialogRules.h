#pragma once
// What the open and save dialogs start from and what their answers mean, without the
// dialogs: the folder a dialog opens in, and the file Save As writes for a typed name.

#include "codecs/FileKind.h"

#include <string>

namespace pict {

// Save As: a typed name that ends in the extension of a kind the program writes is the
// user's explicit choice and is written as typed, in that kind, whatever filter is chosen
// ("out1.jpg" with the PNG filter is a JPEG file "out1.jpg"). Any other name gains the
// chosen filter kind's extension ("out1" and "v1.2 final" become "out1.png" and
// "v1.2 final.png").
std::string saveAsPath(const std::string& typedPath, FileKind filterKind);
// The kind a Save As answer writes: the typed extension's when the program writes it,
// otherwise the filter's.
FileKind saveAsKind(const std::string& typedPath, FileKind filterKind);

// The places a file dialog may start in, most wanted first; empty for none.
struct FileDialogFolders {
    std::string activeDocument; // the folder of the active document's file
    std::string lastUsed;       // the folder of the file last opened or saved (kept in the settings)
    std::string pictures;       // the user's pictures folder (XDG_PICTURES_DIR)
    std::string home;
};
// The first of them that is an existing folder; home when none is.
std::string fileDialogStartFolder(const FileDialogFolders& folders);
// The folder a file's path lies in ("" for a bare name).
std::string folderOfPath(const std::string& path);

} // namespace pict
