#pragma once
// The New dialog: name, preset list with Save and Delete preset, size and resolution with
// their units, background, orientation and the memory label. It shows what the New-image
// model computes; the document is made by the caller from the returned spec.

#include "app/dialogs/NewImageModel.h"
#include "app/qt/dialogs/ModalDialog.h"

#include <optional>
#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace pict::qt {

class NewImageDialog : public ModalDialog {
    Q_OBJECT
public:
    NewImageDialog(AppSettings& settings, const BuiltInPresetInputs& builtIns, const std::string& proposedName,
                   QWidget* parent = nullptr);

    NewImageFields fields() const { return fields_; }
    // The preset list as shown: the built-ins, then the user's presets.
    const std::vector<ImagePreset>& presetList() const { return presets_; }

    // The two preset buttons' work, callable without their message boxes (the name is given,
    // the deletion confirmed).
    SavePresetResult savePresetNamed(const std::string& name);
    bool deleteSelectedPreset();

    QComboBox* presetBox() const { return presetBox_; }
    QDoubleSpinBox* widthField() const { return width_; }
    QDoubleSpinBox* heightField() const { return height_; }
    QLabel* sizeLabel() const { return sizeLabel_; }
    QToolButton* savePresetButton() const { return savePreset_; }
    QToolButton* deletePresetButton() const { return deletePreset_; }

private:
    void rebuildPresetBox(int32_t selectId);
    void presetChosen(int index);
    void fieldsEdited();
    // Width and height share one unit: choosing it in either list converts both values.
    void sizeUnitChosen(int index);
    void resolutionUnitChanged();
    void orientationChosen(int index);
    void swapClicked();
    void savePresetClicked();
    void deletePresetClicked();
    void showFields();
    void updateStates();

    AppSettings& settings_;
    BuiltInPresetInputs builtInInputs_;
    std::vector<ImagePreset> presets_;
    NewImageFields fields_;
    bool updating_ = false; // fields are being filled from the model, not edited

    QLineEdit* name_;
    QComboBox* presetBox_;
    QToolButton* savePreset_;
    QToolButton* deletePreset_;
    QDoubleSpinBox* width_;
    QComboBox* widthUnit_;
    QDoubleSpinBox* height_;
    QComboBox* heightUnit_;
    QDoubleSpinBox* resolution_;
    QComboBox* resolutionUnit_;
    QComboBox* background_;
    QComboBox* orientation_;
    QToolButton* swap_;
    QLabel* sizeLabel_;
};

// Runs the dialog. lastConfirmed is the "Custom" entry's values, kept by the caller for the
// run and updated on OK.
std::optional<NewImageSpec> askNewImage(QWidget* parent, AppSettings& settings, Color currentBackground,
                                        DocumentNameCounter& untitledNames, ImagePreset& lastConfirmed);

} // namespace pict::qt
