// The Layer menu and the Layers panel's notifications.
#include "app/core/CommandEntry.h"

namespace pict {

std::span<const CommandEntry> layerCommandEntries() {
    return {};
}

} // namespace pict
