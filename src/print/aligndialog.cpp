#include "print/aligndialog.h"

#include "print/cardgeometry.h"
#include "print/cardpicture.h"
#include "print/printershift.h"
#include "store/datamodule.h"

#include "platform/controlmaking.h"
#include "platform/fonts.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <tuple>

namespace {

using Controls::button;
using Controls::control;
using Controls::label;

const QString Caption = QStringLiteral("位置合わせ");
constexpr int PictureLeft = 3360;
constexpr int Margin = 120;

const QColor Vermilion(227, 66, 52);
const QColor Before(150, 150, 150);
const QColor After(0, 0, 192);

int pixelsX(double mm) { return Twips::toPixelsX(CardPicture::twipsOfMm(mm)); }
int pixelsY(double mm) { return Twips::toPixelsY(CardPicture::twipsOfMm(mm)); }

} // namespace

// ---- the picture ----

ShiftPicture::ShiftPicture(QWidget *parent, const QPointF &printableOrigin, const QList<AlignmentSheet::Mark> &marks)
    : QWidget(parent), origin(printableOrigin), crosses(marks)
{
    setFixedSize(pixelsX(Card::WidthMm * Scale) + 1, pixelsY(Card::HeightMm * Scale) + 1);
}

void ShiftPicture::setShift(const QPointF &shift)
{
    shiftMm = shift;
    update();
}

QPointF ShiftPicture::crossOnCard(int mark) const
{
    return crosses[mark].Place + origin + shiftMm;
}

void ShiftPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    // Millimetres of the card.
    painter.scale(Twips::toPixelsX(Twips::PerInch) / 25.4 * Scale, Twips::toPixelsY(Twips::PerInch) / 25.4 * Scale);
    QPen outline(Qt::black);
    outline.setCosmetic(true);
    painter.setPen(outline);
    painter.drawRect(QRectF(0, 0, Card::WidthMm, Card::HeightMm));
    QPen boxes(Vermilion);
    boxes.setCosmetic(true);
    CardPicture::drawPostalBoxes(painter, {1.0, QPointF(0, 0)}, boxes);
    const auto cross = [&painter](const QPointF &p, const QColor &colour) {
        QPen pen(colour);
        pen.setCosmetic(true);
        painter.setPen(pen);
        const double arm = AlignmentSheet::CrossArm;
        painter.drawLine(QLineF(p.x() - arm, p.y(), p.x() + arm, p.y()));
        painter.drawLine(QLineF(p.x(), p.y() - arm, p.x(), p.y() + arm));
    };
    for (const AlignmentSheet::Mark &m : crosses)
        cross(m.Place + origin, Before);
    for (int i = 0; i < crosses.size(); ++i)
        cross(crossOnCard(i), After);
}

// ---- the window ----

AlignDialog::AlignDialog(DataModule &data, const QString &printerName, const QPointF &printableOrigin,
                         const QList<AlignmentSheet::Mark> &marks, QWidget *parent)
    : QDialog(parent), dm(data), printer(printerName)
{
    setObjectName(QStringLiteral("AlignDialog"));
    setWindowTitle(Caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(Fonts::make(Fonts::Gothic, 9.75));

    Label1 = label(this, QStringLiteral("Label1"), QStringLiteral("ﾌﾟﾘﾝﾀ： ") + printer, {Margin, 120, 3120, 255});
    Label2 = label(this, QStringLiteral("Label2"), QStringLiteral("右へ (mm):"), {Margin, 600, 1200, 255});
    Text1 = control(new QLineEdit(this), QStringLiteral("Text1"), {1440, 540, 1080, 360});
    Label3 = label(this, QStringLiteral("Label3"), QStringLiteral("下へ (mm):"), {Margin, 1080, 1200, 255});
    Text2 = control(new QLineEdit(this), QStringLiteral("Text2"), {1440, 1020, 1080, 360});
    Label2->setBuddy(Text1);
    Label3->setBuddy(Text2);
    for (QLineEdit *box : {Text1, Text2}) {
        box->setAlignment(Qt::AlignRight);
        box->setFont(Fonts::make(Fonts::Gothic, 12));
    }
    Label4 = label(this, QStringLiteral("Label4"),
                   QStringLiteral("-10.0〜10.0 mm、0.1 mm 単位。\n左・上へはマイナスで入力します。"),
                   {Margin, 1500, 3180, 600});
    Check1 = control(new QCheckBox(QStringLiteral("葉書を上下逆に給紙する"), this), QStringLiteral("Check1"),
                     {Margin, 2220, 3120, 300});

    Picture1 = new ShiftPicture(this, printableOrigin, marks);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->move(Twips::toPixelsX(PictureLeft), Twips::toPixelsY(120));

    const int bottom = Picture1->geometry().bottom();
    const int buttonTop = qMax(2760, Twips::fromPixelsY(bottom) - 420);
    Command1 = button(this, QStringLiteral("Command1"), QStringLiteral("了解"), {Margin, buttonTop, 1440, 420});
    Command2 = button(this, QStringLiteral("Command2"), QStringLiteral("キャンセル"), {1680, buttonTop, 1440, 420});
    Command1->setDefault(true);
    setFixedSize(Picture1->geometry().right() + Twips::toPixelsX(Margin),
                 qMax(bottom, Command2->geometry().bottom()) + Twips::toPixelsY(Margin));

    const PrinterAdjustment now = dm.Conf.adjustment(printer);
    Text1->setText(PrinterShift::text(now.ShiftX));
    Text2->setText(PrinterShift::text(now.ShiftY));
    Check1->setChecked(now.UpsideDown);
    showShift();

    connect(Text1, &QLineEdit::textChanged, this, &AlignDialog::showShift);
    connect(Text2, &QLineEdit::textChanged, this, &AlignDialog::showShift);
    connect(Command1, &QPushButton::clicked, this, &AlignDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &AlignDialog::Command2_Click);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
}

std::optional<QPointF> AlignDialog::typedShift() const
{
    const auto x = PrinterShift::parse(Text1->text());
    const auto y = PrinterShift::parse(Text2->text());
    if (!x || !y)
        return std::nullopt;
    return QPointF(*x / 10.0, *y / 10.0);
}

void AlignDialog::showShift()
{
    // While a box holds no number yet, the picture keeps the last shift shown.
    if (const auto shift = typedShift())
        Picture1->setShift(*shift);
}

void AlignDialog::Command1_Click()
{
    PrinterAdjustment value;
    for (auto [box, caption, target] : {std::tuple{Text1, Label2, &value.ShiftX}, std::tuple{Text2, Label3, &value.ShiftY}}) {
        const auto tenths = PrinterShift::parse(box->text());
        if (!tenths) {
            dm.Msg(this, QStringLiteral("%1 には -10.0 から 10.0 までの数値を 0.1 mm 単位で入力してください。")
                             .arg(caption->text().chopped(1)),
                   MsgIcon::Exclamation, MsgButtons::Ok, Caption);
            box->setFocus();
            box->selectAll();
            return;
        }
        *target = *tenths;
    }
    value.UpsideDown = Check1->isChecked();
    dm.Conf.setAdjustment(printer, value);
    accept();
}

void AlignDialog::Command2_Click()
{
    reject();
}
