#pragma once
// The two drawings of the Levels dialog: the histogram of the chosen channel, and the
// level bars below it whose triangular handles the user drags (black, gamma and white for
// the input, black and white for the output).

#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

namespace pict::qt {

class HistogramView : public QWidget {
    Q_OBJECT
public:
    explicit HistogramView(QWidget* parent = nullptr);
    void setCounts(const std::array<uint32_t, 256>& counts);
    const std::array<uint32_t, 256>& counts() const { return counts_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<uint32_t, 256> counts_{};
};

// A 0..255 bar with handles at levels; a press takes the nearest handle and dragging reports
// the level under the pointer for it. The owner decides where the handles end up.
class LevelBar : public QWidget {
    Q_OBJECT
public:
    explicit LevelBar(int handleCount, QWidget* parent = nullptr);
    void setLevels(const std::vector<int>& levels);
    const std::vector<int>& levels() const { return levels_; }
    // The widget x of a level, for the handles and for tests that drag them.
    int xOfLevel(int level) const;
    QSize sizeHint() const override;

signals:
    void handleDragged(int handle, int level);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int levelAt(int x) const;

    std::vector<int> levels_;
    int dragged_ = -1;
};

} // namespace pict::qt
