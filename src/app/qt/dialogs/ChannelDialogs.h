#pragma once
// "Save Selection" and "Load Selection": a channel list and the operation buttons worded as
// in the combine table; Load adds "Invert".

#include "app/commands/DocumentCommands.h"
#include "app/qt/dialogs/ModalDialog.h"

#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace pict::qt {

class SaveSelectionDialog : public ModalDialog {
    Q_OBJECT
public:
    // nextName is shown as the hint of an empty name field.
    SaveSelectionDialog(const std::vector<std::string>& channelNames, const std::string& nextName,
                        QWidget* parent = nullptr);
    SaveSelectionParams answer() const;

    QComboBox* channelList() const { return channels_; }
    QLineEdit* nameField() const { return name_; }
    QButtonGroup* operations() const { return operations_; }

private:
    void choiceChanged();

    int32_t channelCount_;
    QComboBox* channels_;
    QLineEdit* name_;
    QButtonGroup* operations_;
};

class LoadSelectionDialog : public ModalDialog {
    Q_OBJECT
public:
    // fits says which channels still fit the canvas (empty: all of them); the others are
    // listed greyed out, under a note saying why.
    explicit LoadSelectionDialog(const std::vector<std::string>& channelNames, const std::vector<bool>& fits = {},
                                 QWidget* parent = nullptr);
    LoadSelectionParams answer() const;

    QComboBox* channelList() const { return channels_; }
    QCheckBox* invertBox() const { return invert_; }
    QButtonGroup* operations() const { return operations_; }
    QLabel* misfitNote() const { return misfitNote_; } // null when every channel fits

private:
    QComboBox* channels_;
    QCheckBox* invert_;
    QLabel* misfitNote_ = nullptr;
    QButtonGroup* operations_;
};

} // namespace pict::qt
