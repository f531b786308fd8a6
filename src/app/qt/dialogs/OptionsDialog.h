#pragma once
// The Options dialog: the application options of the settings file on two pages, "General"
// and "Edit". It edits a copy; the caller takes options() on OK.

#include "app/settings/AppSettings.h"
#include "app/qt/dialogs/ModalDialog.h"

class QCheckBox;
class QListWidget;
class QSpinBox;
class QStackedWidget;

namespace pict::qt {

class ColorButton;

class OptionsDialog : public ModalDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(const ApplicationOptions& options, QWidget* parent = nullptr);

    ApplicationOptions options() const;
    void setOptions(const ApplicationOptions& options);

protected:
    void reset() override { setOptions(ApplicationOptions{}); }

private:
    QWidget* buildGeneralPage();
    QWidget* buildEditPage();

    QListWidget* pageList_;
    QStackedWidget* pages_;
    QCheckBox* saveLayout_ = nullptr;
    QSpinBox* maxRecentFiles_ = nullptr;
    ColorButton* windowBackground_ = nullptr;
    ColorButton* imageBorder_ = nullptr;
    ColorButton* foreground_ = nullptr;
    ColorButton* background_ = nullptr;
    QSpinBox* historyStates_ = nullptr;
    QSpinBox* pixelThreads_ = nullptr;
    QSpinBox* historyMemory_ = nullptr;
    QSpinBox* autosave_ = nullptr;
    QSpinBox* largePicture_ = nullptr;
    QSpinBox* tolerance_ = nullptr;
};

} // namespace pict::qt
