#pragma once
// What --info prints: the document of a session as one line of JSON.
//
// {"width":W,"height":H,"resolution":R,"unit":"pixels/inch"|"pixels/cm","name":"...",
//  "modified":B,"layers":[{"name":"...","kind":"raster"|"empty"|"removed","x":X,"y":Y,
//  "width":W,"height":H,"visible":B,"blendMode":"Normal","opacity":0..255,"background":B,
//  "hasTransparencyMask":B},...],"activeLayer":I,"selection":null|{"left":L,"top":T,
//  "right":R,"bottom":B},"channels":["Alpha 1",...],"history":{"position":P,"count":N,
//  "names":["...",...]}}
//
// Layers are listed bottom first; activeLayer is -1 without one. The selection's right and
// bottom are exclusive. history.position is the index of the newest applied state in names,
// -1 when every state is undone or there is none.

#include <string>
#include <string_view>

namespace pict {
class DocumentSession;
}

namespace pict::batch {

std::string documentInfoJson(const DocumentSession& session);

// A JSON string literal of the text, quotes included; control characters are escaped and
// bytes that are not valid UTF-8 become U+FFFD, so that the line always parses.
std::string jsonString(std::string_view text);

} // namespace pict::batch
