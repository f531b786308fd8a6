#include "codecs/ByteStream.h"

#include "surface/PixelWorkCancellation.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace pict {

namespace {

constexpr size_t kFileBufferBytes = 64 * 1024;

// Total byte count of a request, or 0 when it is empty or would overflow.
size_t requestBytes(const void* buffer, size_t elementSize, size_t count) {
    if (!buffer || elementSize == 0 || count == 0 || count > SIZE_MAX / elementSize)
        return 0;
    return elementSize * count;
}

bool preadAll(int fd, uint8_t* out, size_t bytes, int64_t offset, size_t& done) {
    done = 0;
    while (done < bytes) {
        const ssize_t got = ::pread(fd, out + done, bytes - done, offset + int64_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        done += size_t(got);
    }
    return true;
}

bool pwriteAll(int fd, const uint8_t* in, size_t bytes, int64_t offset, size_t& done) {
    done = 0;
    while (done < bytes) {
        const ssize_t put = ::pwrite(fd, in + done, bytes - done, offset + int64_t(done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += size_t(put);
    }
    return true;
}

} // namespace

// ---- ByteStream ----

int ByteStream::readByte() {
    uint8_t byte = 0;
    return read(&byte, 1, 1) == 1 ? byte : -1;
}

bool ByteStream::writeByte(int value) {
    const uint8_t byte = static_cast<uint8_t>(value & 0xFF);
    return write(&byte, 1, 1) == 1;
}

// ---- FileStream ----
// The logical position is bufferStart_ + bufferPos_ while reading and bufferStart_ +
// bufferUsed_ while writing; positioned reads and writes keep the descriptor's own offset
// out of the picture.

FileStream::FileStream() = default;

FileStream::~FileStream() { close(); }

bool FileStream::adopt(int fd, bool writable) {
    try {
        buffer_.resize(kFileBufferBytes);
    } catch (const std::bad_alloc&) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    bufferStart_ = 0;
    bufferUsed_ = 0;
    bufferPos_ = 0;
    writing_ = false;
    failed_ = false;
    writable_ = writable;
    return true;
}

bool FileStream::openForWrite(const std::string& path) {
    if (isOpen())
        return false;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return fd >= 0 && adopt(fd, true);
}

bool FileStream::openForRead(const std::string& path) {
    if (isOpen())
        return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return false;
    }
    return adopt(fd, false);
}

int64_t FileStream::size() const {
    if (!isOpen())
        return 0;
    struct stat info {};
    if (::fstat(fd_, &info) != 0)
        return 0;
    const int64_t onDisk = info.st_size;
    return writing_ ? std::max(onDisk, bufferStart_ + int64_t(bufferUsed_)) : onDisk;
}

int64_t FileStream::position() const {
    if (!isOpen())
        return 0;
    return bufferStart_ + int64_t(writing_ ? bufferUsed_ : bufferPos_);
}

bool FileStream::close() {
    if (!isOpen())
        return false;
    const bool flushed = flush();
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    buffer_.clear();
    buffer_.shrink_to_fit();
    bufferStart_ = 0;
    bufferUsed_ = bufferPos_ = 0;
    writing_ = false;
    return flushed && closed;
}

bool FileStream::flush() {
    if (!isOpen())
        return false;
    if (!writing_)
        return !failed_;
    size_t done = 0;
    const bool ok = !failed_ && pwriteAll(fd_, buffer_.data(), bufferUsed_, bufferStart_, done);
    if (!ok)
        failed_ = true;
    bufferStart_ += int64_t(done);
    bufferUsed_ = 0;
    bufferPos_ = 0;
    writing_ = false;
    return ok;
}

bool FileStream::sync() { return flush() && ::fsync(fd_) == 0; }

bool FileStream::dropReadAhead() {
    if (writing_)
        return flush();
    bufferStart_ += int64_t(bufferPos_);
    bufferUsed_ = bufferPos_ = 0;
    return true;
}

bool FileStream::fill() {
    bufferStart_ += int64_t(bufferPos_);
    bufferUsed_ = bufferPos_ = 0;
    // A cancelled open reads no further; what was read is dropped by whoever cancelled.
    if (pixelWorkCancelled())
        return false;
    size_t got = 0;
    if (!preadAll(fd_, buffer_.data(), buffer_.size(), bufferStart_, got))
        return false;
    bufferUsed_ = got;
    return got > 0;
}

int64_t FileStream::read(void* buffer, size_t elementSize, size_t count) {
    const size_t bytes = requestBytes(buffer, elementSize, count);
    if (!isOpen() || bytes == 0)
        return 0;
    if (writing_ && !flush())
        return 0;
    auto* out = static_cast<uint8_t*>(buffer);
    size_t done = 0;
    while (done < bytes) {
        const size_t buffered = bufferUsed_ - bufferPos_;
        if (buffered > 0) {
            const size_t take = std::min(buffered, bytes - done);
            std::memcpy(out + done, buffer_.data() + bufferPos_, take);
            bufferPos_ += take;
            done += take;
            continue;
        }
        if (bytes - done >= buffer_.size()) {
            // Large reads go straight to the caller's memory.
            dropReadAhead();
            size_t got = 0;
            preadAll(fd_, out + done, bytes - done, bufferStart_, got);
            bufferStart_ += int64_t(got);
            done += got;
            break;
        }
        if (!fill())
            break;
    }
    return int64_t(done / elementSize);
}

int FileStream::readByte() {
    if (!isOpen())
        return -1;
    if (!writing_ && bufferPos_ < bufferUsed_)
        return buffer_[bufferPos_++];
    return ByteStream::readByte();
}

int64_t FileStream::write(const void* buffer, size_t elementSize, size_t count) {
    const size_t bytes = requestBytes(buffer, elementSize, count);
    if (!isOpen() || bytes == 0 || failed_ || !writable_)
        return 0;
    // A cancelled save stops writing; its file is then abandoned.
    if (pixelWorkCancelled()) {
        failed_ = true;
        return 0;
    }
    if (!writing_) {
        dropReadAhead();
        writing_ = true;
    }
    const auto* in = static_cast<const uint8_t*>(buffer);
    if (bufferUsed_ + bytes > buffer_.size()) {
        if (!flush())
            return 0;
        writing_ = true;
    }
    if (bytes >= buffer_.size()) {
        size_t done = 0;
        if (!pwriteAll(fd_, in, bytes, bufferStart_, done))
            failed_ = true;
        bufferStart_ += int64_t(done);
        return int64_t(done / elementSize);
    }
    std::memcpy(buffer_.data() + bufferUsed_, in, bytes);
    bufferUsed_ += bytes;
    return int64_t(count);
}

bool FileStream::seek(int64_t offset, SeekOrigin origin) {
    if (!isOpen())
        return false;
    int64_t base = 0;
    switch (origin) {
    case SeekOrigin::Start:
        base = 0;
        break;
    case SeekOrigin::Current:
        base = position();
        break;
    case SeekOrigin::End:
        base = size();
        break;
    }
    if ((offset > 0 && base > INT64_MAX - offset) || base + offset < 0)
        return false;
    const int64_t target = base + offset;
    if (writing_) {
        if (target == position())
            return true;
        if (!flush())
            return false;
    }
    if (target >= bufferStart_ && target <= bufferStart_ + int64_t(bufferUsed_)) {
        bufferPos_ = size_t(target - bufferStart_);
    } else {
        bufferStart_ = target;
        bufferUsed_ = bufferPos_ = 0;
    }
    return true;
}

bool FileStream::truncateHere() {
    if (!isOpen())
        return false;
    const int64_t at = position();
    if (!flush() || ::ftruncate(fd_, at) != 0)
        return false;
    if (bufferStart_ + int64_t(bufferUsed_) > at) {
        bufferStart_ = at;
        bufferUsed_ = bufferPos_ = 0;
    }
    return true;
}

// ---- ReplacingFileStream ----

ReplacingFileStream::~ReplacingFileStream() { abandon(); }

bool ReplacingFileStream::openForReplace(const std::string& target) {
    if (isOpen() || target.empty())
        return false;
    // Replace what a symbolic link points at, not the link itself.
    std::string resolved = target;
    struct stat linkInfo {};
    if (::lstat(target.c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode)) {
        if (char* real = ::realpath(target.c_str(), nullptr)) {
            resolved = real;
            std::free(real);
        }
    }
    struct stat existing {};
    const bool exists = ::stat(resolved.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return false;
    // Renaming would replace a write-protected file as readily as any other; a file the user
    // may not write stays as it is.
    if (exists && ::access(resolved.c_str(), W_OK) != 0)
        return false;

    const size_t slash = resolved.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : resolved.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? resolved : resolved.substr(slash + 1);
    std::string pattern = (slash == std::string::npos ? std::string() : folder) + "." + name + ".XXXXXX";
    std::vector<char> templ(pattern.begin(), pattern.end());
    templ.push_back('\0');
    const int fd = ::mkostemp(templ.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    // The new file gets the old file's permissions, or the usual ones for a new file.
    mode_t mode = 0;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    (void)::fchmod(fd, mode);
    // Keep the old file's owner where we may (an administrator editing someone's file).
    if (exists)
        (void)::fchown(fd, existing.st_uid, existing.st_gid);
    tempPath_ = templ.data();
    target_ = resolved;
    if (!adopt(fd, true)) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
        return false;
    }
    return true;
}

bool ReplacingFileStream::commit() {
    if (!isOpen())
        return false;
    const bool written = !pixelWorkCancelled() && sync();
    const bool closed = close();
    // Cancelling up to the rename leaves the old file as it was.
    if (!written || !closed || pixelWorkCancelled() || ::rename(tempPath_.c_str(), target_.c_str()) != 0) {
        abandon();
        return false;
    }
    tempPath_.clear();
    // Make the rename itself durable.
    const size_t slash = target_.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : target_.substr(0, slash + 1);
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        (void)::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

void ReplacingFileStream::abandon() {
    if (isOpen())
        close();
    if (!tempPath_.empty()) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
    }
}

bool writeReplacingFile(const std::string& path, const std::function<bool(ByteStream&)>& write) {
    ReplacingFileStream stream;
    if (!stream.openForReplace(path))
        return false;
    if (!write(stream) || stream.isBad()) {
        stream.abandon();
        return false;
    }
    return stream.commit();
}

// ---- MemoryStream ----

bool MemoryStream::attach(const void* data, int64_t size) {
    if (open_ || !data || size <= 0)
        return false;
    data_ = static_cast<const uint8_t*>(data);
    writable_ = nullptr;
    size_ = size;
    position_ = 0;
    ownsBuffer_ = false;
    open_ = true;
    return true;
}

bool MemoryStream::attachWritable(void* data, int64_t size) {
    if (!attach(data, size))
        return false;
    writable_ = static_cast<uint8_t*>(data);
    return true;
}

bool MemoryStream::openOwned(size_t reserve) {
    if (open_)
        return false;
    try {
        owned_.clear();
        owned_.reserve(reserve);
    } catch (const std::bad_alloc&) {
        return false;
    }
    data_ = nullptr;
    writable_ = nullptr;
    size_ = 0;
    position_ = 0;
    ownsBuffer_ = true;
    open_ = true;
    return true;
}

int64_t MemoryStream::size() const {
    if (!open_)
        return 0;
    return ownsBuffer_ ? int64_t(owned_.size()) : size_;
}

bool MemoryStream::close() {
    if (!open_)
        return false;
    open_ = false;
    data_ = nullptr;
    writable_ = nullptr;
    size_ = position_ = 0;
    if (ownsBuffer_) {
        owned_.clear();
        owned_.shrink_to_fit();
    }
    ownsBuffer_ = false;
    return true;
}

std::vector<uint8_t> MemoryStream::takeOwnedBytes() {
    std::vector<uint8_t> out;
    if (ownsBuffer_) {
        out.swap(owned_);
        position_ = 0;
    }
    return out;
}

int64_t MemoryStream::read(void* buffer, size_t elementSize, size_t count) {
    const size_t bytes = requestBytes(buffer, elementSize, count);
    if (!open_ || bytes == 0)
        return 0;
    const int64_t left = size() - position_;
    if (left <= 0)
        return 0;
    const size_t take = size_t(std::min<int64_t>(left, int64_t(bytes)));
    const uint8_t* source = ownsBuffer_ ? owned_.data() : data_;
    std::memcpy(buffer, source + position_, take);
    position_ += int64_t(take);
    return int64_t(take / elementSize);
}

int MemoryStream::readByte() {
    if (!open_ || position_ >= size())
        return -1;
    const uint8_t* source = ownsBuffer_ ? owned_.data() : data_;
    return source[position_++];
}

int64_t MemoryStream::write(const void* buffer, size_t elementSize, size_t count) {
    const size_t bytes = requestBytes(buffer, elementSize, count);
    if (!open_ || bytes == 0)
        return 0;
    if (ownsBuffer_) {
        try {
            const size_t end = size_t(position_) + bytes;
            if (end > owned_.size())
                owned_.resize(end);
        } catch (const std::bad_alloc&) {
            return 0;
        }
        std::memcpy(owned_.data() + position_, buffer, bytes);
        position_ += int64_t(bytes);
        return int64_t(count);
    }
    if (!writable_)
        return 0;
    const int64_t left = size_ - position_;
    if (left <= 0)
        return 0;
    const size_t put = size_t(std::min<int64_t>(left, int64_t(bytes)));
    std::memcpy(writable_ + position_, buffer, put);
    position_ += int64_t(put);
    return int64_t(put / elementSize);
}

bool MemoryStream::truncateHere() {
    if (!open_ || !ownsBuffer_)
        return false;
    owned_.resize(size_t(position_));
    return true;
}

bool MemoryStream::seek(int64_t offset, SeekOrigin origin) {
    if (!open_)
        return false;
    const int64_t base = origin == SeekOrigin::Start ? 0 : origin == SeekOrigin::Current ? position_ : size();
    const int64_t target = base + offset;
    // The end itself is not a valid position of a memory window; an empty owned buffer may
    // still be rewound so that it can be written from the start.
    if (target == 0 && ownsBuffer_) {
        position_ = 0;
        return true;
    }
    if (target < 0 || target > size() - 1)
        return false;
    position_ = target;
    return true;
}

} // namespace pict
