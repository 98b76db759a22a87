#include "print/cardview.h"

#include "print/cardgeometry.h"
#include "print/cardpicture.h"
#include "print/layoutvalues.h"
#include "print/printershift.h"
#include "store/datamodule.h"

#include "platform/fonts.h"
#include "platform/widgetprinter.h"
#include "platform/runerror.h"
#include "platform/printerchoice.h"
#include "platform/modalrunner.h"
#include "platform/controlmaking.h"
#include "platform/twips.h"

#include <QFontMetricsF>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

namespace {

using Controls::control;
using Controls::label;
using Controls::button;

// Design sizes in twips.
constexpr int WindowWidth = 5900;
constexpr int PictureLeft = 120;
constexpr int PictureTop = 120;
constexpr int PanelLeft = 3660;
constexpr int PanelWidth = 2100;

const QColor Background(192, 192, 192);
const QColor Vermilion(227, 66, 52);
const QColor LineColour(0, 0, 192);

const std::array<const char *, 9> OptionCaptions = {"住所１", "住所２", "氏名１", "氏名２", "差住１",
                                                     "差住２", "差名１", "差名２", "差郵No"};

// Millimetres of the picture in pixels of the screen.
int pixels(double mm) { return Twips::toPixelsX(CardPicture::twipsOfMm(mm)); }
int pixelsY(double mm) { return Twips::toPixelsY(CardPicture::twipsOfMm(mm)); }
QRect pixelRect(const QRectF &mm)
{
    return QRect(pixels(mm.left()), pixelsY(mm.top()), pixels(mm.width()), pixelsY(mm.height()));
}

// The card of the picture: white, outlined, with the seven postal-code boxes
// printed on it in vermilion.
class CardPictureBox : public QWidget {
public:
    explicit CardPictureBox(QWidget *parent) : QWidget(parent) {}
    // Draws the texts over the card, after the card itself.
    std::function<void(QWidget &card)> DrawTexts;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const CardPicture::CardFrame frame = CardPicture::picture();
        painter.fillRect(rect(), Qt::white);
        painter.save();
        painter.scale(Twips::toPixelsX(Twips::PerInch) / 25.4, Twips::toPixelsY(Twips::PerInch) / 25.4);
        QPen pen(Vermilion);
        pen.setCosmetic(true);
        CardPicture::drawPostalBoxes(painter, frame, pen);
        painter.restore();
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.end();
        if (DrawTexts)
            DrawTexts(*this);
    }
};

QFrame *measuringLine(QWidget *card, const QString &name)
{
    auto *line = new QFrame(card);
    line->setObjectName(name);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, LineColour);
    line->setPalette(palette);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    return line;
}

} // namespace

// ---- one item on the picture ----

