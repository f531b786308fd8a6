#pragma once
// A push button showing a color swatch; clicking it opens the color chooser. Also the two
// conversions between the program's colors and Qt's.

#include "common/Color.h"

#include <QColor>
#include <QPushButton>

namespace pict::qt {

inline QColor toQColor(Color color) { return QColor(color.red, color.green, color.blue); }
inline Color colorOf(const QColor& color) {
    return {static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()), static_cast<uint8_t>(color.blue())};
}

class ColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit ColorButton(QWidget* parent = nullptr);

    Color color() const { return color_; }
    void setColor(Color color);

signals:
    void colorChanged(pict::Color color);

private:
    void choose();

    Color color_;
};

} // namespace pict::qt
