#include "app/qt/panels/InfoPanel.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>

namespace pict::qt {
namespace {

// Color, position and size each get their own group, as a gap between rows.
constexpr int kGroupGapAfter[] = {2, 4};

} // namespace

InfoPanel::InfoPanel(QWidget* parent) : QDockWidget(QStringLiteral("Info"), parent) {
    setObjectName(QStringLiteral("InfoPanel"));
    auto* body = new QWidget(this);
    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    // Wide enough for "-32768" so that the panel does not jump while the pointer moves.
    const int valueWidth = QFontMetrics(font()).horizontalAdvance(QStringLiteral("-000000"));
    int row = 0;
    for (int32_t i = 0; i < kInfoFieldCount; ++i) {
        const auto field = static_cast<InfoField>(i);
        grid->addWidget(new QLabel(QString::fromUtf8(InfoPanelModel::label(field)), body), row, 0);
        values_[i] = new QLabel(body);
        values_[i]->setMinimumWidth(valueWidth);
        values_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(values_[i], row, 1);
        ++row;
        for (int gapAfter : kGroupGapAfter)
            if (i == gapAfter) {
                grid->setRowMinimumHeight(row, 6);
                ++row;
            }
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(2, 1);
    setWidget(body);
    model_.setChangeListener([this] { refresh(); });
}

QString InfoPanel::fieldText(InfoField field) const { return values_[static_cast<size_t>(field)]->text(); }

void InfoPanel::refresh() {
    for (int32_t i = 0; i < kInfoFieldCount; ++i)
        values_[i]->setText(QString::fromStdString(model_.text(static_cast<InfoField>(i))));
}

} // namespace pict::qt
