#include "app/session/RecoveryFiles.h"

#include "app/settings/AtomicFileWrite.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace pict {

namespace {

constexpr std::string_view kRecordSuffix = ".record";

bool processRuns(int64_t pid) {
    if (pid <= 0)
        return false;
    if (pid == int64_t(::getpid()))
        return true;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

// Values are single lines: a line break in a name would end its field early.
std::string oneLine(std::string value) {
    std::replace(value.begin(), value.end(), '\n', ' ');
    std::replace(value.begin(), value.end(), '\r', ' ');
    return value;
}

} // namespace

std::filesystem::path recoveryFolder() {
    namespace fs = std::filesystem;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && state[0] == '/')
        return fs::path(state) / "pictorane" / "recovery";
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return fs::path(home) / ".local" / "state" / "pictorane" / "recovery";
    std::error_code error;
    return fs::temp_directory_path(error) / "pictorane-recovery";
}

std::string recordText(const RecoveryRecord& r) {
    return "id=" + oneLine(r.id) + "\ntitle=" + oneLine(r.title) + "\npath=" + oneLine(r.path) +
           "\nformat=" + oneLine(r.format) + "\npid=" + std::to_string(r.processId) + "\n";
}

std::optional<RecoveryRecord> parseRecord(const std::string& text) {
    RecoveryRecord r;
    std::istringstream lines(text);
    std::string line;
    bool sawId = false;
    while (std::getline(lines, line)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            return std::nullopt;
        const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        if (key == "id") {
            r.id = value;
            sawId = true;
        } else if (key == "title") {
            r.title = value;
        } else if (key == "path") {
            r.path = value;
        } else if (key == "format") {
            r.format = value;
        } else if (key == "pid") {
            char* end = nullptr;
            r.processId = std::strtoll(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0')
                return std::nullopt;
        }
    }
    // The id names files in the folder: it must not lead anywhere else.
    if (!sawId || r.id.empty() || r.id.find('/') != std::string::npos || r.id.starts_with("."))
        return std::nullopt;
    return r;
}

std::string RecoveryStore::newId() { return std::to_string(::getpid()) + "-" + std::to_string(++serial_); }

bool RecoveryStore::writeRecord(const RecoveryRecord& record) const {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    return writeFileAtomically(recordPath(record.id), recordText(record));
}

void RecoveryStore::remove(const std::string& id) const {
    std::error_code error;
    std::filesystem::remove(picturePath(id), error);
    std::filesystem::remove(recordPath(id), error);
}

std::vector<RecoveryRecord> RecoveryStore::leftBehind() const {
    namespace fs = std::filesystem;
    std::vector<std::pair<fs::file_time_type, RecoveryRecord>> found;
    std::error_code error;
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
        const fs::path& file = it->path();
        if (file.extension() != kRecordSuffix)
            continue;
        std::ifstream in(file, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::optional<RecoveryRecord> record = parseRecord(text);
        if (!record || record->id != file.stem().string() || processRuns(record->processId))
            continue;
        std::error_code missing;
        if (!fs::is_regular_file(picturePath(record->id), missing))
            continue;
        found.emplace_back(fs::last_write_time(file, missing), std::move(*record));
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<RecoveryRecord> records;
    for (auto& entry : found)
        records.push_back(std::move(entry.second));
    return records;
}

std::string recoveryPromptText(size_t count) {
    return "Pictorane did not close normally. Recover " + std::to_string(count) + " unsaved images?";
}

} // namespace pict
