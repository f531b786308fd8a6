#include "app/settings/AtomicFileWrite.h"

#include "codecs/ByteStream.h"

namespace pict {

bool writeFileAtomically(const std::filesystem::path& target, std::string_view data) {
    if (target.filename().empty())
        return false;
    return writeReplacingFile(target.string(),
                              [&](ByteStream& stream) { return stream.writeExact(data.data(), data.size()); });
}

} // namespace pict
