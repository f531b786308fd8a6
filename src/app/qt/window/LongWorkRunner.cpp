#include "app/qt/window/LongWorkRunner.h"

#include "surface/PixelWorkCancellation.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include <thread>

namespace pict::qt {

LongWorkRunner::LongWorkRunner(QStatusBar& bar, QObject* parent)
    : QObject(parent), indicator_(new QWidget(&bar)), name_(new QLabel(indicator_)),
      busy_(new QProgressBar(indicator_)), cancel_(new QPushButton(tr("Cancel"), indicator_)) {
    auto* row = new QHBoxLayout(indicator_);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(name_);
    // The work does not say how far it is; the bar says that it is under way.
    busy_->setRange(0, 0);
    busy_->setMaximumWidth(120);
    busy_->setTextVisible(false);
    row->addWidget(busy_);
    row->addWidget(cancel_);
    cancel_->setFocusPolicy(Qt::NoFocus);
    bar.addPermanentWidget(indicator_);
    indicator_->hide();
    showTimer_.setSingleShot(true);
    connect(&showTimer_, &QTimer::timeout, this, [this] {
        indicator_->show();
        emit shown();
    });
    connect(cancel_, &QPushButton::clicked, this, &LongWorkRunner::cancel);
}

LongWorkRunner::~LongWorkRunner() = default;

void LongWorkRunner::cancel() {
    if (!running_)
        return;
    cancelled_ = true;
    cancel_->setEnabled(false);
}

bool LongWorkRunner::run(const QString& name, const std::function<void()>& work) {
    if (running_) {
        work();
        return true;
    }
    running_ = true;
    cancelled_ = false;
    name_->setText(name);
    cancel_->setEnabled(true);
    QEventLoop loop;
    std::thread worker([this, &work, &loop] {
        {
            const PixelWorkCancellation cancellable(&cancelled_);
            if (startHook_)
                startHook_();
            work();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    qApp->installEventFilter(this);
    showTimer_.start(showDelay_);
    loop.exec();
    worker.join();
    qApp->removeEventFilter(this);
    showTimer_.stop();
    indicator_->hide();
    running_ = false;
    return !cancelled_;
}

bool LongWorkRunner::isIndicatorPart(QObject* object) const {
    for (auto* widget = qobject_cast<QWidget*>(object); widget; widget = widget->parentWidget())
        if (widget == indicator_)
            return true;
    return false;
}

bool LongWorkRunner::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            cancel();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return !isIndicatorPart(watched);
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    case QEvent::Close: {
        // Closing a window would take the document from under the work.
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !(widget->isWindow() || widget->inherits("QMdiSubWindow")))
            return false;
        event->ignore();
        return true;
    }
    default:
        return false;
    }
}

} // namespace pict::qt
