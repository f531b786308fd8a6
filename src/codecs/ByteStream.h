#pragma once
// The seekable byte stream every codec reads and writes through, over a file or a block
// of memory. Codecs never touch files or memory directly.
//
// Sizes and offsets are 64-bit: a bitmap of a 30000 x 30000 canvas is larger than 2 GiB.
// Every operation on a stream that is not open fails (false, 0 or -1).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pict {

enum class SeekOrigin : int { Start = 0, Current = 1, End = 2 };

class ByteStream {
public:
    ByteStream() = default;
    ByteStream(const ByteStream&) = delete;
    ByteStream& operator=(const ByteStream&) = delete;
    virtual ~ByteStream() = default;

    // Not open, or positioned beyond the end.
    virtual bool isBad() const { return !isOpen() || position() > size(); }
    virtual bool atEnd() const { return position() >= size(); }
    virtual bool isOpen() const = 0;
    virtual int64_t size() const = 0;
    virtual int64_t position() const = 0;
    bool seekTo(int64_t offset) { return seek(offset, SeekOrigin::Start); }
    virtual bool close() = 0;

    // Transfer up to elementSize * count bytes; the result is the number of whole elements
    // done. A null buffer or a zero size or count transfers nothing.
    virtual int64_t read(void* buffer, size_t elementSize, size_t count) = 0;
    virtual int64_t write(const void* buffer, size_t elementSize, size_t count) = 0;
    virtual bool flush() = 0;

    // The next byte 0..255, or -1 when none could be read.
    virtual int readByte();
    // Writes the low byte of value.
    virtual bool writeByte(int value);
    virtual bool seek(int64_t offset, SeekOrigin origin) = 0;
    bool rewind() { return seek(0, SeekOrigin::Start); }
    // Cuts the stream at the position (used when rewriting shortens a file). Fixed windows
    // onto memory cannot be cut.
    virtual bool truncateHere() { return false; }
    bool seekEnd() { return seek(0, SeekOrigin::End); }

    // Whole-buffer conveniences for codecs: true only when every byte was transferred.
    bool readExact(void* buffer, size_t bytes) { return bytes == 0 || read(buffer, bytes, 1) == 1; }
    bool writeExact(const void* buffer, size_t bytes) { return bytes == 0 || write(buffer, bytes, 1) == 1; }
    // Bytes between the position and the end (0 when bad).
    int64_t remaining() const {
        const int64_t left = size() - position();
        return isOpen() && left > 0 ? left : 0;
    }
};

// A POSIX file with a read-ahead and write-behind buffer, so that byte-wise readers (run-length
// data, JPEG markers) do not cost a system call per byte.
class FileStream : public ByteStream {
public:
    FileStream();
    ~FileStream() override;

    // Creates or truncates the file, read and write access. Fails when already open.
    bool openForWrite(const std::string& path);
    // Opens an existing file read-only. Fails when already open.
    bool openForRead(const std::string& path);

    bool isOpen() const override { return fd_ >= 0; }
    int64_t size() const override;
    int64_t position() const override;
    bool close() override;
    int64_t read(void* buffer, size_t elementSize, size_t count) override;
    int64_t write(const void* buffer, size_t elementSize, size_t count) override;
    bool flush() override;
    int readByte() override;
    bool seek(int64_t offset, SeekOrigin origin) override;
    bool truncateHere() override;

    // Forces the data to the storage device (after flush); used before a file replaces another.
    bool sync();

protected:
    bool adopt(int fd, bool writable);
    int fd_ = -1;

private:
    bool dropReadAhead();
    bool fill();

    std::vector<uint8_t> buffer_;
    int64_t bufferStart_ = 0; // file offset of buffer_[0]
    size_t bufferUsed_ = 0;   // read-ahead: valid bytes; write-behind: pending bytes
    size_t bufferPos_ = 0;    // read-ahead: next byte to hand out
    bool writing_ = false;    // the buffer holds pending writes
    bool failed_ = false;     // a write-behind flush failed; every later write fails too
    bool writable_ = false;
};

// Writes a file under a temporary name in the target's folder; commit() flushes it to the
// device and renames it over the target, so the old file stays intact until the new one is
// complete. Without commit (or when it fails) the temporary file is removed.
class ReplacingFileStream : public FileStream {
public:
    ~ReplacingFileStream() override;
    bool openForReplace(const std::string& target);
    bool commit();
    // Closes and deletes the temporary file.
    void abandon();
    const std::string& temporaryPath() const { return tempPath_; }

private:
    std::string target_;
    std::string tempPath_;
};

// Writes a whole file through a ReplacingFileStream: write fills the stream, and only when it
// succeeds (and the stream is sound) does the new file replace the old one.
bool writeReplacingFile(const std::string& path, const std::function<bool(ByteStream&)>& write);

// A window onto memory with a position. Reads and writes copy at most up to the end; only an
// owned, growable buffer extends on writes. Seeking succeeds only to 0..size-1.
class MemoryStream : public ByteStream {
public:
    MemoryStream() = default;
    MemoryStream(const void* data, int64_t size) { attach(data, size); }

    // Read-only view of caller memory. Fails when open, on a null pointer or a size <= 0.
    bool attach(const void* data, int64_t size);
    // Read-write view of caller memory of fixed size.
    bool attachWritable(void* data, int64_t size);
    // An owned buffer that grows as it is written (used for saving to memory).
    bool openOwned(size_t reserve = 0);

    bool isOpen() const override { return open_; }
    bool atEnd() const override { return !open_ || position_ >= size(); }
    int64_t size() const override;
    int64_t position() const override { return open_ ? position_ : 0; }
    bool close() override;
    int64_t read(void* buffer, size_t elementSize, size_t count) override;
    int64_t write(const void* buffer, size_t elementSize, size_t count) override;
    bool flush() override { return open_; }
    int readByte() override;
    bool seek(int64_t offset, SeekOrigin origin) override;
    bool truncateHere() override;

    // The bytes of an owned buffer (empty otherwise).
    const std::vector<uint8_t>& ownedBytes() const { return owned_; }
    std::vector<uint8_t> takeOwnedBytes();

private:
    const uint8_t* data_ = nullptr;
    uint8_t* writable_ = nullptr;
    int64_t size_ = 0;
    int64_t position_ = 0;
    bool open_ = false;
    bool ownsBuffer_ = false;
    std::vector<uint8_t> owned_;
};

} // namespace pict
