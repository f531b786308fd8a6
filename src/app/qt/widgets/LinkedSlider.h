#pragma once
// A slider and a number field over one range, kept showing the same value. edited() reports
// a change the user made in either; show() sets both without reporting.

#include "imageops/FilterParams.h"

#include <QObject>

class QSlider;
class QSpinBox;
class QWidget;

namespace pict::qt {

class LinkedSlider : public QObject {
    Q_OBJECT
public:
    LinkedSlider(QWidget* parent, const QString& name, ParamRange<int32_t> range);

    QSlider* slider() const { return slider_; }
    QSpinBox* field() const { return field_; }

    void setRange(ParamRange<int32_t> range);
    void show(int32_t value);

signals:
    void edited(int value);

private:
    void take(int value);

    QSlider* slider_;
    QSpinBox* field_;
};

} // namespace pict::qt
