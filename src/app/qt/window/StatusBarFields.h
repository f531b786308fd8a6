#pragma once
// The status bar's fields for the active document window: the picture's size in pixels, the
// image pixel under the pointer, and the zoom as an editable percentage (typing 150 and Enter
// zooms to 150 %).

#include <QObject>

class QLabel;
class QLineEdit;
class QStatusBar;

namespace pict::qt {

class DocumentFrame;

class StatusBarFields : public QObject {
    Q_OBJECT
public:
    explicit StatusBarFields(QStatusBar& bar);

    // The window the fields describe (null: none, the fields are blank). Called again
    // whenever its size or zoom may have changed.
    void showDocument(DocumentFrame* frame);
    // A pointer move over a document window's drawing area, in window pixels.
    void pointerMoved(DocumentFrame* frame, QPoint window);

    QLabel* sizeField() const { return size_; }
    QLabel* positionField() const { return position_; }
    QLineEdit* zoomField() const { return zoom_; }

private:
    void zoomTyped();

    QLabel* size_;
    QLabel* position_;
    QLineEdit* zoom_;
    DocumentFrame* frame_ = nullptr;
};

} // namespace pict::qt
