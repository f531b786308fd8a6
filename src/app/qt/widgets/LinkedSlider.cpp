#include "app/qt/widgets/LinkedSlider.h"

#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

namespace pict::qt {

LinkedSlider::LinkedSlider(QWidget* parent, const QString& name, ParamRange<int32_t> range)
    : QObject(parent), slider_(new QSlider(Qt::Horizontal, parent)), field_(new QSpinBox(parent)) {
    field_->setObjectName(name);
    slider_->setObjectName(name + QStringLiteral("Slider"));
    slider_->setMinimumWidth(200);
    field_->setKeyboardTracking(true);
    setRange(range);
    connect(slider_, &QSlider::valueChanged, this, &LinkedSlider::take);
    connect(field_, &QSpinBox::valueChanged, this, &LinkedSlider::take);
}

void LinkedSlider::setRange(ParamRange<int32_t> range) {
    const QSignalBlocker blockSlider(slider_);
    const QSignalBlocker blockField(field_);
    slider_->setRange(range.min, range.max);
    field_->setRange(range.min, range.max);
    slider_->setPageStep(std::max(1, (range.max - range.min) / 20));
}

void LinkedSlider::show(int32_t value) {
    const QSignalBlocker blockSlider(slider_);
    const QSignalBlocker blockField(field_);
    slider_->setValue(value);
    field_->setValue(value);
}

void LinkedSlider::take(int value) {
    show(value);
    emit edited(value);
}

} // namespace pict::qt
