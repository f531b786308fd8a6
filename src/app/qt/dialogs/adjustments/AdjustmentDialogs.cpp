#include "app/qt/dialogs/adjustments/AdjustmentDialogs.h"

#include "app/commands/CommandIds.h"
#include "app/qt/dialogs/adjustments/BrightnessContrastDialog.h"
#include "app/qt/dialogs/adjustments/ColorBalanceDialog.h"
#include "app/qt/dialogs/CommandDialogs.h"
#include "app/qt/dialogs/adjustments/CurvesDialog.h"
#include "app/qt/dialogs/adjustments/GaussianBlurDialog.h"
#include "app/qt/dialogs/adjustments/HueSaturationDialog.h"
#include "app/qt/dialogs/adjustments/LevelsDialog.h"

namespace pict::qt {

void registerAdjustmentDialogs(CommandDialogs& dialogs) {
    dialogs.add(kCmdBrightnessContrast, askBrightnessContrast);
    dialogs.add(kCmdColorBalance, askColorBalance);
    dialogs.add(kCmdHueSaturation, askHueSaturation);
    dialogs.add(kCmdLevels, askLevels);
    dialogs.add(kCmdCurves, askCurves);
    dialogs.add(kCmdGaussianBlur, askGaussianBlur);
}

} // namespace pict::qt
