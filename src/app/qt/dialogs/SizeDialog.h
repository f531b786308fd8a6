#pragma once
// What the Image Size and Canvas Size hosts share: number entries and unit lists set out in
// labelled grid rows, and a refresh from the model that does not feed back into it.

#include "app/qt/dialogs/ModalDialog.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QString;

namespace pict::qt {

class SizeDialog : public ModalDialog {
    Q_OBJECT
protected:
    explicit SizeDialog(QWidget* parent) : ModalDialog(parent) {}

    // A number entry wide enough for "00000.000"; edited runs on what the user types, never
    // on what a refresh writes.
    QLineEdit* makeNumberEntry(std::function<void(const QString&)> edited);
    QComboBox* makeList(std::span<const std::string_view> names);
    // Label (the entry's buddy), entry and list side by side in a row of the grid.
    static void addRow(QGridLayout* grid, int row, const QString& label, QLineEdit* entry, QComboBox* list);

    // For refresh(): the entry shows text (left alone when it already does, so that the
    // cursor stays), and the list's selection changes without reporting it.
    static void showText(QLineEdit* entry, const std::string& text);
    static void selectQuietly(QComboBox* list, int index);

    // True while a refresh writes the widgets: their change signals are not the user's.
    bool refreshing_ = false;
};

} // namespace pict::qt
