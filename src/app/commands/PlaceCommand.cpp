#include "app/commands/PlaceCommand.h"

#include "app/commands/CommandPreconditions.h"
#include "app/session/DocumentSession.h"
#include "codecs/DocumentFiles.h"
#include "history/layers/PlaceLayerState.h"

namespace pict {

CommandResult placeImageFile(DocumentSession& session, const std::string& path, Point position,
                             ReadReport* fileReport) {
    OpenedImage image;
    const bool read = openImage(path, image);
    if (fileReport)
        *fileReport = image.report;
    if (!read)
        return commandResult(CommandOutcome::Failed);
    try {
        return pushState(session, std::make_unique<PlaceLayerState>(session, std::move(image.color),
                                                                    std::move(image.alpha), position));
    } catch (const std::bad_alloc&) {
        return commandResult(CommandOutcome::Failed);
    }
}

} // namespace pict
