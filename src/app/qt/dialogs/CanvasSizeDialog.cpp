#include "app/qt/dialogs/CanvasSizeDialog.h"

#include "app/qt/widgets/ColorButton.h"
#include "app/qt/dialogs/DialogText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace pict::qt {

namespace {

// The arrows around the chosen anchor show where the canvas grows; indexed by the cell's
// offset from the anchor (row then column, each -1..1).
const QString kAnchorArrows[3][3] = {{QStringLiteral("\u2196"), QStringLiteral("\u2191"), QStringLiteral("\u2197")},
                                     {QStringLiteral("\u2190"), QStringLiteral("\u25CF"), QStringLiteral("\u2192")},
                                     {QStringLiteral("\u2199"), QStringLiteral("\u2193"), QStringLiteral("\u2198")}};

QString anchorGlyph(int cell, int anchor) {
    const int dr = cell / 3 - anchor / 3;
    const int dc = cell % 3 - anchor % 3;
    if (dr < -1 || dr > 1 || dc < -1 || dc > 1)
        return {};
    return kAnchorArrows[dr + 1][dc + 1];
}

} // namespace

CanvasSizeDialog::CanvasSizeDialog(int32_t width, int32_t height, float resolution,
                                   ResolutionUnit resolutionUnit, const CanvasSizeDialogMemory& memory,
                                   Color foreground, Color background, QWidget* parent)
    : SizeDialog(parent), model_(width, height, resolution, resolutionUnit, memory), foreground_(foreground),
      background_(background) {
    setWindowTitle(tr("Canvas Size"));

    auto* current = new QGroupBox(
        tr("Current Size: %1").arg(QString::fromStdString(model_.currentSizeText())), this);
    auto* currentGrid = new QGridLayout(current);
    currentGrid->addWidget(new QLabel(tr("Width:")), 0, 0, Qt::AlignRight);
    currentGrid->addWidget(new QLabel(QString::fromStdString(model_.currentSideText(CanvasAxis::Width))), 0, 1);
    currentGrid->addWidget(new QLabel(tr("Height:")), 1, 0, Qt::AlignRight);
    currentGrid->addWidget(new QLabel(QString::fromStdString(model_.currentSideText(CanvasAxis::Height))), 1, 1);
    currentGrid->setColumnStretch(1, 1);

    auto* proposed = new QGroupBox(this);
    auto* grid = new QGridLayout(proposed);
    newSize_ = new QLabel(this);
    grid->addWidget(newSize_, 0, 0, 1, 3);
    addSizeRow(grid, 1, tr("&Width:"), CanvasAxis::Width);
    addSizeRow(grid, 2, tr("&Height:"), CanvasAxis::Height);
    relative_ = new QCheckBox(tr("&Relative"), this);
    connect(relative_, &QCheckBox::toggled, this, [this](bool on) {
        model_.setRelative(on);
        refresh();
    });
    grid->addWidget(relative_, 3, 1, 1, 2);

    auto* anchorGrid = new QGridLayout;
    anchorGrid->setSpacing(2);
    anchors_ = new QButtonGroup(this);
    for (int cell = 0; cell < kAnchorCount; ++cell) {
        auto* button = new QToolButton(this);
        button->setCheckable(true);
        button->setFixedSize(26, 26);
        anchors_->addButton(button, cell);
        anchorGrid->addWidget(button, cell / 3, cell % 3);
    }
    connect(anchors_, &QButtonGroup::idClicked, this, [this](int cell) {
        model_.setAnchor(cell);
        refresh();
    });
    grid->addWidget(new QLabel(tr("Anchor:")), 4, 0, Qt::AlignRight | Qt::AlignTop);
    grid->addLayout(anchorGrid, 4, 1, 1, 2, Qt::AlignLeft);

    colors_ = makeList(kFillContentsNames);
    connect(colors_, &QComboBox::currentIndexChanged, this, [this](int choice) {
        model_.setColorChoice(FillContents(choice));
        refresh();
    });
    swatch_ = new ColorButton(this);
    connect(swatch_, &ColorButton::colorChanged, this, [this](Color color) {
        if (refreshing_)
            return;
        model_.pickCustomColor(color);
        refresh();
    });
    auto* colorRow = new QHBoxLayout;
    auto* colorLabel = new QLabel(tr("&Canvas extension color:"), this);
    colorLabel->setBuddy(colors_);
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(colors_, 1);
    colorRow->addWidget(swatch_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(current);
    layout->addWidget(proposed);
    layout->addLayout(colorRow);
    layout->addWidget(buttons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

void CanvasSizeDialog::addSizeRow(QGridLayout* grid, int row, const QString& label, CanvasAxis axis) {
    QLineEdit* entry = makeNumberEntry([this, axis](const QString& text) {
        model_.edit(axis, modelText(text));
        refresh(int(axis));
    });
    QComboBox* units = makeList(kCanvasLengthUnitNames);
    fields_[size_t(axis)] = entry;
    units_[size_t(axis)] = units;
    connect(units, &QComboBox::currentIndexChanged, this, [this, axis](int unit) {
        model_.setUnit(axis, CanvasLengthUnit(unit));
        refresh();
    });
    addRow(grid, row, label, entry, units);
}

void CanvasSizeDialog::refresh(int except) {
    refreshing_ = true;
    for (int axis = 0; axis < 2; ++axis) {
        if (axis != except)
            showText(fields_[size_t(axis)], model_.text(CanvasAxis(axis)));
        selectQuietly(units_[size_t(axis)], int(model_.unit(CanvasAxis(axis))));
    }
    for (int cell = 0; cell < kAnchorCount; ++cell) {
        QAbstractButton* button = anchors_->button(cell);
        button->setChecked(cell == model_.anchor());
        button->setText(anchorGlyph(cell, model_.anchor()));
    }
    selectQuietly(colors_, int(model_.colorChoice()));
    swatch_->setColor(model_.extensionColor(foreground_, background_));
    newSize_->setText(tr("New Size: %1").arg(QString::fromStdString(model_.newSizeText())));
    okButton()->setEnabled(model_.acceptable());
    refreshing_ = false;
}

CanvasSizeSettings CanvasSizeDialog::confirm(CanvasSizeDialogMemory& memory) const {
    return model_.confirm(memory, foreground_, background_);
}

} // namespace pict::qt
