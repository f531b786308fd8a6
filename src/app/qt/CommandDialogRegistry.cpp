#include "app/qt/AdjustmentDialogs.h"
#include "app/qt/CommandDialogs.h"
#include "app/qt/FillDialog.h"
#include "app/qt/GeometryDialogs.h"
#include "app/qt/LayerDialogs.h"
#include "app/qt/SelectionDialogs.h"

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
