#include "app/session/DocumentFileRules.h"

#include "codecs/ReadReport.h"

namespace pict {

std::optional<size_t> findWindowWithPath(const std::vector<std::string>& openPaths, const std::string& path) {
    if (path.empty())
        return std::nullopt;
    for (size_t i = 0; i < openPaths.size(); ++i)
        if (openPaths[i] == path)
            return i;
    return std::nullopt;
}

SaveAction decideSave(const SaveCheck& c) {
    if (!c.modified)
        return SaveAction::Nothing;
    if (c.hasPath && c.fileExists && c.folderExists && c.kindWritable)
        return SaveAction::WriteToPath;
    return SaveAction::SaveAs;
}

bool asksBeforeFlatSave(FileKind kind, bool documentNeedsLayers) {
    return documentNeedsLayers && canSaveKind(kind) && !keepsLayers(kind);
}

std::string flatSavePromptText(FileKind kind) {
    return "Saving as " + std::string(kindName(kind)) +
           " merges all layers into one picture. The layers stay open here but are not in the file.";
}

bool staysModifiedAfterSave(FileKind kind, bool documentNeedsLayers) { return asksBeforeFlatSave(kind, documentNeedsLayers); }

std::string closePromptText(const std::string& documentName) {
    return "Save changes to \"" + documentName + "\" before closing?";
}

CloseAction closeActionFor(CloseAnswer answer, bool hasPath, bool kindWritable) {
    switch (answer) {
    case CloseAnswer::Yes:
        return hasPath && kindWritable ? CloseAction::WriteThenClose : CloseAction::SaveAsThenClose;
    case CloseAnswer::No:
        return CloseAction::Close;
    case CloseAnswer::Cancel:
        return CloseAction::KeepOpen;
    }
    return CloseAction::KeepOpen;
}

bool closeWindowsInOrder(size_t count, const std::function<bool(size_t index)>& closeOne) {
    for (size_t i = 0; i < count; ++i)
        if (!closeOne(i))
            return false;
    return true;
}

std::string openFailedMessage(const std::string& path, const std::string& reason) {
    std::string text = "Cannot open file \"" + path + "\"!";
    if (!reason.empty())
        text += "\n" + reason;
    return text;
}

std::string openedInPartMessage(const std::string& path) { return "\"" + path + "\"\n" + kEndsEarlyText; }
std::string saveFailedMessage(const std::string& path) { return "Error saving file \"" + path + "\"!"; }

} // namespace pict
