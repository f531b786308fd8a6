#pragma once
// Every question the main window asks the user and every message it shows, behind one
// interface, so that the window's rules (close prompts, Save As fallbacks, open failures)
// can be driven by a script in tests. QtShellPrompts is the real one.

#include "app/session/DocumentFileRules.h"
#include "app/settings/AppSettings.h"
#include "app/dialogs/NewImageModel.h"
#include "app/dialogs/SaveOptionsModel.h"

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace pict::qt {

enum class SaveChangesAnswer { Yes, No, Cancel };

struct SaveAsRequest {
    QString folder;       // where the dialog starts
    QString proposedName; // the document name with the preselected kind's extension
    int filterEntry = 3;  // 1-based entry of the save filter to preselect
};

struct SaveAsAnswer {
    QString path;         // as the dialog returned it
    int filterEntry = 3;  // the entry the user left selected
};

class ShellPrompts {
public:
    virtual ~ShellPrompts() = default;

    // "Save changes to "%s" before closing?" with Yes, No and Cancel.
    virtual SaveChangesAnswer askSaveChanges(QWidget* parent, const QString& documentName) = 0;
    // The open dialog, started in `folder`: several existing files, the open filter with
    // "All Formats" chosen.
    virtual QStringList askOpenFiles(QWidget* parent, const QString& folder) = 0;
    // The save dialog with the save filter; nothing when cancelled.
    virtual std::optional<SaveAsAnswer> askSaveAs(QWidget* parent, const SaveAsRequest& request) = 0;
    // The question before opening or creating a picture that needs a lot of memory, with
    // Yes and No (the default); true to go on.
    virtual bool confirmLargePicture(QWidget* parent, const QString& question) = 0;
    // Before a layered document goes into a flat file: the text of flatSavePromptText with
    // Save, Save as OpenRaster… and Cancel.
    virtual FlatSaveAnswer askFlatSave(QWidget* parent, const QString& text) = 0;
    // "JPEG Options" over the choices (which it changes) and the picture to be saved; false
    // when cancelled. "PNG Options", "WebP Options" and "TIFF Options" (told whether the
    // picture has transparency); nothing when cancelled.
    virtual bool askJpegOptions(QWidget* parent, JpegOptionsModel& model, const CompositeCache& composite) = 0;
    virtual std::optional<PngCompression> askPngOptions(QWidget* parent, PngCompression current) = 0;
    virtual std::optional<WebpSaveSettings> askWebpOptions(QWidget* parent, const WebpSaveSettings& current) = 0;
    virtual std::optional<TiffSaveSettings> askTiffOptions(QWidget* parent, const TiffSaveSettings& current,
                                                           bool hasTransparency) = 0;
    // At start: the recovery prompt with Recover (true) and Discard.
    virtual bool askRecover(QWidget* parent, const QString& text) = 0;
    // A message box captioned "Error" / "Information".
    virtual void showError(QWidget* parent, const QString& text) = 0;
    virtual void showInformation(QWidget* parent, const QString& text) = 0;

    // The New dialog (see askNewImage in NewImageDialog.h); nothing when cancelled.
    virtual std::optional<NewImageSpec> askNewImage(QWidget* parent, AppSettings& settings, Color background,
                                                    DocumentNameCounter& untitledNames, ImagePreset& lastConfirmed) = 0;
    // The "Duplicate Image" dialog; nothing when cancelled.
    virtual std::optional<QString> askDuplicateName(QWidget* parent, const QString& documentName) = 0;
    // The Options dialog started from these options; nothing when cancelled.
    virtual std::optional<ApplicationOptions> askOptions(QWidget* parent, const ApplicationOptions& options) = 0;
};

class QtShellPrompts final : public ShellPrompts {
public:
    SaveChangesAnswer askSaveChanges(QWidget* parent, const QString& documentName) override;
    QStringList askOpenFiles(QWidget* parent, const QString& folder) override;
    std::optional<SaveAsAnswer> askSaveAs(QWidget* parent, const SaveAsRequest& request) override;
    bool confirmLargePicture(QWidget* parent, const QString& question) override;
    FlatSaveAnswer askFlatSave(QWidget* parent, const QString& text) override;
    bool askRecover(QWidget* parent, const QString& text) override;
    bool askJpegOptions(QWidget* parent, JpegOptionsModel& model, const CompositeCache& composite) override;
    std::optional<PngCompression> askPngOptions(QWidget* parent, PngCompression current) override;
    std::optional<WebpSaveSettings> askWebpOptions(QWidget* parent, const WebpSaveSettings& current) override;
    std::optional<TiffSaveSettings> askTiffOptions(QWidget* parent, const TiffSaveSettings& current,
                                                   bool hasTransparency) override;
    void showError(QWidget* parent, const QString& text) override;
    void showInformation(QWidget* parent, const QString& text) override;
    std::optional<NewImageSpec> askNewImage(QWidget* parent, AppSettings& settings, Color background,
                                            DocumentNameCounter& untitledNames, ImagePreset& lastConfirmed) override;
    std::optional<QString> askDuplicateName(QWidget* parent, const QString& documentName) override;
    std::optional<ApplicationOptions> askOptions(QWidget* parent, const ApplicationOptions& options) override;
};

// The application title the save prompt is captioned with.
QString applicationTitle();

} // namespace pict::qt
