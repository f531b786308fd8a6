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

// Room for the frame zstd makes of raw bytes in the worst case, left unwritten: only the
// pages the frame is written to become resident (in 2 MiB pages where large), so the peak
// stays the raw pixels plus what they compress to, and the frame is kept in it, shortened,
// instead of being copied into memory of its size.
SavedBytes worstCaseFrame(size_t raw) {
    SavedBytes frame(ZSTD_compressBound(raw));
    preferLargePages(frame.data(), frame.size());
    return frame;
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
        shared_ = std::move(other.shared_);
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
    shared_.destroy();
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

bool SavedPixels::keep(const RasterSurface& from) {
    if (!from.isValid() || from.depth() % 8 != 0)
        return false;
    AnySurface view;
    if (!view.shareFrom(from))
        return false;
    clear();
    shared_ = std::move(view);
    place_ = Place::Shared;
    rect_ = from.bounds();
    depth_ = from.depth();
    rowBytes_ = size_t(rect_.width()) * size_t(depth_ / 8);
    return true;
}

int64_t SavedPixels::memoryBytes() const {
    switch (place_) {
    case Place::Shared:
        return shared_.imageSize();
    case Place::Swapped:
        return 0;
    default:
        return int64_t(bytes_.size());
    }
}

const uint8_t* SavedPixels::heldRow(int32_t i) const {
    if (place_ == Place::Shared)
        return shared_.row(rect_.top + i) + int64_t(rect_.left) * (depth_ / 8);
    return bytes_.data() + size_t(i) * rowBytes_;
}

bool SavedPixels::unpack(SavedBytes& rows) const {
    const size_t expected = size_t(rawBytes());
    SavedBytes frame;
    const SavedBytes* compressed = &bytes_;
    // Both buffers are written whole right after they are made: in 2 MiB pages, a layer's
    // worth of fresh memory costs a few dozen page faults instead of thousands.
    if (place_ == Place::Swapped) {
        std::ifstream in(file_, std::ios::binary);
        frame.resize(fileBytes_);
        preferLargePages(frame.data(), frame.size());
        if (!in.read(reinterpret_cast<char*>(frame.data()), std::streamsize(frame.size())))
            return false;
        compressed = &frame;
    }
    rows.resize(expected);
    preferLargePages(rows.data(), rows.size());
    const size_t got = ZSTD_decompress(rows.data(), expected, compressed->data(), compressed->size());
    return !ZSTD_isError(got) && got == expected;
}

bool SavedPixels::restore(RasterSurface& to) const {
    if (place_ == Place::Empty || !to.isValid() || to.depth() != depth_ || !to.bounds().contains(rect_))
        return false;
    try {
        const bool held = place_ == Place::Raw || place_ == Place::Shared;
        SavedBytes unpacked;
        if (!held && !unpack(unpacked))
            return false;
        const int bytesPerPixel = depth_ / 8;
        for (int32_t i = 0; i < rect_.height(); ++i)
            std::memcpy(to.row(rect_.top + i) + int64_t(rect_.left) * bytesPerPixel,
                        held ? heldRow(i) : unpacked.data() + size_t(i) * rowBytes_, rowBytes_);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool SavedPixels::compress() {
    if (place_ != Place::Raw && place_ != Place::Shared)
        return place_ != Place::Empty;
    try {
        SavedBytes packed = worstCaseFrame(size_t(rawBytes()));
        size_t size = 0;
        // Raw rows lie in one block, compressed at once; shared rows stream in row by row.
        const auto appendToFrame = [&](const uint8_t* bytes, size_t count) {
            if (count > packed.size() - size)
                return false;
            std::memcpy(packed.data() + size, bytes, count);
            size += count;
            return true;
        };
        if (place_ == Place::Raw)
            size = ZSTD_compress(packed.data(), packed.size(), bytes_.data(), bytes_.size(), kCompressionLevel);
        else if (!compressRows(appendToFrame))
            return false;
        if (ZSTD_isError(size))
            return false;
        packed.resize(size);
        bytes_ = std::move(packed);
    } catch (const std::bad_alloc&) {
        return false;
    }
    shared_.destroy();
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
        const bool ok = place_ == Place::Raw || place_ == Place::Shared ? compressInto(out, written)
                                                                       : writeCompressed(out, written);
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
    shared_.destroy();
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
    return compressRows([&out, &written](const uint8_t* bytes, size_t size) {
        out.write(reinterpret_cast<const char*>(bytes), std::streamsize(size));
        written += size;
        return bool(out);
    });
}

bool SavedPixels::compressRows(const ChunkSink& sink) const {
    const std::unique_ptr<ZSTD_CCtx, size_t (*)(ZSTD_CCtx*)> context(ZSTD_createCCtx(), ZSTD_freeCCtx);
    if (!context || ZSTD_isError(ZSTD_CCtx_setParameter(context.get(), ZSTD_c_compressionLevel, kCompressionLevel)) ||
        ZSTD_isError(ZSTD_CCtx_setPledgedSrcSize(context.get(), size_t(rawBytes()))))
        return false;
    try {
        std::vector<uint8_t> chunk(ZSTD_CStreamOutSize());
        // Feeds input until it is consumed (or, at the end, until the frame is complete).
        const auto feed = [&](ZSTD_inBuffer input, ZSTD_EndDirective mode) {
            for (;;) {
                ZSTD_outBuffer output{chunk.data(), chunk.size(), 0};
                const size_t left = ZSTD_compressStream2(context.get(), &output, &input, mode);
                if (ZSTD_isError(left) || (output.pos > 0 && !sink(chunk.data(), output.pos)))
                    return false;
                if (mode == ZSTD_e_end ? left == 0 : input.pos == input.size)
                    return true;
            }
        };
        if (place_ == Place::Raw)
            return feed({bytes_.data(), bytes_.size(), 0}, ZSTD_e_end);
        // Shared rows lie bottom-up and may be padded: one row at a time.
        for (int32_t i = 0; i < rect_.height(); ++i)
            if (!feed({heldRow(i), rowBytes_, 0}, ZSTD_e_continue))
                return false;
        return feed({nullptr, 0, 0}, ZSTD_e_end);
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
