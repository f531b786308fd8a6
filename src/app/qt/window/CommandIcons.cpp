#include "app/qt/window/CommandIcons.h"

#include "app/commands/CommandIds.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace pict::qt {
namespace {

// Every icon is drawn on a 32 x 32 grid and scaled to each size, so the shapes stay the same
// from the 16-pixel toolbar to a large window icon.
constexpr qreal kGrid = 32.0;
constexpr int kIconSizes[] = {16, 20, 24, 32, 48};
constexpr int kWindowIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

const QColor kInk(0x40, 0x40, 0x40);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kAccent(0x2F, 0x6D, 0xB5);
const QColor kGlass(0xDC, 0xEB, 0xF8);

using Drawing = void (*)(QPainter&);

QPen inkPen(qreal width, const QColor& color = kInk) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(7, 3);
    page.lineTo(19, 3);
    page.lineTo(26, 10);
    page.lineTo(26, 29);
    page.lineTo(7, 29);
    page.closeSubpath();
    p.setPen(inkPen(1.8));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.setBrush(QColor(0xD0, 0xD0, 0xD0));
    p.drawPolygon(QPolygonF({{19, 3}, {19, 10}, {26, 10}}));
}

void drawFolder(QPainter& p) {
    p.setPen(inkPen(1.6, QColor(0x8A, 0x64, 0x14)));
    p.setBrush(QColor(0xE8, 0xB8, 0x4A));
    p.drawPolygon(QPolygonF({{3, 7}, {11, 7}, {14, 10}, {28, 10}, {28, 26}, {3, 26}}));
    p.setBrush(QColor(0xF6, 0xD3, 0x7A));
    p.drawPolygon(QPolygonF({{3, 26}, {7.5, 15}, {31, 15}, {28, 26}}));
}

void drawDisk(QPainter& p) {
    p.setPen(inkPen(1.6, QColor(0x1F, 0x3F, 0x66)));
    p.setBrush(QColor(0x3A, 0x6F, 0xB0));
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xD8, 0xDD, 0xE3));
    p.drawRect(QRectF(10, 5, 12, 8));
    p.setBrush(QColor(0x3A, 0x6F, 0xB0));
    p.drawRect(QRectF(18, 6, 2.5, 6));
    p.setBrush(kPaper);
    p.drawRect(QRectF(8, 17, 16, 10));
    p.setPen(inkPen(1.0, QColor(0xA0, 0xA0, 0xA0)));
    p.drawLine(QPointF(10, 21), QPointF(22, 21));
    p.drawLine(QPointF(10, 24), QPointF(22, 24));
}

// A curved arrow coming back to the left.
void drawUndoArrow(QPainter& p) {
    QPainterPath curve;
    curve.moveTo(26, 26);
    curve.cubicTo(26, 15, 21, 12, 12, 12);
    p.setPen(inkPen(3.5, kAccent));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setPen(inkPen(1.0, kAccent));
    p.setBrush(kAccent);
    p.drawPolygon(QPolygonF({{3, 12}, {13, 4.5}, {13, 19.5}}));
}

void drawRedoArrow(QPainter& p) {
    p.translate(kGrid, 0);
    p.scale(-1, 1);
    drawUndoArrow(p);
}

// A dashed rectangle round a tinted area: the marquee's selection.
void drawMarqueeTool(QPainter& p) {
    QPen dashes = inkPen(2.4);
    dashes.setCapStyle(Qt::FlatCap);
    dashes.setDashPattern({2.0, 1.2});
    p.setPen(dashes);
    p.setBrush(kGlass);
    p.drawRect(QRectF(4, 6, 24, 20));
}

// Two crossing L-shaped bars, the crop frame.
void drawCropTool(QPainter& p) {
    p.setPen(inkPen(3.0));
    p.drawPolyline(QPolygonF({{9, 3}, {9, 23}, {29, 23}}));
    p.drawPolyline(QPolygonF({{3, 9}, {23, 9}, {23, 29}}));
    p.setPen(inkPen(1.2, kAccent));
    p.drawLine(QPointF(11, 21), QPointF(21, 11));
}

