#include "app/qt/dialogs/SelectionDialogs.h"

#include "app/dialogs/ChannelDialogModel.h"
#include "app/commands/CommandIds.h"
#include "app/session/DocumentSession.h"
#include "app/qt/dialogs/ChannelDialogs.h"
#include "app/qt/dialogs/CommandDialogs.h"
#include "app/qt/dialogs/ModifyDialog.h"
#include "document/Document.h"

#include <memory>

namespace pict::qt {

namespace {

std::vector<std::string> channelNames(const DocumentSession& session) {
    std::vector<std::string> names;
    if (const AlphaChannelList* channels = session.document().channelsIfAny())
        for (int32_t i = 0; i < channels->count(); ++i)
            names.push_back(channels->at(i)->name());
    return names;
}

std::vector<bool> channelsThatFit(const DocumentSession& session) {
    std::vector<bool> fits;
    const Size canvas = session.document().canvasSize();
    if (const AlphaChannelList* channels = session.document().channelsIfAny())
        for (int32_t i = 0; i < channels->count(); ++i)
            fits.push_back(channelFitsCanvas(channels->at(i)->size(), canvas));
    return fits;
}

std::string nextChannelName(const DocumentSession& session) {
    const AlphaChannelList* channels = session.document().channelsIfAny();
    return channels ? channels->nextName() : AlphaChannelList().nextName();
}

std::optional<CommandParams> askSaveSelection(QWidget* parent, DocumentSession& session) {
    SaveSelectionDialog dialog(channelNames(session), nextChannelName(session), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.answer();
}

std::optional<CommandParams> askLoadSelection(QWidget* parent, DocumentSession& session) {
    LoadSelectionDialog dialog(channelNames(session), channelsThatFit(session), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.answer();
}

} // namespace

void registerSelectionDialogs(CommandDialogs& dialogs) {
    auto memory = std::make_shared<ModifyDialogMemory>();
    for (ModifyDialogKind kind :
         {ModifyDialogKind::Feather, ModifyDialogKind::Border, ModifyDialogKind::Expand, ModifyDialogKind::Contract})
        dialogs.add(modifyDialogSpec(kind).command,
                    [kind, memory](QWidget* parent, DocumentSession&) { return askModify(parent, kind, *memory); });
    dialogs.add(kCmdSaveSelection, askSaveSelection);
    dialogs.add(kCmdLoadSelection, askLoadSelection);
}

} // namespace pict::qt
