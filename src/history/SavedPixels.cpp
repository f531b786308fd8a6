#include "history/SavedPixels.h"

#include "surface/LargePages.h"

#include <zstd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <new>
#include <signal.h>
#include <string>
#include <system_error>
#include <unistd.h>

namespace pict {
namespace {

// Fast over strong: compressing happens between two user actions.
constexpr int kCompressionLevel = 1;
constexpr const char* kSwapPrefix = "history-";

std::atomic<uint64_t> swapCounter{0};

std::filesystem::path swapFileName(const std::filesystem::path& folder) {
    return folder / (std::string(kSwapPrefix) + std::to_string(::getpid()) + "-" +
                     std::to_string(++swapCounter) + ".zst");
}

} // namespace

SavedPixels::SavedPixels(SavedPixels&& other) noexcept {
    *this = std::move(other);
}

SavedPixels& SavedPixels::operator=(SavedPixels&& other) noexcept {
    if (this != &other) {
        clear();
        place_ = other.place_;
        rect_ = other.rect_;
        depth_ = other.depth_;
        rowBytes_ = other.rowBytes_;
        bytes_ = std::move(other.bytes_);
        file_ = std::move(other.file_);
        fileBytes_ = other.fileBytes_;
        other.place_ = Place::Empty;
        other.file_.clear();
    }
    return *this;
}

SavedPixels::~SavedPixels() {
    clear();
}

void SavedPixels::clear() {
    if (!file_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(file_, ignored);
        file_.clear();
    }
    bytes_.clear();
    bytes_.shrink_to_fit();
    place_ = Place::Empty;
    rect_ = {};
    depth_ = 0;
    rowBytes_ = 0;
    fileBytes_ = 0;
}

bool SavedPixels::save(const RasterSurface& from, const Rect& rect) {
    const Rect clipped = rect.intersected(from.bounds());
    if (!from.isValid() || clipped.isEmpty() || from.depth() % 8 != 0)
        return false;
    const int bytesPerPixel = from.depth() / 8;
    const size_t rowBytes = size_t(clipped.width()) * size_t(bytesPerPixel);
    try {
        SavedBytes rows(rowBytes * size_t(clipped.height()));
        preferLargePages(rows.data(), rows.size());
        for (int32_t y = clipped.top; y < clipped.bottom; ++y)
            std::memcpy(rows.data() + size_t(y - clipped.top) * rowBytes,
                        from.row(y) + int64_t(clipped.left) * bytesPerPixel, rowBytes);
        clear();
        bytes_ = std::move(rows);
    } catch (const std::bad_alloc&) {
        return false;
    }
    place_ = Place::Raw;
    rect_ = clipped;
    depth_ = from.depth();
    rowBytes_ = rowBytes;
    return true;
}

int64_t SavedPixels::memoryBytes() const {
    return place_ == Place::Swapped ? 0 : int64_t(bytes_.size());
}

bool SavedPixels::unpack(SavedBytes& rows) const {
    const size_t expected = size_t(rawBytes());
    SavedBytes frame;
    const SavedBytes* compressed = &bytes_;
    if (place_ == Place::Swapped) {
        std::ifstream in(file_, std::ios::binary);
        frame.resize(fileBytes_);
        if (!in.read(reinterpret_cast<char*>(frame.data()), std::streamsize(frame.size())))
            return false;
        compressed = &frame;
    }
    rows.resize(expected);
    const size_t got = ZSTD_decompress(rows.data(), expected, compressed->data(), compressed->size());
    return !ZSTD_isError(got) && got == expected;
}

bool SavedPixels::restore(RasterSurface& to) const {
    if (place_ == Place::Empty || !to.isValid() || to.depth() != depth_ || !to.bounds().contains(rect_))
        return false;
    try {
        SavedBytes unpacked;
        const SavedBytes* rows = &bytes_;
        if (place_ != Place::Raw) {
            if (!unpack(unpacked))
                return false;
            rows = &unpacked;
        }
        const int bytesPerPixel = depth_ / 8;
        for (int32_t y = rect_.top; y < rect_.bottom; ++y)
            std::memcpy(to.row(y) + int64_t(rect_.left) * bytesPerPixel,
                        rows->data() + size_t(y - rect_.top) * rowBytes_, rowBytes_);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool SavedPixels::compress() {
    if (place_ != Place::Raw)
        return place_ != Place::Empty;
    try {
        // Room for the worst case, left uninitialised: only the pages the frame is written to
        // become resident, so the peak stays the raw pixels plus what they compress to.
        const size_t bound = ZSTD_compressBound(bytes_.size());
        const std::unique_ptr<uint8_t[]> frame(new uint8_t[bound]);
        const size_t size = ZSTD_compress(frame.get(), bound, bytes_.data(), bytes_.size(), kCompressionLevel);
        if (ZSTD_isError(size))
            return false;
        SavedBytes packed(frame.get(), frame.get() + size);
        bytes_ = std::move(packed);
    } catch (const std::bad_alloc&) {
        return false;
    }
    place_ = Place::Compressed;
    return true;
}

bool SavedPixels::swapOut(const std::filesystem::path& folder) {
    if (place_ == Place::Swapped)
        return true;
    if (place_ == Place::Empty || folder.empty())
        return false;
    const std::filesystem::path file = swapFileName(folder);
    size_t written = 0;
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        // Raw pixels are compressed straight into the file through a small buffer rather
        // than into memory first: swapping happens when memory is what is short.
        const bool ok = place_ == Place::Raw ? compressInto(out, written) : writeCompressed(out, written);
        out.flush();
        if (!ok || !out) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(file, ignored);
            return false;
        }
    }
    file_ = file;
    fileBytes_ = written;
    bytes_.clear();
    bytes_.shrink_to_fit();
    place_ = Place::Swapped;
    return true;
}

bool SavedPixels::writeCompressed(std::ostream& out, size_t& written) const {
    out.write(reinterpret_cast<const char*>(bytes_.data()), std::streamsize(bytes_.size()));
    written = bytes_.size();
    return bool(out);
}

bool SavedPixels::compressInto(std::ostream& out, size_t& written) const {
    written = 0;
    const std::unique_ptr<ZSTD_CCtx, size_t (*)(ZSTD_CCtx*)> context(ZSTD_createCCtx(), ZSTD_freeCCtx);
    if (!context || ZSTD_isError(ZSTD_CCtx_setParameter(context.get(), ZSTD_c_compressionLevel, kCompressionLevel)) ||
        ZSTD_isError(ZSTD_CCtx_setPledgedSrcSize(context.get(), bytes_.size())))
        return false;
    try {
        std::vector<uint8_t> chunk(ZSTD_CStreamOutSize());
        ZSTD_inBuffer input{bytes_.data(), bytes_.size(), 0};
        for (;;) {
            ZSTD_outBuffer output{chunk.data(), chunk.size(), 0};
            const size_t left = ZSTD_compressStream2(context.get(), &output, &input, ZSTD_e_end);
            if (ZSTD_isError(left))
                return false;
            out.write(reinterpret_cast<const char*>(chunk.data()), std::streamsize(output.pos));
            written += output.pos;
            if (!out)
                return false;
            if (left == 0)
                return true;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::filesystem::path historySwapFolder() {
    std::filesystem::path base;
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && cache[0] == '/')
        base = cache;
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        base = std::filesystem::path(home) / ".cache";
    else
        base = std::filesystem::temp_directory_path();
    const std::filesystem::path folder = base / "pictorane";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return error ? std::filesystem::path() : folder;
}

int32_t removeStaleSwapFiles(const std::filesystem::path& folder) {
    int32_t removed = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(kSwapPrefix, 0) != 0)
            continue;
        const long pid = std::strtol(name.c_str() + std::strlen(kSwapPrefix), nullptr, 10);
        // A process that still runs keeps its files (another editor, a batch run).
        if (pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM))
            continue;
        std::error_code ignored;
        if (std::filesystem::remove(entry.path(), ignored))
            ++removed;
    }
    return removed;
}

} // namespace pict
