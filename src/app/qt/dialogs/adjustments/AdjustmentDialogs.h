#pragma once
// The dialogs of the Adjust menu's adjustments and of "Gaussian Blur...".

namespace pict::qt {

class CommandDialogs;

void registerAdjustmentDialogs(CommandDialogs& dialogs);

} // namespace pict::qt
