#include "app/qt/panels/SwatchesPanel.h"

#include "app/commands/CommandIds.h"
#include "app/commands/CommandTable.h"
#include "app/qt/widgets/ColorButton.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <functional>

namespace pict::qt {
namespace {

// The cells: the model draws them, this widget puts the pixels on the screen and hands the
// model the pointer, the client size and the scroll position.
class SwatchGridArea : public QAbstractScrollArea {
public:
    using PressHandler = std::function<void(Point, bool ctrl)>;

    SwatchGridArea(SwatchesPanelModel& model, PressHandler pressed, QWidget* parent)
        : QAbstractScrollArea(parent), model_(model), pressed_(std::move(pressed)) {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        setFocusPolicy(Qt::ClickFocus);
        viewport()->setMouseTracking(true);
        viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
        verticalScrollBar()->setSingleStep(kSwatchCell);
    }

    void listChanged() {
        syncScrollBar();
        viewport()->update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const QColor face = palette().color(QPalette::Window);
        if (!model_.draw(pixels_, colorOf(face)))
            return;
        const QImage image(reinterpret_cast<const uchar*>(pixels_.pixels.data()), pixels_.width, pixels_.height,
                           static_cast<qsizetype>(pixels_.strideBytes()), QImage::Format_RGB32);
        QPainter(viewport()).drawImage(0, 0, image);
    }
    void resizeEvent(QResizeEvent* event) override {
        QAbstractScrollArea::resizeEvent(event);
        model_.setClientSize({viewport()->width(), viewport()->height()});
        syncScrollBar();
    }
    void scrollContentsBy(int, int) override {
        if (syncing_)
            return;
        model_.setScroll(verticalScrollBar()->value());
        viewport()->update();
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton)
            return;
        setFocus(Qt::MouseFocusReason);
        const QPoint at = event->position().toPoint();
        pressed_({at.x(), at.y()}, event->modifiers().testFlag(Qt::ControlModifier));
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        model_.hover({at.x(), at.y()});
    }

private:
    void syncScrollBar() {
        syncing_ = true;
        QScrollBar* bar = verticalScrollBar();
        bar->setRange(0, model_.maxScroll());
        bar->setPageStep(std::max(1, viewport()->height()));
        bar->setValue(model_.scroll());
        syncing_ = false;
    }

    SwatchesPanelModel& model_;
    PressHandler pressed_;
    ViewBuffer pixels_;
    bool syncing_ = false;
};

constexpr int kButtonIcon = 16;

// A small swatch with a plus, and one with a cross: the panel's two buttons.
QIcon buttonIcon(bool add) {
    QPixmap pixmap(kButtonIcon, kButtonIcon);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(QColor(0x00, 0xA6, 0x50));
    p.drawRect(1, 3, 10, 10);
    p.setPen(QPen(add ? QColor(0x20, 0x20, 0x20) : QColor(0xC0, 0x10, 0x10), 2));
    if (add) {
        p.drawLine(12, 6, 12, 14);
        p.drawLine(8, 10, 16, 10);
    } else {
        p.drawLine(9, 7, 15, 13);
        p.drawLine(15, 7, 9, 13);
    }
    return QIcon(pixmap);
}

} // namespace

SwatchesPanel::SwatchesPanel(ApplicationContext& app, InfoPanelModel* info, QWidget* parent)
    : QDockWidget(QStringLiteral("Swatches"), parent), app_(app), model_(app, info) {
    setObjectName(QStringLiteral("SwatchesPanel"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    auto* toolbar = new QToolBar(body);
    toolbar->setIconSize(QSize(kButtonIcon, kButtonIcon));
    indicator_ = new QLabel(toolbar);
    indicator_->setToolTip(QStringLiteral("Foreground and background colors"));
    toolbar->addWidget(indicator_);
    auto* spacer = new QWidget(toolbar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolbar->addWidget(spacer);
    for (const uint16_t id : {kCmdNewSwatch, kCmdDeleteSwatch}) {
        const CommandSpec* command = findCommand(id);
        QAction* action = toolbar->addAction(buttonIcon(id == kCmdNewSwatch), QString::fromUtf8(command->statusText));
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { runButton(id); });
        (id == kCmdNewSwatch ? newSwatch_ : deleteSwatch_) = action;
    }
    layout->addWidget(toolbar);

    grid_ = new SwatchGridArea(model_, [this](Point at, bool ctrl) { gridPressed(at, ctrl); }, body);
    grid_->setMinimumSize(12 * 8, 12 * 4);
    layout->addWidget(grid_, 1);
    setWidget(body);
    currentColorsChanged();
}

QWidget* SwatchesPanel::gridArea() const { return grid_->viewport(); }

QAction* SwatchesPanel::buttonAction(uint16_t id) const {
    return id == kCmdNewSwatch ? newSwatch_ : id == kCmdDeleteSwatch ? deleteSwatch_ : nullptr;
}

void SwatchesPanel::runButton(uint16_t id) {
    // Ctrl held while clicking the button takes the background color.
    const bool ctrl = QApplication::keyboardModifiers().testFlag(Qt::ControlModifier);
    if (model_.runCommand(id, ctrl))
        static_cast<SwatchGridArea*>(grid_)->listChanged();
}

void SwatchesPanel::gridPressed(Point at, bool ctrl) {
    if (!model_.press(at, ctrl))
        return;
    currentColorsChanged();
    emit colorPicked();
}

void SwatchesPanel::currentColorsChanged() {
    // The background square behind the foreground square, as colors are usually shown.
    QPixmap pixmap(26, 22);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(toQColor(app_.backgroundColor));
    p.drawRect(10, 7, 14, 13);
    p.setBrush(toQColor(app_.foregroundColor));
    p.drawRect(1, 1, 14, 13);
    p.end();
    indicator_->setPixmap(pixmap);
}

} // namespace pict::qt
