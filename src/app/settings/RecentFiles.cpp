#include "app/settings/RecentFiles.h"

#include "app/commands/CommandIds.h"
#include "app/commands/menus/MenuText.h"

#include <algorithm>
#include <cstdio>

namespace pict {

void RecentFileList::append(const std::string& path) {
    if (path.empty() || std::find(paths_.begin(), paths_.end(), path) != paths_.end())
        return;
    paths_.push_back(path);
}

void RecentFileList::addToFront(const std::string& path, int32_t maxCount) {
    if (path.empty())
        return;
    remove(path);
    if (maxCount < 1)
        maxCount = 1;
    while (paths_.size() >= static_cast<size_t>(maxCount))
        paths_.pop_back();
    paths_.insert(paths_.begin(), path);
}

bool RecentFileList::moveToFront(size_t index) {
    if (index >= paths_.size())
        return false;
    std::string path = std::move(paths_[index]);
    paths_.erase(paths_.begin() + static_cast<std::ptrdiff_t>(index));
    paths_.insert(paths_.begin(), std::move(path));
    return true;
}

bool RecentFileList::remove(const std::string& path) {
    auto it = std::find(paths_.begin(), paths_.end(), path);
    if (it == paths_.end())
        return false;
    paths_.erase(it);
    return true;
}

void RecentFileList::trimTo(int32_t maxCount) {
    size_t limit = maxCount < 0 ? 0 : static_cast<size_t>(maxCount);
    if (paths_.size() > limit)
        paths_.resize(limit);
}

const std::string& RecentFileList::at(size_t index) const {
    static const std::string none;
    return index < paths_.size() ? paths_[index] : none;
}

namespace {

// Byte offsets of every code point start, plus the end.
std::vector<size_t> codePointStarts(const std::string& text) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    starts.push_back(text.size());
    return starts;
}

} // namespace

std::string shortenPathForMenu(const std::string& path, size_t maxChars) {
    std::vector<size_t> starts = codePointStarts(path);
    size_t chars = starts.size() - 1;
    if (chars <= maxChars || maxChars < 5)
        return chars <= maxChars ? path : path.substr(0, starts[maxChars]);
    const size_t head = maxChars / 4;
    const size_t tail = maxChars - head - 3;
    return path.substr(0, starts[head]) + "..." + path.substr(starts[chars - tail]);
}

std::vector<RecentMenuItem> buildRecentFilesMenu(RecentFileList& list, int32_t maxCount) {
    list.trimTo(maxCount);
    std::vector<RecentMenuItem> items;
    if (list.isEmpty()) {
        items.push_back({kCmdRecentFileFirst, "(Empty)", false});
        return items;
    }
    // The command ids stop at 16 entries, which is also the largest allowed maximum.
    const size_t shown = std::min<size_t>(list.count(), kCmdRecentFileLast - kCmdRecentFileFirst + 1);
    for (size_t i = 0; i < shown; ++i) {
        char number[32];
        std::snprintf(number, sizeof number, "&%zu  ", i + 1);
        items.push_back({static_cast<uint16_t>(kCmdRecentFileFirst + i),
                         number + escapeAmpersands(shortenPathForMenu(list.at(i))), true});
    }
    items.push_back({0, "", true});
    items.push_back({kCmdClearRecent, "Clear Recent", true});
    return items;
}

} // namespace pict
