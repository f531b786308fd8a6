#pragma once
// "TIFF Options": compression, depth and color, a host of TiffOptionsModel. Choices that
// do not fit the others are grayed with the reason as their tip, and the fields follow the
// model's corrections as the user changes them; a note says when the picture's transparent
// parts will be written over white.

#include "app/dialogs/TiffOptionsModel.h"
#include "app/qt/dialogs/ModalDialog.h"

#include <optional>

class QComboBox;
class QLabel;

namespace pict::qt {

class TiffOptionsDialog final : public ModalDialog {
    Q_OBJECT
public:
    explicit TiffOptionsDialog(TiffOptionsModel& model, QWidget* parent = nullptr);

private:
    // Shows the model's choices, what it offers and the note.
    void showChoices();

    TiffOptionsModel& model_;
    QComboBox* compression_;
    QComboBox* depth_;
    QComboBox* color_;
    QLabel* note_;
};

// The "TIFF Options" dialog; nothing when cancelled.
std::optional<TiffSaveSettings> askTiffSettings(QWidget* parent, const TiffSaveSettings& current,
                                                bool hasTransparency);

} // namespace pict::qt
