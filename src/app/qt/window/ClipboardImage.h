#pragma once
// Pictures between the system clipboard's QImage and the program's pixels: colors with their
// transparency either way, and a new document from a picture.

#include <memory>
#include <string>

class QImage;

namespace pict {
class Document;
struct PixelPiece;
class Surface24;
class Surface8;
} // namespace pict

namespace pict::qt {

// The picture's colors and its transparency (255 everywhere without an alpha channel), at
// origin 0, 0. False for a null picture or when memory runs out.
bool pieceFromImage(const QImage& image, PixelPiece& piece);
// The piece as a straight (not premultiplied) ARGB picture; null when memory runs out.
QImage imageFromPiece(const PixelPiece& piece);
// Colors and their transparency of the same size (the composite, a piece) as a straight ARGB
// picture; null when empty or memory runs out.
QImage imageFromSurfaces(const Surface24& color, const Surface8& alpha);

// A one-layer document named name: the picture's colors, and its transparency as the layer's
// mask when it has any. Null when the picture is empty, too large, or memory runs out.
std::unique_ptr<Document> documentFromImage(const QImage& image, const std::string& name);

} // namespace pict::qt
