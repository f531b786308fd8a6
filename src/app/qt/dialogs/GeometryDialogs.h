#pragma once
// The Image menu's dialogs: Image Size and Canvas Size.

namespace pict::qt {

class CommandDialogs;

// Canvas Size remembers its extension color as long as `dialogs` lives.
void registerGeometryDialogs(CommandDialogs& dialogs);

} // namespace pict::qt
