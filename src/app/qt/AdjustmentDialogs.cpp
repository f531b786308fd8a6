#include "app/qt/AdjustmentDialogs.h"

#include "app/core/CommandIds.h"
#include "app/qt/BrightnessContrastDialog.h"
#include "app/qt/ColorBalanceDialog.h"
#include "app/qt/CommandDialogs.h"
#include "app/qt/CurvesDialog.h"
#include "app/qt/GaussianBlurDialog.h"
#include "app/qt/HueSaturationDialog.h"
#include "app/qt/LevelsDialog.h"

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
