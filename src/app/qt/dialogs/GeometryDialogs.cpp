#include "app/qt/dialogs/GeometryDialogs.h"

#include "app/commands/CommandIds.h"
#include "app/session/DocumentSession.h"
#include "app/qt/dialogs/CanvasSizeDialog.h"
#include "app/qt/dialogs/CommandDialogs.h"
#include "app/qt/dialogs/ImageSizeDialog.h"
#include "document/Document.h"

#include <memory>

namespace pict::qt {

namespace {

std::optional<CommandParams> askImageSize(QWidget* parent, DocumentSession& session) {
    const DocumentInfo& info = session.document().info();
    ImageSizeDialog dialog(info.width, info.height, info.resolution, info.resolutionUnit, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.settings();
}

std::optional<CommandParams> askCanvasSize(QWidget* parent, DocumentSession& session,
                                           CanvasSizeDialogMemory& memory) {
    const DocumentInfo& info = session.document().info();
    CanvasSizeDialog dialog(info.width, info.height, info.resolution, info.resolutionUnit, memory,
                            session.app().foregroundColor, session.app().backgroundColor, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.confirm(memory);
}

} // namespace

void registerGeometryDialogs(CommandDialogs& dialogs) {
    dialogs.add(kCmdImageSize, askImageSize);
    auto memory = std::make_shared<CanvasSizeDialogMemory>();
    dialogs.add(kCmdCanvasSize,
                [memory](QWidget* parent, DocumentSession& session) { return askCanvasSize(parent, session, *memory); });
}

} // namespace pict::qt
