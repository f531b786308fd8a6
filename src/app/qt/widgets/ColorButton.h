#pragma once
// A push button showing a color swatch; clicking it opens the color chooser.

#include <QPushButton>

#include <cstdint>

namespace pict::qt {

class ColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit ColorButton(QWidget* parent = nullptr);

    // 0x00RRGGBB.
    uint32_t color() const { return color_; }
    void setColor(uint32_t color);

signals:
    void colorChanged(uint32_t color);

private:
    void choose();

    uint32_t color_ = 0;
};

} // namespace pict::qt
