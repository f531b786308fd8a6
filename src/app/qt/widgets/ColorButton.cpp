#include "app/qt/widgets/ColorButton.h"

#include <QColorDialog>
#include <QPixmap>

namespace pict::qt {

ColorButton::ColorButton(QWidget* parent) : QPushButton(parent) {
    setIconSize(QSize(40, 14));
    connect(this, &QPushButton::clicked, this, &ColorButton::choose);
    setColor(0);
}

void ColorButton::setColor(uint32_t color) {
    color_ = color & 0xFFFFFF;
    QPixmap swatch(iconSize());
    swatch.fill(QColor::fromRgb(static_cast<QRgb>(color_)));
    setIcon(QIcon(swatch));
    emit colorChanged(color_);
}

void ColorButton::choose() {
    const QColor chosen = QColorDialog::getColor(QColor::fromRgb(static_cast<QRgb>(color_)), this);
    if (chosen.isValid())
        setColor(chosen.rgb() & 0xFFFFFF);
}

} // namespace pict::qt
