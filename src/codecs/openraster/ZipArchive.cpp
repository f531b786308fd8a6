#include "codecs/openraster/ZipArchive.h"

#include "codecs/ByteStream.h"

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <new>

namespace pict {

namespace {

std::string zipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

std::string archiveErrorText(zip* archive) {
    zip_error_t* error = zip_get_error(archive);
    return error ? zip_error_strerror(error) : "unknown zip error";
}

std::string mib(int64_t bytes) { return std::to_string((bytes + (1 << 20) - 1) >> 20) + " MiB"; }

} // namespace

bool isSafeEntryName(std::string_view name) {
    if (name.empty() || name.front() == '/' || name.find('\\') != std::string_view::npos ||
        name.find('\0') != std::string_view::npos || (name.size() > 1 && name[1] == ':'))
        return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string_view::npos)
            end = name.size();
        const std::string_view part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        start = end + 1;
    }
    return true;
}

// ---- ZipReader ----

ZipReader::ZipReader() = default;

ZipReader::~ZipReader() {
    if (archive_)
        zip_discard(archive_);
}

bool ZipReader::openFile(const std::string& path, std::string& error) {
    int code = 0;
    archive_ = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive_)
        error = "it is not a readable zip archive (" + zipErrorText(code) + ")";
    return archive_ != nullptr;
}

bool ZipReader::openMemory(const void* data, size_t size, std::string& error) {
    zip_error_t zerror;
    zip_error_init(&zerror);
    zip_source_t* source = zip_source_buffer_create(data, size, 0, &zerror);
    if (source)
        archive_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zerror);
    if (!archive_) {
        error = std::string("it is not a readable zip archive (") + zip_error_strerror(&zerror) + ")";
        if (source)
            zip_source_free(source);
    }
    zip_error_fini(&zerror);
    return archive_ != nullptr;
}

bool ZipReader::has(std::string_view name) const {
    return archive_ && isSafeEntryName(name) && zip_name_locate(archive_, std::string(name).c_str(), 0) >= 0;
}

bool ZipReader::firstEntryIs(std::string_view name, bool& stored) const {
    zip_stat_t st;
    zip_stat_init(&st);
    if (!archive_ || zip_stat_index(archive_, 0, 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME) ||
        name != st.name)
        return false;
    stored = (st.valid & ZIP_STAT_COMP_METHOD) && st.comp_method == ZIP_CM_STORE;
    return true;
}

bool ZipReader::read(std::string_view name, std::vector<uint8_t>& bytes, std::string& error) {
    bytes.clear();
    const std::string entry(name);
    if (!isSafeEntryName(name)) {
        error = "the entry name \"" + entry + "\" points outside the archive";
        return false;
    }
    const zip_int64_t index = archive_ ? zip_name_locate(archive_, entry.c_str(), 0) : -1;
    if (index < 0) {
        error = "the entry \"" + entry + "\" is missing";
        return false;
    }
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive_, zip_uint64_t(index), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) {
        error = "the entry \"" + entry + "\" cannot be read (" + archiveErrorText(archive_) + ")";
        return false;
    }
    const int64_t remaining = limits_.maxTotalBytes - totalRead_;
    if (st.size > zip_uint64_t(limits_.maxEntryBytes)) {
        error = "the entry \"" + entry + "\" is too large (" + mib(int64_t(std::min<zip_uint64_t>(st.size, 1ull << 62))) +
                ", at most " + mib(limits_.maxEntryBytes) + ")";
        return false;
    }
    if (int64_t(st.size) > remaining) {
        error = "the archive unpacks to more than " + mib(limits_.maxTotalBytes);
        return false;
    }
    zip_file_t* file = zip_fopen_index(archive_, zip_uint64_t(index), 0);
    if (!file) {
        error = "the entry \"" + entry + "\" cannot be read (" + archiveErrorText(archive_) + ")";
        return false;
    }
    bool ok = true;
    try {
        bytes.resize(size_t(st.size));
        zip_uint64_t done = 0;
        while (done < st.size) {
            const zip_int64_t got = zip_fread(file, bytes.data() + done, st.size - done);
            if (got <= 0)
                break;
            done += zip_uint64_t(got);
        }
        // One more byte than declared means the header lied: refuse rather than trust either.
        uint8_t extra = 0;
        if (done != st.size || zip_fread(file, &extra, 1) != 0) {
            error = "the entry \"" + entry + "\" is damaged or not the size it declares";
            ok = false;
        }
    } catch (const std::bad_alloc&) {
        error = "there is not enough memory for the entry \"" + entry + "\"";
        ok = false;
    }
    zip_fclose(file);
    if (!ok) {
        bytes.clear();
        return false;
    }
    totalRead_ += int64_t(st.size);
    return true;
}

// ---- ZipWriter ----

// libzip writes an archive through a source's write commands; this one passes them to the
// stream. The archive is new, so reading is never asked of it beyond its (zero) size.
struct ZipWriter::Bridge {
    ByteStream& out;
    zip_error_t error;
    explicit Bridge(ByteStream& stream) : out(stream) { zip_error_init(&error); }
    ~Bridge() { zip_error_fini(&error); }

