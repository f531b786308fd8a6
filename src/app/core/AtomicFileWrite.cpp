#include "app/core/AtomicFileWrite.h"

#include "codecs/ByteStream.h"

namespace pict {

bool writeFileAtomically(const std::filesystem::path& target, std::string_view data) {
    if (target.filename().empty())
        return false;
    ReplacingFileStream stream;
    if (!stream.openForReplace(target.string()))
        return false;
    if (!stream.writeExact(data.data(), data.size())) {
        stream.abandon();
        return false;
    }
    return stream.commit();
}

} // namespace pict
