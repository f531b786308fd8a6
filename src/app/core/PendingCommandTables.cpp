// Tables of the command layer that have not landed yet. Each owner deletes its own line
// here when its <Domain>Commands.cpp defines the table.
#include "app/core/CommandEntry.h"

namespace pict {

} // namespace pict
