#pragma once
// "JPEG Options": quality (slider and field), chroma subsampling, progressive, "Keep
// metadata" and "Remove location data", the size of the file these choices write and a
// preview of its picture at 100 %, both brought up to date shortly after each change.
// "PNG Options": the compression. Both are hosts of SaveOptionsModel. "WebP Options": the
// quality and lossless compression.

#include "app/dialogs/SaveOptionsModel.h"
#include "app/qt/dialogs/ModalDialog.h"
#include "app/session/ApplicationContext.h"

#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;
class QSpinBox;
class QTimer;

namespace pict {
class CompositeCache;
class DocumentSession;
}

namespace pict::qt {

class PreviewPane;

class JpegOptionsDialog final : public ModalDialog {
    Q_OBJECT
public:
    JpegOptionsDialog(JpegOptionsModel& model, const CompositeCache& composite, QWidget* parent = nullptr);
    ~JpegOptionsDialog() override;

    // The size line as shown ("File size: 12.3 KB"); empty until the first compression.
    QString sizeText() const;
    // Compresses now instead of after the pause (tests, and the first showing).
    void compressNow();
    PreviewPane* preview() const { return pane_; }

private:
    void choicesChanged();
    void showEnabled();

    JpegOptionsModel& model_;
    const CompositeCache& composite_;
    QSpinBox* quality_;
    QSlider* qualitySlider_;
    QComboBox* subsampling_;
    QCheckBox* progressive_;
    QCheckBox* keepMetadata_;
    QCheckBox* removeLocation_;
    QLabel* size_;
    QTimer* pause_;
    ApplicationContext previewContext_;
    std::unique_ptr<DocumentSession> preview_; // the compressed picture, shown by the pane
    PreviewPane* pane_ = nullptr;
};

// The "PNG Options" dialog; nothing when cancelled.
std::optional<PngCompression> askPngCompression(QWidget* parent, PngCompression current);
// The "WebP Options" dialog: quality and lossless; nothing when cancelled.
std::optional<WebpSaveSettings> askWebpSettings(QWidget* parent, const WebpSaveSettings& current);

} // namespace pict::qt
