// Placeholders for the operations still being written: each fails cleanly.
#include "surface/RasterSurface.h"

namespace pict {
bool AnySurface::normalize() { return 0; }
uint32_t AnySurface::getIndex(int32_t x, int32_t y) const { (void)x; (void)y; return 0; }
bool AnySurface::setIndex(int32_t x, int32_t y, uint32_t index) { (void)x; (void)y; (void)index; return 0; }
uint32_t AnySurface::getColor(int32_t x, int32_t y) const { (void)x; (void)y; return 0; }
bool AnySurface::setColor(int32_t x, int32_t y, uint32_t color) { (void)x; (void)y; (void)color; return 0; }
bool AnySurface::toBilevel(RasterSurface& target) const { (void)target; return 0; }
bool AnySurface::toBilevelThreshold(RasterSurface& target, int level) const { (void)target; (void)level; return 0; }
bool AnySurface::toGray(RasterSurface& target) const { (void)target; return 0; }
bool AnySurface::toIndexed4(RasterSurface& target, int colors) const { (void)target; (void)colors; return 0; }
bool AnySurface::toIndexed8(RasterSurface& target, int colors) const { (void)target; (void)colors; return 0; }
bool AnySurface::to16(RasterSurface& target, bool fiveFiveFive) const { (void)target; (void)fiveFiveFive; return 0; }
bool AnySurface::to24(RasterSurface& target) const { (void)target; return 0; }
bool AnySurface::to32(RasterSurface& target) const { (void)target; return 0; }
bool AnySurface::convert(RasterSurface& target, int depth) const { (void)target; (void)depth; return 0; }
bool AnySurface::mapToPalette(RasterSurface& target, int depth, const ColorTable& palette, bool dither) const { (void)target; (void)depth; (void)palette; (void)dither; return 0; }
bool AnySurface::widenIndexed(RasterSurface& target, int depth) const { (void)target; (void)depth; return 0; }
bool AnySurface::scroll(const Rect& rect, int32_t dx, int32_t dy) { (void)rect; (void)dx; (void)dy; return 0; }
bool AnySurface::invertRect(const Rect& rect, const Rect& exclude) { (void)rect; (void)exclude; return 0; }
bool AnySurface::invertAll() { return 0; }
bool AnySurface::fillAll(uint32_t color) { (void)color; return 0; }
bool AnySurface::fillEllipse(const Rect& rect, uint32_t color) { (void)rect; (void)color; return 0; }
bool AnySurface::tile(const RasterSurface& pattern) { (void)pattern; return 0; }
bool AnySurface::fillRect(const Rect& rect, uint32_t color, const Rect& exclude) { (void)rect; (void)color; (void)exclude; return 0; }
bool AnySurface::drawLine(Point from, Point to, uint32_t color) { (void)from; (void)to; (void)color; return 0; }
bool AnySurface::drawRectangle(const Rect& rect, uint32_t color, int32_t fill, const Rect& exclude) { (void)rect; (void)color; (void)fill; (void)exclude; return 0; }
bool AnySurface::setBounds(const Rect& rect, bool keepContent) { (void)rect; (void)keepContent; return 0; }
bool AnySurface::trim() { return 0; }
bool AnySurface::rotate180() { return 0; }
bool AnySurface::rotate90Clockwise() { return 0; }
bool AnySurface::rotate90CounterClockwise() { return 0; }
bool AnySurface::mirror() { return 0; }
bool AnySurface::flip() { return 0; }
bool AnySurface::transpose() { return 0; }
bool AnySurface::transverse() { return 0; }
bool AnySurface::resize(Size size, bool smooth) { (void)size; (void)smooth; return 0; }
bool AnySurface::resizeInto(RasterSurface& target, Size size, bool smooth) const { (void)target; (void)size; (void)smooth; return 0; }
bool AnySurface::copyRect(const RasterSurface& source, const Rect& srcRect, Point destPoint) { (void)source; (void)srcRect; (void)destPoint; return 0; }
bool AnySurface::drawTo(RasterSurface& target, Point destPoint) const { (void)target; (void)destPoint; return 0; }
std::vector<uint8_t> AnySurface::toPackedBitmap() const { return {}; }
uint32_t Surface1::getIndex(int32_t x, int32_t y) const { (void)x; (void)y; return 0; }
bool Surface1::setIndex(int32_t x, int32_t y, uint32_t index) { (void)x; (void)y; (void)index; return 0; }
uint32_t Surface1::getColor(int32_t x, int32_t y) const { (void)x; (void)y; return 0; }
bool Surface1::setColor(int32_t x, int32_t y, uint32_t color) { (void)x; (void)y; (void)color; return 0; }
uint32_t Surface4::getIndex(int32_t x, int32_t y) const { (void)x; (void)y; return 0; }
bool Surface4::setIndex(int32_t x, int32_t y, uint32_t index) { (void)x; (void)y; (void)index; return 0; }
uint32_t Surface4::getColor(int32_t x, int32_t y) const { (void)x; (void)y; return 0; }
bool Surface4::setColor(int32_t x, int32_t y, uint32_t color) { (void)x; (void)y; (void)color; return 0; }
bool Surface4::mirror() { return 0; }
bool Surface4::flip() { return 0; }
uint32_t Surface8::getIndex(int32_t x, int32_t y) const { (void)x; (void)y; return 0; }
bool Surface8::setIndex(int32_t x, int32_t y, uint32_t index) { (void)x; (void)y; (void)index; return 0; }
uint32_t Surface8::getColor(int32_t x, int32_t y) const { (void)x; (void)y; return 0; }
bool Surface8::setColor(int32_t x, int32_t y, uint32_t color) { (void)x; (void)y; (void)color; return 0; }
bool Surface8::setBounds(const Rect& rect, bool keepContent) { (void)rect; (void)keepContent; return 0; }
bool Surface8::trim() { return 0; }
bool Surface8::rotate180() { return 0; }
bool Surface8::rotate90Clockwise() { return 0; }
bool Surface8::rotate90CounterClockwise() { return 0; }
bool Surface8::mirror() { return 0; }
bool Surface8::flip() { return 0; }
bool Surface8::setSizeWithOffset(Size size, Point offset) { (void)size; (void)offset; return 0; }
bool Surface16::normalize() { return 0; }
uint32_t Surface16::getColor(int32_t x, int32_t y) const { (void)x; (void)y; return 0; }
bool Surface16::setColor(int32_t x, int32_t y, uint32_t color) { (void)x; (void)y; (void)color; return 0; }
uint32_t Surface24::getColor(int32_t x, int32_t y) const { (void)x; (void)y; return 0; }
bool Surface24::setColor(int32_t x, int32_t y, uint32_t color) { (void)x; (void)y; (void)color; return 0; }
bool Surface24::setBounds(const Rect& rect, bool keepContent) { (void)rect; (void)keepContent; return 0; }
bool Surface24::trim() { return 0; }
bool Surface24::rotate180() { return 0; }
bool Surface24::rotate90Clockwise() { return 0; }
bool Surface24::rotate90CounterClockwise() { return 0; }
bool Surface24::mirror() { return 0; }
bool Surface24::transpose() { return 0; }
bool Surface24::transverse() { return 0; }
bool Surface24::fillSolid24(const Rect& rect, uint32_t color, const Rect& exclude) { (void)rect; (void)color; (void)exclude; return 0; }
bool Surface24::gradientHorizontal(const Rect& rect, uint32_t from, uint32_t to, bool gammaOn, double gamma) { (void)rect; (void)from; (void)to; (void)gammaOn; (void)gamma; return 0; }
bool Surface24::gradientVertical(const Rect& rect, uint32_t from, uint32_t to, bool gammaOn, double gamma) { (void)rect; (void)from; (void)to; (void)gammaOn; (void)gamma; return 0; }
bool Surface24::darkenByMask(Point offset, const Surface8& mask, uint8_t opacity) { (void)offset; (void)mask; (void)opacity; return 0; }
bool Surface32::normalize() { return 0; }
uint32_t Surface32::getColor(int32_t x, int32_t y) const { (void)x; (void)y; return 0; }
bool Surface32::setColor(int32_t x, int32_t y, uint32_t color) { (void)x; (void)y; (void)color; return 0; }
bool Surface32::compositeOver(Surface24& target, uint32_t background) const { (void)target; (void)background; return 0; }
bool PaintSurface24::paintCoverage(uint32_t color, uint8_t coverage) { (void)color; (void)coverage; return 0; }
bool PaintSurface24::paintMasked(const Surface8& mask, Point offset, uint32_t color) { (void)mask; (void)offset; (void)color; return 0; }
} // namespace pict
