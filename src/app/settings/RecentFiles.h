#pragma once
// The recent-file list (most recent first, no two equal paths) and the items of the Recent
// Files menu built from it.

#include <cstdint>
#include <string>
#include <vector>

namespace pict {

class RecentFileList {
public:
    // Loading: appends unless the exact same text is already listed (empty paths are skipped).
    void append(const std::string& path);
    // Opening or saving: removes an equal entry, drops the last one when the list is full, and
    // puts the path in front. An empty path changes nothing.
    void addToFront(const std::string& path, int32_t maxCount);
    // Choosing a menu entry: that entry goes to the front. False for a bad index.
    bool moveToFront(size_t index);
    bool remove(const std::string& path);
    void clear() { paths_.clear(); }
    // Drops entries from the end until at most maxCount remain.
    void trimTo(int32_t maxCount);

    size_t count() const { return paths_.size(); }
    bool isEmpty() const { return paths_.empty(); }
    // Empty text for an index out of range.
    const std::string& at(size_t index) const;
    const std::vector<std::string>& all() const { return paths_; }

private:
    std::vector<std::string> paths_;
};

struct RecentMenuItem {
    uint16_t id = 0; // 0 for the separator
    std::string text;
    bool enabled = true;
};

// Rebuilds the Recent Files menu: trims the list to maxCount first, then gives "(Empty)"
// (grayed) for an empty list, otherwise one "&%i  %s" item per entry, a separator and
// "Clear Recent". Literal ampersands in paths are doubled so the menu shows them as typed.
std::vector<RecentMenuItem> buildRecentFilesMenu(RecentFileList& list, int32_t maxCount);

// A path of more than maxChars characters (UTF-8 code points) keeps its start and its end
// around "...", so the file name stays readable.
std::string shortenPathForMenu(const std::string& path, size_t maxChars = 200);

} // namespace pict