void drawHand(QPainter& p) {
    // The parts overlap; with the winding rule they add up to one outline instead of
    // cancelling where they meet.
    QPainterPath hand;
    hand.setFillRule(Qt::WindingFill);
    hand.addRoundedRect(QRectF(9, 6, 4.6, 15), 2.3, 2.3);
    hand.addRoundedRect(QRectF(13.6, 3.5, 4.6, 16), 2.3, 2.3);
    hand.addRoundedRect(QRectF(18.2, 5, 4.6, 15), 2.3, 2.3);
    hand.addRoundedRect(QRectF(22.8, 8, 4.2, 12), 2.1, 2.1);
    hand.addRoundedRect(QRectF(9, 13, 18, 16), 6, 6);
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-2.3, -7.5, 4.6, 13), 2.3, 2.3);
    QTransform place;
    place.translate(8.5, 20);
    place.rotate(-42);
    hand.addPath(place.map(thumb));
    p.setPen(inkPen(1.6));
    p.setBrush(QColor(0xF3, 0xD2, 0xB0));
    p.drawPath(hand.simplified());
    // The gaps between the fingers, down to where the palm begins.
    p.setPen(inkPen(1.2));
    for (qreal x : {13.6, 18.2, 22.8})
        p.drawLine(QPointF(x, 9), QPointF(x, 14));
}

// Four arrows out from the centre.
void drawMoveTool(QPainter& p) {
    p.setPen(inkPen(2.0));
    p.drawLine(QPointF(16, 4), QPointF(16, 28));
    p.drawLine(QPointF(4, 16), QPointF(28, 16));
    p.setPen(inkPen(1.2));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({{16, 2}, {11.5, 8}, {20.5, 8}}));
    p.drawPolygon(QPolygonF({{16, 30}, {11.5, 24}, {20.5, 24}}));
    p.drawPolygon(QPolygonF({{2, 16}, {8, 11.5}, {8, 20.5}}));
    p.drawPolygon(QPolygonF({{30, 16}, {24, 11.5}, {24, 20.5}}));
}

void drawLens(QPainter& p) {
    p.setPen(inkPen(5.0));
    p.drawLine(QPointF(19.5, 19.5), QPointF(27.5, 27.5));
    p.setPen(inkPen(2.4));
    p.setBrush(kGlass);
    p.drawEllipse(QPointF(13, 13), 9, 9);
    p.setPen(inkPen(2.6));
    p.drawLine(QPointF(8.5, 13), QPointF(17.5, 13));
}

void drawZoomInTool(QPainter& p) {
    drawLens(p);
    p.drawLine(QPointF(13, 8.5), QPointF(13, 17.5));
}

void drawZoomOutTool(QPainter& p) { drawLens(p); }

// A small landscape in a frame: the picture the view commands act on.
void drawPicture(QPainter& p, const QRectF& frame) {
    p.setPen(inkPen(1.6));
    p.setBrush(kPaper);
    p.drawRect(frame);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x6F, 0xA8, 0x5A));
    const qreal l = frame.left() + 1, r = frame.right() - 1, b = frame.bottom() - 1, h = frame.height();
    p.drawPolygon(QPolygonF({{l, b}, {l + (r - l) * 0.38, b - h * 0.5}, {l + (r - l) * 0.62, b - h * 0.25},
                             {l + (r - l) * 0.78, b - h * 0.38}, {r, b}}));
}

// The picture with a round badge holding a plus or a minus.
void drawZoomBadge(QPainter& p, bool plus) {
    drawPicture(p, QRectF(3, 4, 20, 16));
    p.setPen(inkPen(1.6, kAccent.darker(130)));
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(22, 22), 8, 8);
    p.setPen(inkPen(2.6, kPaper));
    p.drawLine(QPointF(18, 22), QPointF(26, 22));
    if (plus)
        p.drawLine(QPointF(22, 18), QPointF(22, 26));
}

void drawZoomIn(QPainter& p) { drawZoomBadge(p, true); }
void drawZoomOut(QPainter& p) { drawZoomBadge(p, false); }

void drawActualPixels(QPainter& p) {
    p.setPen(inkPen(1.6));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3, 6, 26, 20));
    p.setPen(inkPen(2.6, kAccent));
    // "1:1" drawn as strokes: a font would differ from machine to machine.
    p.drawLine(QPointF(9, 11), QPointF(11, 10));
    p.drawLine(QPointF(11, 10), QPointF(11, 22));
    p.drawLine(QPointF(21, 11), QPointF(23, 10));
    p.drawLine(QPointF(23, 10), QPointF(23, 22));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(16.5, 13.5), 1.4, 1.4);
    p.drawEllipse(QPointF(16.5, 19.5), 1.4, 1.4);
}

