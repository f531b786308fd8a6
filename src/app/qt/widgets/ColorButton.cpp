#include "app/qt/widgets/ColorButton.h"

#include <QColorDialog>
#include <QPixmap>

namespace pict::qt {

ColorButton::ColorButton(QWidget* parent) : QPushButton(parent) {
    setIconSize(QSize(40, 14));
    connect(this, &QPushButton::clicked, this, &ColorButton::choose);
    setColor(kBlack);
}

void ColorButton::setColor(Color color) {
    color_ = color;
    QPixmap swatch(iconSize());
    swatch.fill(toQColor(color_));
    setIcon(QIcon(swatch));
    emit colorChanged(color_);
}

void ColorButton::choose() {
    const QColor chosen = QColorDialog::getColor(toQColor(color_), this);
    if (chosen.isValid())
        setColor(colorOf(chosen));
}

} // namespace pict::qt
