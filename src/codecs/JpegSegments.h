#pragma once
// JPEG marker segments: capturing a file's application segments and writing them back into a
// freshly compressed file.

#include "codecs/CodecImage.h"

#include <vector>

namespace pict {

class ByteStream;

// Reads marker segments from the start of a JPEG. applicationOnly stores only APP0..APP15
// (skipping others) and stops at the first DHT, SOS or DQT; otherwise every segment is
// stored and the start-of-scan segment is followed by one raw segment with every remaining
// byte. JFIF APP0 segments are dropped; Exif APP1 and Photoshop APP13 (with an IPTC block)
// are tagged.
bool readJpegSegments(ByteStream& stream, bool applicationOnly, std::vector<MarkerSegment>& segments);

// Writes SOI, the default JFIF segment unless the list starts with JFIF or Exif, every
// segment but the last as a marker, then the raw bytes of the last. Refuses (writes nothing)
// a list without a start-of-scan segment.
bool writeJpegSegments(ByteStream& stream, const std::vector<MarkerSegment>& segments);

// Puts the captured application segments in front of what the library wrote: the stream holds
// a complete JPEG; it is rewritten in place. When the merged file cannot be built the written
// JPEG stays as it was and the result is still true; false means rewriting the stream failed.
bool mergeJpegSegments(ByteStream& stream, const std::vector<MarkerSegment>& captured);

bool isApplicationSegment(int32_t code);
// Whether a Photoshop image-resource payload holds a block with this identifier.
bool photoshopHasResource(const uint8_t* payload, size_t size, uint16_t identifier);

extern const uint8_t kDefaultJfifSegment[18];

} // namespace pict
