#pragma once
// A thin layer over libzip for the layered file format: reading named entries under size
// limits the caller sets, and writing an archive beside its final path that replaces the old
// file only once complete. Zip parsing, CRCs and deflate are libzip's.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct zip;
struct zip_source;

namespace pict {

// Bounds on what a read may take from an untrusted archive.
struct ZipReadLimits {
    int64_t maxEntryBytes = int64_t(1) << 30; // declared and actual uncompressed size of one entry
    int64_t maxTotalBytes = int64_t(4) << 30; // all entries read, added up
};

// An entry name is safe when it is relative and stays inside the archive: no leading "/",
// no "\", no drive letter, no "." or ".." component and no empty component.
bool isSafeEntryName(std::string_view name);

class ZipReader {
public:
    ZipReader();
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    // Opens an archive file, or bytes that must outlive the reader. False with a reason.
    bool openFile(const std::string& path, std::string& error);
    bool openMemory(const void* data, size_t size, std::string& error);
    void setLimits(const ZipReadLimits& limits) { limits_ = limits; }

    bool has(std::string_view name) const;
    // The whole uncompressed entry. Fails with a reason for an unsafe or missing name, an
    // entry above the limits (declared or actual), a damaged entry, or when the running total
    // of bytes read would pass the total limit.
    bool read(std::string_view name, std::vector<uint8_t>& bytes, std::string& error);
    // Whether the first entry is stored, not compressed (what the layered format asks of its
    // "mimetype").
    bool firstEntryIs(std::string_view name, bool& stored) const;

private:
    zip* archive_ = nullptr;
    ZipReadLimits limits_;
    int64_t totalRead_ = 0;
};

class ByteStream;

// Writes an archive through a seekable stream (a ReplacingFileStream makes the replacement of
// an existing file all or nothing). Entries are kept until finish() writes them in the order
// they were added.
class ZipWriter {
public:
    explicit ZipWriter(ByteStream& out);
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    bool isOpen() const { return archive_ != nullptr; }
    // Adds an entry that owns its bytes; stored when level is 0, deflated at level 1..9 otherwise.
    bool add(std::string_view name, std::vector<uint8_t>&& bytes, int level, std::string& error);
    // Writes the whole archive to the stream.
    bool finish(std::string& error);

    // For the stream bridge.
    struct Bridge;

private:
    std::unique_ptr<Bridge> bridge_;
    zip* archive_ = nullptr;
    // Entry bytes stay alive until libzip writes them at finish.
    std::vector<std::unique_ptr<std::vector<uint8_t>>> entries_;
};

} // namespace pict
