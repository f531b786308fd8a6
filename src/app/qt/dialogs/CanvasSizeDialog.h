#pragma once
// "Canvas Size": a thin host over CanvasSizeDialogModel, with the 3 x 3 anchor choice and the
// extension color list beside its swatch.

#include "app/dialogs/CanvasSizeDialogModel.h"
#include "app/qt/dialogs/SizeDialog.h"

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace pict::qt {

class ColorButton;

class CanvasSizeDialog : public SizeDialog {
    Q_OBJECT
public:
    // foreground and background are the current colors the first two choices stand for.
    CanvasSizeDialog(int32_t width, int32_t height, float resolution, ResolutionUnit resolutionUnit,
                     const CanvasSizeDialogMemory& memory, Color foreground, Color background,
                     QWidget* parent = nullptr);
    // OK: the record, and the memory takes the color choice.
    CanvasSizeSettings confirm(CanvasSizeDialogMemory& memory) const;

    QLineEdit* field(CanvasAxis axis) const { return fields_[size_t(axis)]; }
    QComboBox* unitList(CanvasAxis axis) const { return units_[size_t(axis)]; }
    QCheckBox* relativeBox() const { return relative_; }
    QButtonGroup* anchors() const { return anchors_; }
    QComboBox* colorList() const { return colors_; }
    ColorButton* swatch() const { return swatch_; }
    QLabel* newSizeLabel() const { return newSize_; }

private:
    void addSizeRow(QGridLayout* grid, int row, const QString& label, CanvasAxis axis);
    void refresh(int except = -1);

    CanvasSizeDialogModel model_;
    Color foreground_;
    Color background_;
    std::array<QLineEdit*, 2> fields_{};
    std::array<QComboBox*, 2> units_{};
    QCheckBox* relative_ = nullptr;
    QButtonGroup* anchors_ = nullptr;
    QComboBox* colors_ = nullptr;
    ColorButton* swatch_ = nullptr;
    QLabel* newSize_ = nullptr;
};

} // namespace pict::qt
