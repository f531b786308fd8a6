#include "app/qt/AdjustmentDialogs.h"
#include "app/qt/CommandDialogs.h"

namespace pict::qt {

// One line per dialog: dialogs.add(kCmdLevels, askLevels); each function shows its dialog
// over the session's document and returns the command's parameter record.
void registerCommandDialogs(CommandDialogs& dialogs) {
    registerAdjustmentDialogs(dialogs);
}

} // namespace pict::qt
