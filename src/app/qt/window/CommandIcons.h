#pragma once
// The toolbar's icons and the application's own icon, drawn with QPainter when first asked
// for: the editor ships no image files.

#include <QIcon>

#include <cstdint>

namespace pict::qt {

// The icon of a toolbar command; a null icon for an id without one.
QIcon commandIcon(uint16_t id);

// A framed landscape: the main window's, the document windows' and the dialogs' icon.
QIcon applicationIcon();

} // namespace pict::qt
