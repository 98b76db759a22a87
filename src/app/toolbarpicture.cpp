#include "app/toolbarpicture.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QPainter>

// The resources are linked from a static library: register them explicitly.
static void loadResources()
{
    Q_INIT_RESOURCE(resources);
}

ToolBarPicture::ToolBarPicture(QWidget *parent)
    : QWidget(parent)
{
    loadResources();
    bitmap = QImage(QStringLiteral(":/toolbar.png")).convertToFormat(QImage::Format_RGB32);
    if (bitmap.isNull()) {
        bitmap = QImage(550, 26, QImage::Format_RGB32);
        bitmap.fill(QColor(192, 192, 192));
    }
    setFixedSize(bitmap.size());
    setMouseTracking(true);
}

void ToolBarPicture::invertButton(int left)
{
    auto invert = [this](int x, int y) {
        if (x >= 0 && y >= 0 && x < bitmap.width() && y < bitmap.height())
            bitmap.setPixel(x, y, bitmap.pixel(x, y) ^ 0x00FFFFFF);
    };
    const int right = left + 23, top = 2, bottom = 23;
    for (int x = left; x <= right; ++x) {
        invert(x, top);
        invert(x, bottom);
    }
    for (int y = top + 1; y < bottom; ++y) {
        invert(left, y);
        invert(right, y);
    }
    update();
}

bool ToolBarPicture::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto *help = static_cast<QHelpEvent *>(event);
    const QString tip = tipAt ? tipAt(help->pos().x(), help->pos().y()) : QString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, this);
    }
    return true;
}

void ToolBarPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, bitmap);
}

void ToolBarPicture::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && onMouseDown)
        onMouseDown(event->position().toPoint().x(), event->position().toPoint().y());
}

void ToolBarPicture::mouseMoveEvent(QMouseEvent *event)
{
    if (onMouseMove)
        onMouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

void ToolBarPicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && onMouseUp)
        onMouseUp(event->position().toPoint().x(), event->position().toPoint().y());
}
