#pragma once
// "Image Size": a thin host over ImageSizeDialogModel.

#include "app/dialogs/ImageSizeDialogModel.h"
#include "app/qt/dialogs/SizeDialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace pict::qt {

class ImageSizeDialog : public SizeDialog {
    Q_OBJECT
public:
    ImageSizeDialog(int32_t width, int32_t height, float resolution, ResolutionUnit resolutionUnit,
                    QWidget* parent = nullptr);
    ImageSizeSettings settings() const { return model_.settings(); }

    QLineEdit* field(ImageSizeField field) const { return fields_[size_t(field)]; }
    QComboBox* pixelUnitList() const { return pixelUnits_[0]; }
    QComboBox* documentUnitList() const { return documentUnits_[0]; }
    QComboBox* resolutionUnitList() const { return resolutionUnit_; }
    QCheckBox* constrainBox() const { return constrain_; }
    QCheckBox* resampleBox() const { return resample_; }
    QComboBox* methodList() const { return method_; }
    QGroupBox* pixelGroup() const { return pixelGroup_; }

private:
    QLineEdit* makeField(ImageSizeField field);
    void refresh(int except = -1);

    ImageSizeDialogModel model_;
    std::array<QLineEdit*, kImageSizeFieldCount> fields_{};
    std::array<QComboBox*, 2> pixelUnits_{};
    std::array<QComboBox*, 2> documentUnits_{};
    QComboBox* resolutionUnit_ = nullptr;
    QCheckBox* constrain_ = nullptr;
    QCheckBox* resample_ = nullptr;
    QComboBox* method_ = nullptr;
    QGroupBox* pixelGroup_ = nullptr;
};

} // namespace pict::qt
