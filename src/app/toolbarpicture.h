#pragma once
// The main window's tool bar: one bitmap of twelve button faces. A button
// is shown pressed or raised by an outline drawn in inverting mode, so that
// drawing it twice gives back the bitmap. Mouse events go to the main window.
#include <QImage>
#include <QWidget>
#include <functional>

class ToolBarPicture : public QWidget {
    Q_OBJECT
public:
    explicit ToolBarPicture(QWidget *parent = nullptr);

    // Inverts the outline from (left, 2) to (left + 23, 23).
    void invertButton(int left);
    const QImage &image() const { return bitmap; }

    std::function<void(int x, int y)> onMouseDown;
    std::function<void(int x, int y)> onMouseMove;
    std::function<void(int x, int y)> onMouseUp;
    // The tooltip of the point (empty: none there).
    std::function<QString(int x, int y)> tipAt;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage bitmap;
};
