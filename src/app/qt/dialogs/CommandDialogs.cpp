#include "app/qt/dialogs/CommandDialogs.h"

namespace pict::qt {

std::optional<CommandParams> CommandDialogs::ask(uint16_t id, QWidget* parent, DocumentSession& session) const {
    const auto found = dialogs_.constFind(id);
    if (found == dialogs_.constEnd() || !*found)
        return std::nullopt;
    return (*found)(parent, session);
}

} // namespace pict::qt
