#pragma once
// Placing an image file into a document as a new layer: the batch tool's way to build
// layered compositions. Not a menu command; it records one "Place" state like any other.

#include "app/commands/DocumentCommands.h"
#include "common/Geometry.h"

#include <string>

namespace pict {

class DocumentSession;
struct ReadReport;

// Reads the file as Open would and pushes a "Place" state that adds its image as a raster
// layer at position (canvas coordinates), above the active layer. Failed, with nothing
// changed, when the file cannot be read (the report, when given, then says why; after a
// read it says whether the file ended early) or the layer cannot be made.
CommandResult placeImageFile(DocumentSession& session, const std::string& path, Point position,
                             ReadReport* fileReport = nullptr);

} // namespace pict