void drawFitInWindow(QPainter& p) {
    p.setPen(inkPen(1.6));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3, 5, 26, 22));
    // Four arrows from the middle out to the corners.
    p.setPen(inkPen(2.2, kAccent));
    const QPointF centre(16, 16);
    const QPointF corners[] = {{7, 9}, {25, 9}, {7, 23}, {25, 23}};
    for (const QPointF& corner : corners) {
        const QPointF towards = corner - centre;
        p.drawLine(centre + towards * 0.3, corner);
        const QPointF alongX(-towards.x() * 0.4, 0), alongY(0, -towards.y() * 0.5);
        p.drawLine(corner, corner + alongX);
        p.drawLine(corner, corner + alongY);
    }
}

// The painting tools lie along the same diagonal, tip at the bottom left, as in most editors.
void alongDiagonal(QPainter& p) {
    p.translate(16, 16);
    p.rotate(45);
}

// A round brush: wooden handle, metal ferrule, dark bristles, and the stroke it left.
void drawBrushTool(QPainter& p) {
    p.setPen(inkPen(3.0, kAccent));
    p.drawLine(QPointF(3, 29), QPointF(11, 27));
    p.save();
    alongDiagonal(p);
    p.setPen(inkPen(1.2));
    p.setBrush(QColor(0xB0, 0x7A, 0x3C));
    p.drawRoundedRect(QRectF(-2.5, -15, 5, 14), 2, 2);
    p.setBrush(QColor(0xB8, 0xBE, 0xC6));
    p.drawRect(QRectF(-3, -1, 6, 5));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({{-3, 4}, {3, 4}, {1.5, 11}, {0, 13}, {-1.5, 11}}));
    p.restore();
}

// A yellow pencil with its sharpened wooden cone and graphite point.
void drawPencilTool(QPainter& p) {
    alongDiagonal(p);
    p.setPen(inkPen(1.2));
    p.setBrush(QColor(0xF2, 0xC2, 0x3A));
    p.drawRect(QRectF(-3.5, -15, 7, 19));
    p.setBrush(QColor(0xE9, 0x9A, 0xA8));
    p.drawRect(QRectF(-3.5, -15, 7, 3));
    p.setBrush(QColor(0xF1, 0xD9, 0xB5));
    p.drawPolygon(QPolygonF({{-3.5, 4}, {3.5, 4}, {0, 13}}));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({{-1.3, 9.6}, {1.3, 9.6}, {0, 13}}));
}

// A two-coloured block, the half that rubs at the bottom.
void drawEraserTool(QPainter& p) {
    alongDiagonal(p);
    p.setPen(inkPen(1.2));
    p.setBrush(QColor(0x5B, 0x8F, 0xD6));
    p.drawRoundedRect(QRectF(-6, -12, 12, 14), 1.5, 1.5);
    p.setBrush(QColor(0xF4, 0xB6, 0xC2));
    p.drawRoundedRect(QRectF(-6, 2, 12, 9), 1.5, 1.5);
}

// An eyedropper: rubber bulb, glass tube, and a drop of the taken colour.
void drawColorPickerTool(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(4.5, 28), 2.5, 2.5);
    alongDiagonal(p);
    p.setPen(inkPen(1.2));
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(-4, -16, 8, 8), 3.5, 3.5);
    p.drawRect(QRectF(-5, -8.5, 10, 2.5));
    p.setBrush(kGlass);
    p.drawPolygon(QPolygonF({{-2.5, -6}, {2.5, -6}, {2.5, 7}, {0, 12}, {-2.5, 7}}));
}

// A tipped bucket pouring paint.
void drawPaintBucketTool(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    QPainterPath pour;
    pour.moveTo(24, 13);
    pour.cubicTo(30, 15, 30, 22, 28, 27);
    pour.cubicTo(27, 29, 25, 29, 25, 26);
    pour.cubicTo(26, 21, 25, 17, 22, 15);
    p.drawPath(pour);
    p.translate(14, 17);
    p.rotate(-35);
    p.setPen(inkPen(1.4));
    p.setBrush(QColor(0xD8, 0xDD, 0xE3));
    p.drawPolygon(QPolygonF({{-9, -8}, {9, -8}, {7, 10}, {-7, 10}}));
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(0, -8), 9, 2.5);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-8, -16, 16, 14), 0, 180 * 16);
}

// A bar shading from the foreground colour to the background colour.
void drawGradientTool(QPainter& p) {
    QLinearGradient ramp(4, 0, 28, 0);
    ramp.setColorAt(0, kInk);
    ramp.setColorAt(1, kPaper);
    p.setPen(inkPen(1.6));
    p.setBrush(ramp);
    p.drawRect(QRectF(3, 7, 26, 18));
}

