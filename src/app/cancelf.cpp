#include "app/cancelf.h"

#include "store/datamodule.h"

#include "platform/fonts.h"
#include "platform/twips.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

void ProgressPicture::setScaleWidth(int units)
{
    scaleWidth = qMax(1, units);
    update();
}

void ProgressPicture::fillTo(int units)
{
    filled = qBound(0, units, scaleWidth);
    update();
}

void ProgressPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const int w = static_cast<int>(qint64(width()) * filled / scaleWidth);
    painter.fillRect(QRect(0, 0, w, height()), QColor(0, 0, 128));
}

CancelF::CancelF(DataModule &data, QWidget *parent)
    : QDialog(parent), dm(data)
{
    setObjectName(QStringLiteral("CancelF"));
    setWindowTitle(ProgramTitle);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowModality(Qt::ApplicationModal);
    setFont(Fonts::make(Fonts::Gothic, 9.75));

    Label1 = new QLabel(QStringLiteral("「ﾌﾘｶﾞﾅ」をキーにして並び換え中です。..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Twips::rect(240, 180, 5160, 255));
    Label2 = new QLabel(QStringLiteral("しばらくお待ちください。(^o^)"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(Twips::rect(240, 540, 5160, 255));
    Picture1 = new ProgressPicture(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(Twips::rect(240, 960, 5160, 300));
    setFixedSize(Twips::toPixelsX(5640), Twips::toPixelsY(1500));

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - width()) / 2, (area.height() - height()) / 2);
    }
    Form_Load();
}

void CancelF::Form_Load()
{
    Picture1->setScaleWidth(dm.RecordCount);
    sinceYield.start();
}

void CancelF::Advance(int done)
{
    Picture1->fillTo(done);
    // Yielding after every pass of a large book would cost more than the
    // sort itself; a few times a second keeps the window painted.
    if (sinceYield.elapsed() >= 40 || done >= dm.RecordCount) {
        QCoreApplication::processEvents();
        sinceYield.restart();
    }
}
