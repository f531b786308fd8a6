#pragma once
// Puts the Swatches and Info docks into the main window: docked at the right, one below the
// other, each floatable, with a toggle in the View menu. Every document window added to the
// document area reports its pointer moves to the Info panel.

#include <QObject>

class QMainWindow;
class QMdiArea;

namespace pict {
struct ApplicationContext;
}

namespace pict::qt {

class DocumentFrame;
class InfoPanel;
class SwatchesPanel;

class SwatchesInfoDocks : public QObject {
    Q_OBJECT
public:
    // Owned by `window`; the picked colors go into `app`, which outlives the window's docks.
    SwatchesInfoDocks(QMainWindow& window, QMdiArea& area, ApplicationContext& app);

    SwatchesPanel* swatches() const { return swatches_; }
    InfoPanel* info() const { return info_; }

    // The docks of a main window built with them; null for one without.
    static SwatchesInfoDocks* of(const QMainWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Pointer moves, the marquee's dragged size and the selection's size go to the Info panel.
    void reportToInfo(DocumentFrame& frame);
    // W and H: the size of the active window's selection; blank while nothing is selected.
    void showSelectionSize(DocumentFrame* frame);

    QMdiArea& area_;
    SwatchesPanel* swatches_ = nullptr;
    InfoPanel* info_ = nullptr;
};

} // namespace pict::qt