// A loop of rope with its tail hanging down.
void drawLassoTool(QPainter& p) {
    p.setPen(inkPen(2.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(17, 12), 12, 8);
    QPainterPath tail;
    tail.moveTo(9, 18);
    tail.cubicTo(6, 23, 12, 25, 9, 30);
    p.drawPath(tail);
    p.setPen(inkPen(1.2));
    p.setBrush(kGlass);
    p.drawEllipse(QPointF(9, 18), 2.5, 2.5);
}

// A wand whose tip sparkles.
void drawMagicWandTool(QPainter& p) {
    p.setPen(inkPen(4.0));
    p.drawLine(QPointF(4, 28), QPointF(17, 15));
    p.setPen(inkPen(1.0, QColor(0x9A, 0x74, 0x10)));
    p.setBrush(QColor(0xFF, 0xD3, 0x4D));
    QPolygonF star;
    for (int point = 0; point < 10; ++point) {
        const qreal radius = point % 2 == 0 ? 9.0 : 3.8;
        const qreal angle = -M_PI / 2 + point * M_PI / 5;
        star << QPointF(21.5 + radius * std::cos(angle), 10.5 + radius * std::sin(angle));
    }
    p.drawPolygon(star);
}

void drawApplication(QPainter& p) {
    const QRectF tile(2, 2, 28, 28);
    QPainterPath rounded;
    rounded.addRoundedRect(tile, 5, 5);
    QLinearGradient sky(0, 2, 0, 30);
    sky.setColorAt(0, QColor(0x4A, 0x90, 0xDA));
    sky.setColorAt(1, QColor(0xCF, 0xE6, 0xFB));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawPath(rounded);
    p.save();
    p.setClipPath(rounded);
    p.setBrush(QColor(0xFF, 0xD3, 0x4D));
    p.drawEllipse(QPointF(22, 10), 3.8, 3.8);
    p.setBrush(QColor(0x3F, 0x8F, 0x4A));
    p.drawPolygon(QPolygonF({{2, 30}, {2, 25}, {11, 13}, {17.5, 21}, {21.5, 16.5}, {30, 26}, {30, 30}}));
    p.setBrush(QColor(0x2E, 0x6E, 0x38));
    p.drawPolygon(QPolygonF({{2, 30}, {14, 24}, {30, 28}, {30, 30}}));
    p.restore();
    p.setPen(inkPen(1.5, QColor(0x2A, 0x4D, 0x73)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rounded);
}

struct IconDrawing {
    uint16_t id;
    Drawing draw;
};

constexpr IconDrawing kCommandDrawings[] = {
    {kCmdNew, drawPage},
    {kCmdOpen, drawFolder},
    {kCmdSave, drawDisk},
    {kCmdUndo, drawUndoArrow},
    {kCmdRedo, drawRedoArrow},
    {kCmdMarqueeTool, drawMarqueeTool},
    {kCmdMoveTool, drawMoveTool},
    {kCmdLassoTool, drawLassoTool},
    {kCmdMagicWandTool, drawMagicWandTool},
    {kCmdBrushTool, drawBrushTool},
    {kCmdPencilTool, drawPencilTool},
    {kCmdEraserTool, drawEraserTool},
    {kCmdPaintBucketTool, drawPaintBucketTool},
    {kCmdGradientTool, drawGradientTool},
    {kCmdColorPickerTool, drawColorPickerTool},
    {kCmdCropTool, drawCropTool},
    {kCmdHandTool, drawHand},
    {kCmdZoomInTool, drawZoomInTool},
    {kCmdZoomOutTool, drawZoomOutTool},
    {kCmdZoomIn, drawZoomIn},
    {kCmdZoomOut, drawZoomOut},
    {kCmdActualPixels, drawActualPixels},
    {kCmdFitInWindow, drawFitInWindow},
};

template <size_t N>
QIcon paintIcon(Drawing draw, const int (&sizes)[N]) {
    QIcon icon;
    for (int size : sizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / kGrid, size / kGrid);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon commandIcon(uint16_t id) {
    static QHash<uint16_t, QIcon> cache;
    if (auto found = cache.constFind(id); found != cache.constEnd())
        return *found;
    for (const IconDrawing& drawing : kCommandDrawings) {
        if (drawing.id == id)
            return *cache.insert(id, paintIcon(drawing.draw, kIconSizes));
    }
    return {};
}

QIcon applicationIcon() {
    static const QIcon icon = paintIcon(drawApplication, kWindowIconSizes);
    return icon;
}

} // namespace pict::qt
