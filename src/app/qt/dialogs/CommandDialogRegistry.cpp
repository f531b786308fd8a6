#include "app/qt/dialogs/adjustments/AdjustmentDialogs.h"
#include "app/qt/dialogs/CommandDialogs.h"
#include "app/qt/dialogs/FillDialog.h"
#include "app/qt/dialogs/GeometryDialogs.h"
#include "app/qt/dialogs/LayerDialogs.h"
#include "app/qt/dialogs/SelectionDialogs.h"

namespace pict::qt {

// One line per group of dialogs; each group's function adds its dialogs, which show over the
// session's document and return the command's parameter record.
void registerCommandDialogs(CommandDialogs& dialogs) {
    registerSelectionDialogs(dialogs);
    registerGeometryDialogs(dialogs);
    registerFillDialog(dialogs);
    registerLayerDialogs(dialogs);
    registerAdjustmentDialogs(dialogs);
}

} // namespace pict::qt
