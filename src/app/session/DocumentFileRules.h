#pragma once
// The decisions behind Open, Save, Save As and closing, without the dialogs: which window an
// opened path goes to, whether Save writes or asks for a name, and what each answer of the
// close prompt leads to. The user interface asks the questions and does the writing.

#include "codecs/FileKind.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pict {

// Open-one: the window whose document has exactly this path (case-sensitive, no
// normalisation), to be activated instead of loading the file again.
std::optional<size_t> findWindowWithPath(const std::vector<std::string>& openPaths, const std::string& path);

// What the Save command does for the active document.
enum class SaveAction { Nothing, WriteToPath, SaveAs };
struct SaveCheck {
    bool modified = false;
    bool hasPath = false;      // false for an untitled document
    bool fileExists = false;   // the file at the path is still there
    bool folderExists = false; // and so is its folder
    bool kindWritable = false; // its extension is one the program writes (bmp, jpg, png)
};
SaveAction decideSave(const SaveCheck& check);

// Saving a document with layers, hidden or blended layers or saved channels to a flat kind
// asks first; the answer "Save as OpenRaster…" runs Save As with OpenRaster chosen.
enum class FlatSaveAnswer { Save, SaveAsLayered, Cancel };
bool asksBeforeFlatSave(FileKind kind, bool documentNeedsLayers);
// "Saving as %s merges all layers into one picture. ..." with the kind's name (BMP, JPEG, PNG).
std::string flatSavePromptText(FileKind kind);
inline constexpr const char* kFlatSaveButton = "Save";
inline constexpr const char* kSaveAsLayeredButton = "Save as OpenRaster\u2026";
// After a flat save of such a document its layers exist nowhere else: it stays modified, so
// closing it still asks.
bool staysModifiedAfterSave(FileKind kind, bool documentNeedsLayers);

// The close prompt. A document without unsaved changes closes without one.
enum class CloseAnswer { Yes, No, Cancel };
enum class CloseAction {
    Close,           // close now (unmodified, or No)
    WriteThenClose,  // write to the current path, close only when that worked
    SaveAsThenClose, // ask for a name; close only when that save worked
    KeepOpen,        // Cancel
};
std::string closePromptText(const std::string& documentName); // "Save changes to "%s" before closing?"
// Yes on a document that has no path, or whose extension cannot be written, goes through
// Save As instead of leaving the user with a window that can be neither saved nor closed.
CloseAction closeActionFor(CloseAnswer answer, bool hasPath, bool kindWritable);

// Closing many windows (Close All, exit): each is asked in order; the first that stays open
// ends the asking. Returns true when every window closed.
bool closeWindowsInOrder(size_t count, const std::function<bool(size_t index)>& closeOne);

inline constexpr const char* kOpenFailedFormat = "Cannot open file \"%s\"!";
inline constexpr const char* kSaveFailedFormat = "Error saving file \"%s\"!";
// "Cannot open file "%s"!", with the reader's reason on a second line when there is one.
std::string openFailedMessage(const std::string& path, const std::string& reason = {});
// The note after a file opened only in part: its name, then why.
std::string openedInPartMessage(const std::string& path);
std::string saveFailedMessage(const std::string& path);

} // namespace pict
