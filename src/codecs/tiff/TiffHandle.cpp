#include "codecs/tiff/TiffHandle.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace pict {

namespace {

TiffHandle& handleOf(thandle_t h) { return *static_cast<TiffHandle*>(h); }

tmsize_t readBytes(thandle_t h, void* buffer, tmsize_t size) {
    TiffHandle& self = handleOf(h);
    if (self.source_)
        return size > 0 ? tmsize_t(self.source_->read(buffer, 1, size_t(size))) : 0;
    // libtiff reads back what it wrote when it rewrites a directory.
    const uint64_t available = self.writePosition_ < self.written_.size() ? self.written_.size() - self.writePosition_ : 0;
    const size_t count = size_t(std::min<uint64_t>(available, uint64_t(std::max<tmsize_t>(size, 0))));
    std::memcpy(buffer, self.written_.data() + self.writePosition_, count);
    self.writePosition_ += count;
    return tmsize_t(count);
}

tmsize_t writeBytes(thandle_t h, void* buffer, tmsize_t size) {
    TiffHandle& self = handleOf(h);
    if (self.source_ || size < 0)
        return -1;
    const uint64_t end = self.writePosition_ + uint64_t(size);
    try {
        if (end > self.written_.size())
            self.written_.resize(size_t(end));
    } catch (const std::bad_alloc&) {
        return -1;
    }
    std::memcpy(self.written_.data() + self.writePosition_, buffer, size_t(size));
    self.writePosition_ = end;
    return size;
}

toff_t seekTo(thandle_t h, toff_t offset, int whence) {
    TiffHandle& self = handleOf(h);
    if (self.source_) {
        const SeekOrigin origin = whence == SEEK_CUR ? SeekOrigin::Current : whence == SEEK_END ? SeekOrigin::End : SeekOrigin::Start;
        if (!self.source_->seek(int64_t(offset), origin))
            return toff_t(-1);
        return toff_t(self.source_->position());
    }
    const uint64_t base = whence == SEEK_CUR ? self.writePosition_ : whence == SEEK_END ? self.written_.size() : 0;
    self.writePosition_ = base + offset;
    return self.writePosition_;
}

int closeNothing(thandle_t) { return 0; }

toff_t sizeOf(thandle_t h) {
    TiffHandle& self = handleOf(h);
    return self.source_ ? toff_t(std::max<int64_t>(self.source_->size(), 0)) : toff_t(self.written_.size());
}

int keepError(TIFF*, void* user, const char*, const char* format, va_list arguments) {
    auto& self = *static_cast<TiffHandle*>(user);
    if (self.error_.empty()) {
        char text[256];
        std::vsnprintf(text, sizeof text, format, arguments);
        self.error_ = text;
    }
    return 1;
}

int ignoreWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

// No single allocation libtiff makes for a picture this program opens needs more.
constexpr tmsize_t kMaxSingleAllocation = tmsize_t(1) << 31;

} // namespace

TiffHandle::~TiffHandle() {
    if (tiff_)
        TIFFClose(tiff_);
}

bool TiffHandle::open(const char* mode) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options)
        return false;
    TIFFOpenOptionsSetErrorHandlerExtR(options, keepError, this);
    TIFFOpenOptionsSetWarningHandlerExtR(options, ignoreWarning, this);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxSingleAllocation);
    tiff_ = TIFFClientOpenExt("picture", mode, this, readBytes, writeBytes, seekTo, closeNothing, sizeOf, nullptr,
                              nullptr, options);
    TIFFOpenOptionsFree(options);
    return tiff_ != nullptr;
}

bool TiffHandle::openForRead(ByteStream& stream, Purpose purpose) {
    source_ = &stream;
    // "m": no memory mapping (the stream has none); "D": strip tables read when first used;
    // "c": no splitting of a single strip.
    return open(purpose == Purpose::Directory ? "rmcD" : "rmD");
}

bool TiffHandle::openForWrite() {
    source_ = nullptr;
    written_.clear();
    writePosition_ = 0;
    return open("wm");
}

bool TiffHandle::finish() {
    if (!tiff_)
        return false;
    const bool flushed = TIFFFlush(tiff_) == 1;
    TIFFClose(tiff_);
    tiff_ = nullptr;
    return flushed && error_.empty();
}

} // namespace pict