    zip_int64_t fail(int code) {
        zip_error_set(&error, code, code == ZIP_ER_WRITE || code == ZIP_ER_SEEK ? EIO : 0);
        return -1;
    }

    static zip_int64_t callback(void* user, void* data, zip_uint64_t length, zip_source_cmd_t command) {
        auto* self = static_cast<Bridge*>(user);
        ByteStream& out = self->out;
        switch (command) {
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                  ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL,
                                                  ZIP_SOURCE_SUPPORTS, ZIP_SOURCE_BEGIN_WRITE, ZIP_SOURCE_WRITE,
                                                  ZIP_SOURCE_COMMIT_WRITE, ZIP_SOURCE_ROLLBACK_WRITE,
                                                  ZIP_SOURCE_SEEK_WRITE, ZIP_SOURCE_TELL_WRITE, ZIP_SOURCE_REMOVE, -1);
        case ZIP_SOURCE_STAT: {
            auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &self->error);
            if (!st)
                return -1;
            zip_stat_init(st);
            st->size = 0;
            st->valid |= ZIP_STAT_SIZE;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&self->error, data, length);
        case ZIP_SOURCE_OPEN:
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_FREE:
        case ZIP_SOURCE_BEGIN_WRITE:
        case ZIP_SOURCE_REMOVE:
            return 0;
        case ZIP_SOURCE_READ:
            return 0; // a new archive has nothing to read
        case ZIP_SOURCE_SEEK:
        case ZIP_SOURCE_TELL:
            return 0;
        case ZIP_SOURCE_WRITE:
            if (length > 0 && !out.writeExact(data, size_t(length)))
                return self->fail(ZIP_ER_WRITE);
            return zip_int64_t(length);
        case ZIP_SOURCE_SEEK_WRITE: {
            auto* args = ZIP_SOURCE_GET_ARGS(zip_source_args_seek_t, data, length, &self->error);
            if (!args)
                return -1;
            const SeekOrigin origin = args->whence == SEEK_SET   ? SeekOrigin::Start
                                      : args->whence == SEEK_CUR ? SeekOrigin::Current
                                                                 : SeekOrigin::End;
            // A memory stream may not seek to its very end, where writing continues.
            if (origin == SeekOrigin::Start && args->offset == out.size())
                return out.seekEnd() ? 0 : self->fail(ZIP_ER_SEEK);
            return out.seek(args->offset, origin) ? 0 : self->fail(ZIP_ER_SEEK);
        }
        case ZIP_SOURCE_TELL_WRITE:
            return out.position();
        case ZIP_SOURCE_COMMIT_WRITE:
            return out.flush() && !out.isBad() ? 0 : self->fail(ZIP_ER_WRITE);
        case ZIP_SOURCE_ROLLBACK_WRITE:
            return 0;
        default:
            return self->fail(ZIP_ER_OPNOTSUPP);
        }
    }
};

ZipWriter::ZipWriter(ByteStream& out) : bridge_(std::make_unique<Bridge>(out)) {
    if (!out.isOpen())
        return;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_function_create(&Bridge::callback, bridge_.get(), &error);
    if (source) {
        archive_ = zip_open_from_source(source, ZIP_CREATE | ZIP_TRUNCATE, &error);
        if (!archive_)
            zip_source_free(source);
    }
    zip_error_fini(&error);
}

ZipWriter::~ZipWriter() {
    if (archive_)
        zip_discard(archive_);
}

bool ZipWriter::add(std::string_view name, std::vector<uint8_t>&& bytes, int level, std::string& error) {
    const std::string entry(name);
    if (!archive_ || !isSafeEntryName(name)) {
        error = "the entry \"" + entry + "\" cannot be added";
        return false;
    }
    try {
        entries_.push_back(std::make_unique<std::vector<uint8_t>>(std::move(bytes)));
    } catch (const std::bad_alloc&) {
        error = "there is not enough memory";
        return false;
    }
    const std::vector<uint8_t>& data = *entries_.back();
    zip_source_t* source = zip_source_buffer(archive_, data.empty() ? nullptr : data.data(), data.size(), 0);
    const zip_int64_t index = source ? zip_file_add(archive_, entry.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
        if (source)
            zip_source_free(source);
        error = "the entry \"" + entry + "\" cannot be added (" + archiveErrorText(archive_) + ")";
        return false;
    }
    const bool stored = level <= 0;
    if (zip_set_file_compression(archive_, zip_uint64_t(index), stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                 stored ? 0 : zip_uint32_t(std::min(level, 9))) != 0) {
        error = "the entry \"" + entry + "\" cannot be compressed (" + archiveErrorText(archive_) + ")";
        return false;
    }
    return true;
}

bool ZipWriter::finish(std::string& error) {
    if (!archive_) {
        error = "the archive cannot be started";
        return false;
    }
    const bool ok = zip_close(archive_) == 0;
    if (!ok) {
        error = "the archive cannot be written (" + archiveErrorText(archive_) + ")";
        zip_discard(archive_);
    }
    archive_ = nullptr;
    entries_.clear();
    return ok;
}

} // namespace pict
