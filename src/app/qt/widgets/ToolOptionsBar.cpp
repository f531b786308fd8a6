#include "app/qt/widgets/ToolOptionsBar.h"

#include "app/panels/ToolOptionsLayout.h"
#include "app/qt/widgets/BlendModeList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

namespace pict::qt {

ToolOptionsBar::ToolOptionsBar(ToolOptions& options, QWidget* parent) : QToolBar(parent), options_(options) {
    setObjectName(QStringLiteral("toolOptions"));
    setWindowTitle(tr("Tool Options"));
    setMovable(false);
}

void ToolOptionsBar::set(const char* key, int32_t value) {
    setToolOption(options_, key, value);
    emit optionChanged();
}

void ToolOptionsBar::showTool(int32_t toolId) {
    tool_ = toolId;
    clear();
    for (const ToolControl& control : toolControls(toolId)) {
        const ToolOptionField* field = findToolOptionField(control.key);
        if (!field)
            continue;
        const int32_t value = field->get(options_);
        const char* key = control.key;
        const QString name = QString::fromUtf8(control.key);
        switch (control.kind) {
        case ToolControlKind::Number: {
            addWidget(new QLabel(QString::fromUtf8(control.label), this));
            auto* spin = new QSpinBox(this);
            spin->setObjectName(name);
            spin->setRange(field->minimum, field->maximum);
            spin->setValue(value);
            if (*control.unit)
                spin->setSuffix(QStringLiteral(" ") + QString::fromUtf8(control.unit));
            connect(spin, &QSpinBox::valueChanged, this, [this, key](int v) { set(key, v); });
            addWidget(spin);
            break;
        }
        case ToolControlKind::Check: {
            auto* check = new QCheckBox(QString::fromUtf8(control.label), this);
            check->setObjectName(name);
            check->setChecked(value != 0);
            connect(check, &QCheckBox::toggled, this, [this, key](bool on) { set(key, on ? 1 : 0); });
            addWidget(check);
            break;
        }
        case ToolControlKind::Choice:
        case ToolControlKind::BlendMode: {
            addWidget(new QLabel(QString::fromUtf8(control.label), this));
            QComboBox* list = control.kind == ToolControlKind::BlendMode ? blendModeList(this) : new QComboBox(this);
            list->setObjectName(name);
            if (control.kind == ToolControlKind::BlendMode) {
                list->setCurrentIndex(value);
                connect(list, &QComboBox::currentIndexChanged, this, [this, key](int i) { set(key, i); });
            } else {
                for (const ToolChoice& choice : control.choices) {
                    list->addItem(QString::fromUtf8(choice.label), choice.value);
                    if (choice.value == value)
                        list->setCurrentIndex(list->count() - 1);
                }
                connect(list, &QComboBox::currentIndexChanged, this,
                        [this, key, list](int i) { set(key, list->itemData(i).toInt()); });
            }
            addWidget(list);
            break;
        }
        }
        addSeparator();
    }
}

} // namespace pict::qt
