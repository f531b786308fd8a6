#include "app/qt/dialogs/AdjustmentDialogs.h"

#include "app/commands/CommandIds.h"
#include "app/qt/dialogs/BrightnessContrastDialog.h"
#include "app/qt/dialogs/ColorBalanceDialog.h"
#include "app/qt/dialogs/CommandDialogs.h"
#include "app/qt/dialogs/CurvesDialog.h"
#include "app/qt/dialogs/GaussianBlurDialog.h"
#include "app/qt/dialogs/HueSaturationDialog.h"
#include "app/qt/dialogs/LevelsDialog.h"

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
