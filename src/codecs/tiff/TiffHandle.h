#pragma once
// An open libtiff handle over our byte streams, with libtiff's complaints kept for the report
// rather than printed.

#include "codecs/ByteStream.h"

#include <tiffio.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pict {

class TiffHandle {
public:
    TiffHandle() = default;
    TiffHandle(const TiffHandle&) = delete;
    TiffHandle& operator=(const TiffHandle&) = delete;
    ~TiffHandle();

    // What a handle opened for reading is for: the directory alone (the strip tables are not
    // read and a single uncompressed strip is not split), or the pixels (libtiff splits such
    // a strip into small ones, so that a file cut short keeps the rows before the cut). A few
    // bytes may claim millions of rows; splitting them built tables of millions of entries,
    // so a page's size is checked on a Directory handle before a Pixels handle is opened.
    enum class Purpose { Directory, Pixels };
    // Opens the stream for reading from its current start.
    bool openForRead(ByteStream& stream, Purpose purpose);
    // Opens for writing into bytes(), which grows as libtiff writes and seeks.
    bool openForWrite();
    // Writes the directory and closes; bytes() then holds the whole file.
    bool finish();

    TIFF* tiff() const { return tiff_; }
    const std::vector<uint8_t>& bytes() const { return written_; }
    // libtiff's first error message, or empty.
    const std::string& error() const { return error_; }

    // For the I/O callbacks.
    ByteStream* source_ = nullptr;
    std::vector<uint8_t> written_;
    uint64_t writePosition_ = 0;
    std::string error_;

private:
    bool open(const char* mode);
    TIFF* tiff_ = nullptr;
};

} // namespace pict
