#pragma once
// Why a picture could not be read, in the words the user reads, or that it was read only in
// part. The reader that finds the fault fills the report; everyone above passes it on.

#include "codecs/FileKind.h"

#include <cstdint>
#include <new>
#include <string>
#include <string_view>

namespace pict {

enum class ReadFault : uint8_t {
    None,
    NotThisKind, // the bytes are not a file of the kind the name says
    Truncated,   // the data stops before the picture its header describes
    Unsupported, // a variant of the format no reader here handles ("12-bit JPEG")
    TooLarge,    // larger than any picture that is opened
    Corrupt,     // the data contradicts itself (with the decoding library's own words)
    NoMemory,
    CannotRead,  // missing, a folder, or refused by the system
};

// Shown after a read that succeeded only in part (a JPEG or PNG whose data ends early).
inline constexpr const char* kEndsEarlyText = "The file ends early; the missing part is shown gray.";

struct ReadReport {
    ReadFault fault = ReadFault::None;
    std::string reason;     // one sentence, set with the fault
    bool endsEarly = false; // read, but the missing rows are filled gray
    // Read whole, but what the file held could not all be kept as it was (a layered file's
    // groups merged, blend modes this program does not know read as Normal): one or two
    // sentences for the user.
    std::string note;
    // The colours were converted from the file's profile: "Converted from ... to sRGB", a
    // passing remark for the status bar.
    std::string colorNote;

    bool failed() const { return fault != ReadFault::None; }
    // Records a fault and returns false, for `return report.fail(...)`. The first fault is
    // kept: failures on the way out of a reader are consequences of it.
    bool fail(ReadFault kind, std::string text);

    bool notThisKind(FileKind expected);
    // have bytes present of the need bytes the header asks for.
    bool truncated(int64_t have, int64_t need);
    // have bytes present, far too few for a picture of this size.
    bool tooShortFor(int64_t have, int64_t width, int64_t height);
    bool unsupported(std::string_view variant);
    // A side above the largest that is opened.
    bool tooLarge(int64_t width, int64_t height);
    bool corrupt(std::string_view detail);
    bool noMemory();
};

// Runs a reader's body the way every reader ends: when the body fails, or memory runs out
// (reported as such), drop() throws away what was read so far, so that a failed read leaves
// nothing half made.
template <class Body, class Drop>
bool guardedRead(ReadReport& report, Body&& body, Drop&& drop) {
    try {
        if (body())
            return true;
    } catch (const std::bad_alloc&) {
        report.noMemory();
    }
    drop();
    return false;
}

// The format's name as users know it: "BMP", "GIF", "icon", "JPEG", "PNG", "TIFF", "WebP", ...
std::string_view kindName(FileKind kind);

} // namespace pict
