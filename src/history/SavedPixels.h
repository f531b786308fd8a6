#pragma once
// The pixels a history state keeps for undo: one rectangle of a surface's rows, held as they
// were (copied, or a whole surface's pixel memory shared read-only), compressed with zstd, or
// compressed in a swap file under $XDG_CACHE_HOME/pictorane/.
// The history moves the pixels of older states down that ladder when it is over its memory
// budget; restore reads them back from wherever they are, and the bytes never change.

#include "common/Geometry.h"
#include "surface/RasterSurface.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <utility>
#include <vector>

namespace pict {

// An allocator whose vectors grow without zero-filling: undo pixels are copied or
// decompressed over every byte right away, and filling a layer's worth of memory first cost
// as much as the copy itself.
template <class T> struct UnfilledAllocator : std::allocator<T> {
    template <class U> struct rebind {
        using other = UnfilledAllocator<U>;
    };
    UnfilledAllocator() = default;
    template <class U> UnfilledAllocator(const UnfilledAllocator<U>&) noexcept {}
    template <class U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <class U, class... Args> void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};
using SavedBytes = std::vector<uint8_t, UnfilledAllocator<uint8_t>>;

class SavedPixels {
public:
    enum class Place : uint8_t { Empty, Raw, Shared, Compressed, Swapped };

    SavedPixels() = default;
    SavedPixels(SavedPixels&& other) noexcept;
    SavedPixels& operator=(SavedPixels&& other) noexcept;
    SavedPixels(const SavedPixels&) = delete;
    SavedPixels& operator=(const SavedPixels&) = delete;
    ~SavedPixels(); // removes its swap file

    // Copies rect (clipped to the surface) of from's pixels. False, keeping what was held,
    // when the surface has no pixels, the rectangle misses it or memory runs out.
    bool save(const RasterSurface& from, const Rect& rect);
    // Keeps the whole of from as it is now without copying: a read-only view of its pixel
    // memory, which from copies (or replaces by new memory, see rewriteRows) before it next
    // changes. What save(from, from.bounds()) would keep, for the same restore. False,
    // keeping what was held, when the surface has no pixels or memory runs out.
    bool keep(const RasterSurface& from);
    // Writes the saved rows back into the same rectangle of to, which must have the depth
    // saved and contain the rectangle. False, leaving to untouched, otherwise or when the
    // compressed bytes or the swap file cannot be read back.
    bool restore(RasterSurface& to) const;
    void clear();

    bool isEmpty() const { return place_ == Place::Empty; }
    Place place() const { return place_; }
    const Rect& rect() const { return rect_; }
    int depth() const { return depth_; }
    // What the pixels cost in memory now (0 once swapped).
    int64_t memoryBytes() const;
    // What they would cost held raw.
    int64_t rawBytes() const { return int64_t(rowBytes_) * rect_.height(); }

    // Raw or shared to compressed. False (keeping them as they were) when compressing fails.
    bool compress();
    // Compressed (compressing first when raw) to a swap file in folder. False, keeping them
    // in memory, when the file cannot be written whole.
    bool swapOut(const std::filesystem::path& folder);

private:
    using ChunkSink = std::function<bool(const uint8_t* bytes, size_t size)>;

    bool unpack(SavedBytes& rows) const;
    // Row i (0 at the rectangle's top) of raw or shared pixels.
    const uint8_t* heldRow(int32_t i) const;
    // The swap file's content: the held frame as it is, or the raw rows compressed on the way.
    bool writeCompressed(std::ostream& out, size_t& written) const;
    bool compressInto(std::ostream& out, size_t& written) const;
    // Compresses the raw or shared rows into one zstd frame handed to sink piece by piece.
    bool compressRows(const ChunkSink& sink) const;

    Place place_ = Place::Empty;
    Rect rect_;
    int depth_ = 0;
    size_t rowBytes_ = 0;
    SavedBytes bytes_; // raw rows, or the compressed frame
    AnySurface shared_; // while shared: a read-only view of the whole surface
    std::filesystem::path file_; // while swapped
    size_t fileBytes_ = 0;
};

// The folder swap files go to: $XDG_CACHE_HOME/pictorane, else ~/.cache/pictorane, else the
// temporary folder's pictorane. Created when missing; empty when it cannot be.
std::filesystem::path historySwapFolder();
// Removes swap files in folder left by processes that no longer run (a crash). Returns how many.
int32_t removeStaleSwapFiles(const std::filesystem::path& folder);

} // namespace pict
