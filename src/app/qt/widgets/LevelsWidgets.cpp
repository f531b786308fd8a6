#include "app/qt/widgets/LevelsWidgets.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdlib>

namespace pict::qt {

namespace {

// Both drawings share the horizontal mapping: one pixel per level between the margins.
constexpr int kMargin = 6;
constexpr int kLevels = 256;
constexpr int kHistogramHeight = 120;
constexpr int kBarHeight = 12;
constexpr int kHandleHeight = 9;

} // namespace

HistogramView::HistogramView(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
}

QSize HistogramView::sizeHint() const { return {kLevels + 2 * kMargin, kHistogramHeight + 2}; }

void HistogramView::setCounts(const std::array<uint32_t, 256>& counts) {
    counts_ = counts;
    update();
}

void HistogramView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area(kMargin, 1, kLevels, kHistogramHeight);
    painter.fillRect(area, Qt::white);
    const uint32_t highest = *std::max_element(counts_.begin(), counts_.end());
    if (highest == 0)
        return;
    painter.setPen(Qt::black);
    for (int level = 0; level < kLevels; ++level) {
        const int height = int(int64_t(counts_[size_t(level)]) * kHistogramHeight / highest);
        if (height > 0)
            painter.drawLine(area.left() + level, area.bottom(), area.left() + level, area.bottom() - height + 1);
    }
}

LevelBar::LevelBar(int handleCount, QWidget* parent) : QWidget(parent), levels_(size_t(handleCount), 0) {
    setFixedSize(sizeHint());
}

QSize LevelBar::sizeHint() const { return {kLevels + 2 * kMargin, kBarHeight + kHandleHeight + 2}; }

void LevelBar::setLevels(const std::vector<int>& levels) {
    if (levels.size() != levels_.size() || levels == levels_)
        return;
    levels_ = levels;
    update();
}

int LevelBar::xOfLevel(int level) const { return kMargin + level; }

int LevelBar::levelAt(int x) const { return std::clamp(x - kMargin, 0, kLevels - 1); }

void LevelBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect bar(kMargin, 0, kLevels, kBarHeight);
    QLinearGradient ramp(bar.topLeft(), bar.topRight());
    ramp.setColorAt(0, Qt::black);
    ramp.setColorAt(1, Qt::white);
    painter.fillRect(bar, ramp);
    painter.setPen(Qt::darkGray);
    painter.drawRect(bar.adjusted(0, 0, -1, -1));

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    // The first handle is black, the last white, one between them gray.
    const QColor fills[] = {Qt::black, Qt::gray, Qt::white};
    for (size_t k = 0; k < levels_.size(); ++k) {
        const double x = xOfLevel(levels_[k]) + 0.5;
        QPainterPath triangle;
        triangle.moveTo(x, kBarHeight);
        triangle.lineTo(x - 5, kBarHeight + kHandleHeight);
        triangle.lineTo(x + 5, kBarHeight + kHandleHeight);
        triangle.closeSubpath();
        const size_t fill = k == 0 ? 0 : (k + 1 == levels_.size() ? 2 : 1);
        painter.setBrush(fills[fill]);
        painter.drawPath(triangle);
    }
}

void LevelBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int level = levelAt(event->position().toPoint().x());
    // The nearest handle; on a tie the later one, so that a white handle pushed onto the
    // black one can still be pulled back.
    int best = -1;
    int bestDistance = kLevels;
    for (size_t k = 0; k < levels_.size(); ++k) {
        const int distance = std::abs(levels_[k] - level);
        if (distance <= bestDistance && (distance < bestDistance || level >= levels_[k])) {
            best = int(k);
            bestDistance = distance;
        }
    }
    dragged_ = best;
    if (dragged_ >= 0)
        emit handleDragged(dragged_, level);
}

void LevelBar::mouseMoveEvent(QMouseEvent* event) {
    if (dragged_ >= 0)
        emit handleDragged(dragged_, levelAt(event->position().toPoint().x()));
}

void LevelBar::mouseReleaseEvent(QMouseEvent*) { dragged_ = -1; }

} // namespace pict::qt
