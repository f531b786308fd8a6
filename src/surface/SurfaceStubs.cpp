// Placeholders for the operations still being written: each fails cleanly.
#include "surface/RasterSurface.h"

namespace pict {
bool AnySurface::normalize() { return 0; }
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
std::vector<uint8_t> AnySurface::toPackedBitmap() const { return {}; }
bool Surface16::normalize() { return 0; }
bool Surface24::gradientHorizontal(const Rect& rect, uint32_t from, uint32_t to, bool gammaOn, double gamma) { (void)rect; (void)from; (void)to; (void)gammaOn; (void)gamma; return 0; }
bool Surface24::gradientVertical(const Rect& rect, uint32_t from, uint32_t to, bool gammaOn, double gamma) { (void)rect; (void)from; (void)to; (void)gammaOn; (void)gamma; return 0; }
bool Surface24::darkenByMask(Point offset, const Surface8& mask, uint8_t opacity) { (void)offset; (void)mask; (void)opacity; return 0; }
bool Surface32::normalize() { return 0; }
bool Surface32::compositeOver(Surface24& target, uint32_t background) const { (void)target; (void)background; return 0; }
bool PaintSurface24::paintCoverage(uint32_t color, uint8_t coverage) { (void)color; (void)coverage; return 0; }
bool PaintSurface24::paintMasked(const Surface8& mask, Point offset, uint32_t color) { (void)mask; (void)offset; (void)color; return 0; }
} // namespace pict
