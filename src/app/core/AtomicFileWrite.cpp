#include "app/core/AtomicFileWrite.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace pict {
namespace {

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

} // namespace

bool writeFileAtomically(const std::filesystem::path& target, std::string_view data) {
    if (target.filename().empty())
        return false;
    std::string pattern = target.string() + ".tmp-XXXXXX";
    int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, data) && ::fsync(fd) == 0;
    // mkstemp creates the file readable by the owner only: keep the mode of the file being
    // replaced, or give a new file the ordinary one.
    struct stat existing {};
    mode_t mode = ::stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
    ok = ok && ::fchmod(fd, mode) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(pattern.c_str(), target.c_str()) == 0;
    if (!ok)
        ::unlink(pattern.c_str());
    return ok;
}

} // namespace pict
