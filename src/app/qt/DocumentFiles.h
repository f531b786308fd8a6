#pragma once
// Reading a file into a new document and writing a document's composite to a file, by the
// file's extension, for the editor's windows.

#include <memory>
#include <string>

namespace pict {
class Document;
}

namespace pict::qt {

// Null when the file cannot be read or decoded.
std::unique_ptr<Document> loadDocumentFile(const std::string& path);
// Writes with the writer the path's extension selects; false on any failure (the file on
// disk is then left as it was).
bool saveDocumentFile(Document& document, const std::string& path);
// The extension is one the program writes (bitmap, JPEG, PNG).
bool isWritableFileName(const std::string& path);

} // namespace pict::qt