CardItemLabel::CardItemLabel(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void CardItemLabel::setItem(const QString &text, const QSizeF &extentMm, const QSizeF &emptyMm, bool down)
{
    itemText = text;
    vertical = down;
    extent = extentMm;
    const QSizeF room = (text.isEmpty() ? emptyMm : extentMm) * CardPicture::PictureScale;
    resize(qMax(1, pixels(room.width())), qMax(1, pixelsY(room.height())));
    update();
}

void CardItemLabel::paintEvent(QPaintEvent *)
{
    // The text itself is the card's: the engine draws it on the picture.
    if (!itemText.isEmpty())
        return;
    QPainter painter(this);
    painter.setPen(QPen(Qt::gray, 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CardItemLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        emit clicked();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

// ---- the window ----

CardView::CardView(DataModule &data, const CardTexts &cardTexts, const GroupFonts &groupFonts,
                   const VerticalChoices &verticalChoices, QWidget *parent)
    : QDialog(parent), dm(data), texts(cardTexts),
      fonts(BuildPrintTable(data.Settings, data.PrintDirection, groupFonts)), choices(verticalChoices)
{
    setObjectName(QStringLiteral("CardView"));
    setWindowTitle(QStringLiteral("葉書印刷位置設定"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(Fonts::make(Fonts::Gothic, 9.75));
    buildControls();
    connectControls();
    Form_Load();
}

int CardView::showModal()
{
    return dm.Platform.Modal->run(*this);
}

int CardView::base() const
{
    return Layout::base(dm.PrintDirection);
}

void CardView::buildCard(int direction)
{
    const QRectF cardMm = CardPicture::card(CardPicture::picture());
    auto *card = new CardPictureBox(this);
    card->setObjectName(QStringLiteral("Picture1_%1").arg(direction));
    card->DrawTexts = [this, direction](QWidget &picture) {
        if (direction == (dm.PrintDirection == Layout::Horizontal ? Layout::Horizontal : Layout::Vertical))
            DrawTexts(picture);
    };
    card->setGeometry(Twips::toPixelsX(PictureLeft), Twips::toPixelsY(PictureTop), pixels(cardMm.width()),
                      pixelsY(cardMm.height()));
    Picture1[direction] = card;
    Line3[direction] = measuringLine(card, QStringLiteral("Line3_%1").arg(direction));
    Line4[direction] = measuringLine(card, QStringLiteral("Line4_%1").arg(direction));
    std::array<QLabel *, 8> &digits = direction == Layout::Vertical ? Lab1 : Lab2;
    const QString digitName = direction == Layout::Vertical ? QStringLiteral("Lab1_%1") : QStringLiteral("Lab2_%1");
    for (int k = 1; k <= 7; ++k) {
        digits[k] = new QLabel(card);
        digits[k]->setObjectName(digitName.arg(k));
        digits[k]->setAlignment(Qt::AlignCenter);
        digits[k]->setFont(Fonts::make(Fonts::Gothic, 18 * CardPicture::PictureScale));
        digits[k]->setTextFormat(Qt::PlainText);
    }
    const int first = Layout::base(direction);
    for (int item = 0; item < Layout::ItemCount; ++item) {
        const int index = first + item;
        Label2[index] = new CardItemLabel(card);
        Label2[index]->setObjectName(QStringLiteral("Label2_%1").arg(index));
        connect(Label2[index], &CardItemLabel::clicked, this, [this, index] { Label2_Click(index); });
    }
}

void CardView::buildControls()
{
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, Background);
    setPalette(grey);

    buildCard(Layout::Vertical);
    buildCard(Layout::Horizontal);

    Picture2 = control(new QWidget(this), QStringLiteral("Picture2"), {PanelLeft, 120, PanelWidth, 1560});
    for (int i = 0; i < Layout::ItemCount; ++i) {
        const int column = i % 2;
        const int row = i / 2;
        Option1[i] = control(new QRadioButton(QString::fromUtf8(OptionCaptions[i]), Picture2),
                             QStringLiteral("Option1_%1").arg(i), {60 + column * 1020, 60 + row * 285, 1000, 270});
    }
    Option1[0]->setChecked(true);

    Label6 = label(this, QStringLiteral("Label6"), QStringLiteral("位置"), {PanelLeft, 1800, 600, 255});
    Label3 = label(this, QStringLiteral("Label3"), QStringLiteral("単位:ﾐﾘﾒｰﾄﾙ"), {PanelLeft + 600, 1800, 1500, 255});
    Label7 = label(this, QStringLiteral("Label7"), QStringLiteral("縦:"), {PanelLeft, 2190, 360, 255});
    Label9[0] = label(this, QStringLiteral("Label9_0"), QString(), {PanelLeft + 360, 2160, 780, 315});
    HScroll1 = control(new QScrollBar(Qt::Vertical, this), QStringLiteral("HScroll1"),
                       {PanelLeft + 1500, 2160, 255, 1500});
    Label8 = label(this, QStringLiteral("Label8"), QStringLiteral("横:"), {PanelLeft, 2670, 360, 255});
    Label9[1] = label(this, QStringLiteral("Label9_1"), QString(), {PanelLeft + 360, 2640, 780, 315});
    HScroll2 = control(new QScrollBar(Qt::Horizontal, this), QStringLiteral("HScroll2"),
                       {PanelLeft, 3060, 1260, 255});
    for (QLabel *value : Label9) {
        value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setAutoFillBackground(true);
        QPalette white = value->palette();
        white.setColor(QPalette::Window, Qt::white);
        value->setPalette(white);
    }
    Label7->setBuddy(HScroll1);
    Label8->setBuddy(HScroll2);
    HScroll1->setRange(0, Layout::PostalTopMax);
    HScroll2->setRange(0, Layout::PostalLeftMax);
    for (QScrollBar *bar : {HScroll1, HScroll2}) {
        bar->setSingleStep(1);
        bar->setPageStep(10);
    }

    StatusLabel = label(this, QStringLiteral("StatusLabel"), QString(), {PanelLeft, 3780, PanelWidth, 255});
    QPalette red = StatusLabel->palette();
    red.setColor(QPalette::WindowText, QColor(192, 0, 0));
    StatusLabel->setPalette(red);

    Command1 = button(this, QStringLiteral("Command1"), QStringLiteral("保存終了(&S)"), {PanelLeft, 4230, PanelWidth, 390});
    Command2 = button(this, QStringLiteral("Command2"), QStringLiteral("標準に戻す(&H)"), {PanelLeft, 4680, PanelWidth, 390});
    Command3 = button(this, QStringLiteral("Command3"), QStringLiteral("閉じる"), {PanelLeft, 5130, PanelWidth, 390});

    const int pictureBottom = Picture1[0]->geometry().bottom();
    const int height = qMax(pictureBottom, Command3->geometry().bottom()) + Twips::toPixelsY(120);
    setFixedSize(Twips::toPixelsX(WindowWidth), height);
    // Under everything, shown only when the printer has a shift of its own.
    ShiftLabel = label(this, QStringLiteral("ShiftLabel"), QString(),
                       {PictureLeft, Twips::fromPixelsY(height), WindowWidth - 2 * PictureLeft, 255});
}

void CardView::connectControls()
{
    for (int i = 0; i < Layout::ItemCount; ++i)
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Option1_Click(i);
        });
    connect(HScroll1, &QScrollBar::valueChanged, this, &CardView::HScroll1_Change);
    connect(HScroll2, &QScrollBar::valueChanged, this, &CardView::HScroll2_Change);
    connect(Command1, &QPushButton::clicked, this, &CardView::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &CardView::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &CardView::Command3_Click);
}

void CardView::Form_Load()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
    // The horizontal card lies on the vertical one; only the current direction's is seen.
    const int direction = dm.PrintDirection == Layout::Horizontal ? Layout::Horizontal : Layout::Vertical;
    Picture1[Layout::Horizontal]->move(Picture1[Layout::Vertical]->pos());
    Picture1[direction]->raise();
    Picture1[direction]->show();
    Picture1[1 - direction]->hide();

    // The printer in use's own shift moves what the picture shows, as it
    // moves what is printed.
    const QString printer = dm.Platform.Printers ? dm.Platform.Printers->printerName() : PdfPrinterName;
    const PrinterAdjustment adjustment = dm.Conf.adjustment(printer);
    shift = QPoint(adjustment.ShiftX, adjustment.ShiftY);
    ShiftLabel->setText(shift.isNull() ? QString()
                                       : QStringLiteral("ﾌﾟﾘﾝﾀ %1 の補正込みで表示：").arg(printer)
                                             + PrinterShift::describe(adjustment));
    ShiftLabel->setVisible(!shift.isNull());
    if (!shift.isNull())
        setFixedHeight(ShiftLabel->geometry().bottom() + Twips::toPixelsY(120));

    workTop = dm.Settings.LayoutTop;
    workLeft = dm.Settings.LayoutLeft;
    for (int b = base(); b < base() + Layout::ItemCount; ++b)
        placeItem(b);
    Option1_Click(0);

    const int postalDigits = dm.PostalDigits == 5 ? 5 : 7;
    for (int k = 1; k <= 7; ++k)
        for (QLabel *digit : {Lab1[k], Lab2[k]}) {
            digit->setVisible(CardPicture::digitShown(k, postalDigits));
            digit->setGeometry(pixelRect(CardPicture::digitLabel(k, postalDigits)
                                             .translated(QPointF(shift) / 10.0 * CardPicture::PictureScale)));
            digit->setText(texts.Digits[k]);
        }

    showItems();
}

namespace {

// The picture's printable area: a PDF card's (the card less its margins),
// so that a line is fitted or refused on the picture exactly as in a PDF.
QSizeF picturePrintableMm()
{
    const QMarginsF m = Card::pdfMargins();
    return QSizeF(Card::WidthMm - m.left() - m.right(), Card::HeightMm - m.top() - m.bottom());
}

// A printer over a card of the picture. The engine adds 基準値補正 to every
// position; the picture shows each item at its stored place, so the
// printable area's corner lies that much up and left of the card's.
// The printer's own shift (tenths of a millimetre) is its placement, as on
// paper, so the texts land where the shifted labels show them.
std::unique_ptr<WidgetPrinter> picturePrinter(QWidget &card, int printOffset, QPoint printerShift)
{
    const double dpi = card.logicalDpiX();
    const double shift = -printOffset * CardPicture::PictureScale / 25.4 * dpi;
    auto printer = std::make_unique<WidgetPrinter>(card, CardPicture::PictureScale, QPointF(shift, shift),
                                                   picturePrintableMm());
    printer->setScale(PrinterDevice::Scale::Millimetres);
    printer->setPlacement({printerShift.x() / 10.0, printerShift.y() / 10.0, false});
    return printer;
}

} // namespace

CardCorrections CardView::pictureCorrections() const
{
    CardCorrections c;
    c.PrintOffset = dm.Settings.PrintOffset;
    c.PostalDigits = dm.PostalDigits == 5 ? 5 : 7;
    return c;
}

PrintTable CardView::PictureTable() const
{
    PrintTable table = fonts;
    for (int slot = 0; slot < Layout::ItemCount; ++slot) {
        table.X[slot] = workLeft[base() + slot];
        table.Y[slot] = workTop[base() + slot];
    }
    return table;
}

void CardView::DrawTexts(QWidget &card)
{
    const std::unique_ptr<WidgetPrinter> printer = picturePrinter(card, dm.Settings.PrintOffset, shift);
    PrintEngine engine(*printer, PictureTable(), pictureCorrections(), choices);
    try {
        engine.DrawItems(texts, dm.PrintDirection != Layout::Horizontal);
        printer->endDoc();
    } catch (const RunError &) {
        // A picture that cannot be drawn stays blank; nothing is lost.
        printer->killDoc();
    }
}

void CardView::showItems()
{
    const int direction = dm.PrintDirection == Layout::Horizontal ? Layout::Horizontal : Layout::Vertical;
    const bool downwards = direction == Layout::Vertical;
    VerticalPlan plan;
    if (downwards) {
        const std::unique_ptr<WidgetPrinter> printer = picturePrinter(*Picture1[direction], dm.Settings.PrintOffset, shift);
        PrintEngine engine(*printer, PictureTable(), pictureCorrections(), choices);
        plan = engine.PlanVertical(texts);
    }
    for (int item = 0; item < Layout::ItemCount; ++item) {
        // The sender's postal code prints across in both directions.
        const bool itemDownwards = downwards && item != Layout::SenderPostalCode;
        const QString &text = texts.Items[item];
        QSizeF extent = CardPicture::textExtentMm(text, fonts.Font[item], fonts.Size[item], itemDownwards);
        if (itemDownwards && !text.isEmpty())
            extent.setHeight(plan[item].bottom() - plan[item].Top);
        const QSizeF empty = CardPicture::textExtentMm(QStringLiteral("あ"), fonts.Font[item], fonts.Size[item], itemDownwards);
        Label2[base() + item]->setItem(text, extent, empty, itemDownwards);
    }
    Picture1[direction]->update();
    showStatus();
}

void CardView::placeItem(int index)
{
    const QPointF at = CardPicture::position(CardPicture::picture(), workTop[index] + shift.y(),
                                             workLeft[index] + shift.x());
    Label2[index]->move(pixels(at.x()), pixelsY(at.y()));
}

void CardView::Option1_Click(int item)
{
    if (item < 0 || item >= Layout::ItemCount)
        return;
    selectedItem = item + base();
    showSelection();
}

void CardView::Label2_Click(int index)
{
    const int item = index - base();
    if (item < 0 || item >= Layout::ItemCount)
        return;
    Option1[item]->setChecked(true);
    Option1_Click(item);
}

void CardView::showSelection()
{
    const int card = dm.PrintDirection == Layout::Horizontal ? 1 : 0;
    // The lines end at the item's corner as the picture shows it.
    const CardPicture::MeasuringLines lines =
        CardPicture::measuringLines(workTop[selectedItem] + shift.y(), workLeft[selectedItem] + shift.x());
    Line4[card]->setGeometry(pixels(lines.Upright.x1()), 0, 1, pixelsY(lines.Upright.y2()));
    Line3[card]->setGeometry(0, pixelsY(lines.Horizontal.y1()), pixels(lines.Horizontal.x2()), 1);
    Label9[0]->setText(Layout::millimetreText(workTop[selectedItem]));
    Label9[1]->setText(Layout::millimetreText(workLeft[selectedItem]));
    // Showing a position never changes it: a stored value beyond a bar's
    // range stays as it is until the user moves that bar.
    const QSignalBlocker blockTop(HScroll1);
    const QSignalBlocker blockLeft(HScroll2);
    HScroll1->setValue(workTop[selectedItem]);
    HScroll2->setValue(workLeft[selectedItem]);
    showStatus();
}

void CardView::showStatus()
{
    const bool beyond = CardPicture::beyondCard(workTop[selectedItem] + shift.y(), workLeft[selectedItem] + shift.x(),
                                                Label2[selectedItem]->extentMm());
    StatusLabel->setText(beyond ? QStringLiteral("印刷範囲外です") : QString());
}

void CardView::HScroll1_Change()
{
    workTop[selectedItem] = static_cast<qint16>(HScroll1->value());
    placeItem(selectedItem);
    // A moved line may now be fitted, or move its joint-name partner.
    showItems();
    showSelection();
}

void CardView::HScroll2_Change()
{
    workLeft[selectedItem] = static_cast<qint16>(HScroll2->value());
    placeItem(selectedItem);
    showItems();
    showSelection();
}

void CardView::Command1_Click()
{
    for (int b = base(); b < base() + Layout::ItemCount; ++b) {
        dm.Settings.LayoutTop[b] = workTop[b];
        dm.Settings.LayoutLeft[b] = workLeft[b];
    }
    accept();
}

void CardView::Command2_Click()
{
    workTop = dm.DefaultLayout.Top;
    workLeft = dm.DefaultLayout.Left;
    for (int b = base(); b < base() + Layout::ItemCount; ++b)
        placeItem(b);
    showItems();
    // Item 0 is chosen, and its option is marked, so the bars move the item the window says they move.
    Option1[0]->setChecked(true);
    Option1_Click(0);
}

void CardView::Command3_Click()
{
    reject();
}
