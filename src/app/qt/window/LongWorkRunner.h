#pragma once
// Work that may take long (a filter on a large layer, a save, an open) runs on a worker
// thread while the user-interface thread keeps running its event loop: the window repaints,
// resizes and keeps its timers, and the status bar shows, once the work has taken 300 ms,
// what runs with a busy bar and a Cancel button. Until the work ends the user's input reaches
// only that button (Escape presses it): the document must not change under the work, which
// reads its pixels. Cancel tells the work through pixelWorkCancelled() and waits for it to
// return; its caller then drops whatever it produced.

#include <QObject>
#include <QTimer>

#include <atomic>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QWidget;

namespace pict::qt {

class LongWorkRunner final : public QObject {
    Q_OBJECT
public:
    explicit LongWorkRunner(QStatusBar& bar, QObject* parent = nullptr);
    ~LongWorkRunner() override;

    // Runs work on a worker and returns once it has returned: true when it finished, false
    // when the user cancelled it. A run asked for while another runs runs at once here.
    bool run(const QString& name, const std::function<void()>& work);
    bool isRunning() const { return running_; }
    // What the Cancel button does.
    void cancel();

    // How long work runs before the status bar shows it (300 ms).
    void setShowDelay(int milliseconds) { showDelay_ = milliseconds; }
    // Runs on the worker before each work, for tests that must cancel work still under way.
    void setWorkerStartHook(std::function<void()> hook) { startHook_ = std::move(hook); }
    QWidget* indicator() const { return indicator_; }
    QPushButton* cancelButton() const { return cancel_; }

signals:
    // The indicator appeared (the work has run for the show delay).
    void shown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isIndicatorPart(QObject* object) const;

    QWidget* indicator_;
    QLabel* name_;
    QProgressBar* busy_;
    QPushButton* cancel_;
    QTimer showTimer_;
    int showDelay_ = 300;
    std::function<void()> startHook_;
    std::atomic<bool> cancelled_{false};
    bool running_ = false;
};

} // namespace pict::qt
