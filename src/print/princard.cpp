#include "print/princard.h"

#include "print/cardgeometry.h"
#include "print/cardview.h"
#include "print/layoutvalues.h"
#include "print/printall.h"
#include "print/printershift.h"
#include "print/printtable.h"
#include "print/prt.h"
#include "store/blanks.h"
#include "store/datamodule.h"
#include "store/senderfollow.h"

#include "platform/commondialogs.h"
#include "platform/fonts.h"
#include "platform/inputmethodmode.h"
#include "platform/helpsystem.h"
#include "platform/pointer.h"
#include "platform/printerdevice.h"
#include "platform/runerror.h"
#include "platform/controlmaking.h"
#include "platform/twips.h"

#include <optional>
#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTimer>

namespace {

using Controls::addEntry;
using Controls::control;
using Controls::label;
using Controls::button;

// Design sizes in twips.
constexpr int WindowWidth = 10200;
constexpr int WindowHeight = 6525;
constexpr int BoxLeft = 1200;
constexpr int BoxHeight = 360;
constexpr int RightColumn = 6720;

const QString Caption = QStringLiteral("葉書宛名印刷");

QAction *addSeparator(QMenu *menu, const QString &name)
{
    QAction *action = menu->addSeparator();
    action->setObjectName(name);
    return action;
}

QLineEdit *box(QWidget *parent, const QString &name, const QRect &twips, QLabel *caption = nullptr)
{
    auto *b = control(new QLineEdit(parent), name, twips);
    b->setFont(Fonts::make(Fonts::Mincho, 12));
    if (caption)
        caption->setBuddy(b);
    return b;
}

QScrollBar *bar(QWidget *parent, const QString &name, const QRect &twips, int small, int large)
{
    auto *b = control(new QScrollBar(Qt::Horizontal, parent), name, twips);
    b->setSingleStep(small);
    b->setPageStep(large);
    return b;
}

// A sunken value label, as the number labels of the dialog look.
QLabel *valueLabel(QWidget *parent, const QString &name, const QRect &twips)
{
    QLabel *l = label(parent, name, QString(), twips);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace

PrinCard::PrinCard(DataModule &data, QWidget *parent)
    : QDialog(parent), dm(data)
{
    setObjectName(QStringLiteral("PrinCard"));
    setWindowTitle(Caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(Fonts::make(Fonts::Gothic, 9.75));
    buildMenus();
    buildControls();
    Form_Load();
    connectControls();
}

PrinCard::~PrinCard()
{
    Form_Unload();
}

void PrinCard::buildMenus()
{
    MenuBar = new QMenuBar(this);
    MenuBar->setNativeMenuBar(false);
    MenuBar->setObjectName(QStringLiteral("MenuBar"));
    Print_ = MenuBar->addMenu(QStringLiteral("印刷(&P)"));
    Print_->setObjectName(QStringLiteral("Print_"));
    Print_Tan = addEntry(Print_, QStringLiteral("Print_Tan"), QStringLiteral("単印刷(&T)"));
    Print_All = addEntry(Print_, QStringLiteral("Print_All"), QStringLiteral("全印刷(&A)"));
    Print_View = addEntry(Print_, QStringLiteral("Print_View"), QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ(&V)..."));
    Print_A = addSeparator(Print_, QStringLiteral("Print_A"));
    Print_Teigi = addEntry(Print_, QStringLiteral("Print_Teigi"), QStringLiteral("ﾌﾟﾘﾝﾀ定義(&P)"));
    Print_Sheet = addEntry(Print_, QStringLiteral("Print_Sheet"), QStringLiteral("位置合わせ印刷(&G)..."));
    Print_Adjust = addEntry(Print_, QStringLiteral("Print_Adjust"), QStringLiteral("位置の調整(&J)..."));
    Print_B = addSeparator(Print_, QStringLiteral("Print_B"));
    Print_Quit = addEntry(Print_, QStringLiteral("Print_Quit"), QStringLiteral("閉じる(&X)"),
                          QKeySequence(Qt::Key_F9));
    Help = MenuBar->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    Help->setObjectName(QStringLiteral("Help"));
    Help_Print = addEntry(Help, QStringLiteral("Help_Print"), QStringLiteral("使い方(&T)"),
                          QKeySequence(Qt::Key_F3));
}

void PrinCard::buildControls()
{
    const int top = MenuBar->sizeHint().height();
    MenuBar->setGeometry(0, 0, Twips::toPixelsX(WindowWidth), top);
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("client"));
    area->setGeometry(0, top, Twips::toPixelsX(WindowWidth), Twips::toPixelsY(WindowHeight) - top);
    setFixedSize(Twips::toPixelsX(WindowWidth), Twips::toPixelsY(WindowHeight));

    Label1 = label(area, QStringLiteral("Label1"), QStringLiteral("葉書宛名を印刷します。"), {120, 120, 4200, 255});
    Label1->setFont(Fonts::make(Fonts::Gothic, 12));

    // The addressee and sender numbers.
    Label3 = label(area, QStringLiteral("Label3"), QStringLiteral("宛先名番号"), {120, 510, 1035, 255});
    HScroll2 = bar(area, QStringLiteral("HScroll2"), {BoxLeft, 510, 3480, 255}, 1, 5);
    Label4 = valueLabel(area, QStringLiteral("Label4"), {4740, 480, 660, 315});
    Label6 = label(area, QStringLiteral("Label6"), QString(), {5460, 510, 1140, 255});
    Label3->setBuddy(HScroll2);
    Label2 = label(area, QStringLiteral("Label2"), QStringLiteral("差出名番号"), {120, 900, 1035, 255});
    HScroll1 = bar(area, QStringLiteral("HScroll1"), {BoxLeft, 900, 3480, 255}, 1, 5);
    Label5 = valueLabel(area, QStringLiteral("Label5"), {4740, 870, 660, 315});
    Label2->setBuddy(HScroll1);

    // The addressee's boxes.
    const std::array<const char *, 5> addresseeCaptions = {"郵便番号", "住所１", "住所２", "氏名１", "氏名２"};
    for (int i = 0; i < 5; ++i)
        Label13[i] = label(area, QStringLiteral("Label13_%1").arg(i), QString::fromUtf8(addresseeCaptions[i]),
                           {120, 1350 + i * 420, 1035, 255});
    for (int k = 1; k <= 7; ++k) {
        // A wider gap after the third digit, as on the card.
        const int left = BoxLeft + (k - 1) * 390 + (k > 3 ? 150 : 0);
        Text01[k] = box(area, QStringLiteral("Text01_%1").arg(k), {left, 1290, 345, BoxHeight});
        Text01[k]->setAlignment(Qt::AlignCenter);
        Text01[k]->setFont(Fonts::make(Fonts::Gothic, 12));
    }
    Label13[0]->setBuddy(Text01[1]);
    Text06 = box(area, QStringLiteral("Text06"), {BoxLeft, 1710, 5400, BoxHeight}, Label13[1]);
    Text07 = box(area, QStringLiteral("Text07"), {BoxLeft, 2130, 5400, BoxHeight}, Label13[2]);
    Text08 = box(area, QStringLiteral("Text08"), {BoxLeft, 2550, 5400, BoxHeight}, Label13[3]);
    Text09 = box(area, QStringLiteral("Text09"), {BoxLeft, 2970, 5400, BoxHeight}, Label13[4]);

    // The sender's boxes.
    const std::array<const char *, 5> senderCaptions = {"", "差住１", "差住２", "差名１", "差名２"};
    Label10[1] = label(area, QStringLiteral("Label10_1"), QString::fromUtf8(senderCaptions[1]), {120, 3510, 1035, 255});
    Label10[2] = label(area, QStringLiteral("Label10_2"), QString::fromUtf8(senderCaptions[2]), {120, 3930, 1035, 255});
    Label10[3] = label(area, QStringLiteral("Label10_3"), QString::fromUtf8(senderCaptions[3]), {120, 4350, 1035, 255});
    Label10[4] = label(area, QStringLiteral("Label10_4"), QString::fromUtf8(senderCaptions[4]), {3720, 4350, 600, 255});
    Text10 = box(area, QStringLiteral("Text10"), {BoxLeft, 3450, 5400, BoxHeight}, Label10[1]);
    Text11 = box(area, QStringLiteral("Text11"), {BoxLeft, 3870, 5400, BoxHeight}, Label10[2]);
    Text12 = box(area, QStringLiteral("Text12"), {BoxLeft, 4290, 2460, BoxHeight}, Label10[3]);
    Text13 = box(area, QStringLiteral("Text13"), {4320, 4290, 2280, BoxHeight}, Label10[4]);
    Text14 = box(area, QStringLiteral("Text14"), {BoxLeft, 4710, 2460, BoxHeight});
    Text14->setFont(Fonts::make(Fonts::Gothic, 12));
    Text14->setToolTip(QStringLiteral("差出人の郵便番号"));
    Text14->setAccessibleName(QStringLiteral("差出人の郵便番号"));

    Label8[0] = label(area, QStringLiteral("Label8_0"), QStringLiteral("[全印刷］のときに印刷するﾏｰｸ"),
                      {120, 5235, 3000, 255});
    Text3 = box(area, QStringLiteral("Text3"), {3180, 5175, 600, BoxHeight}, Label8[0]);
    Text3->setFont(Fonts::make(Fonts::Gothic, 12));

    // The commands.
    Command1 = button(area, QStringLiteral("Command1"), QStringLiteral("単印刷"), {RightColumn, 120, 1620, 420});
    Command2 = button(area, QStringLiteral("Command2"), QStringLiteral("全印刷"), {RightColumn + 1740, 120, 1620, 420});
    Command4 = button(area, QStringLiteral("Command4"), QStringLiteral("ﾚｲｱｳﾄ(&V)"), {RightColumn, 630, 1620, 420});
    Command3 = button(area, QStringLiteral("Command3"), QStringLiteral("閉じる(&X)"), {RightColumn + 1740, 630, 1620, 420});

    Frame1 = control(new QGroupBox(QStringLiteral("印字方向"), area), QStringLiteral("Frame1"),
                     {RightColumn, 1170, 3360, 660});
    Option1 = control(new QRadioButton(QStringLiteral("縦書き"), Frame1), QStringLiteral("Option1"),
                      {240, 270, 1320, 300});
    Option2 = control(new QRadioButton(QStringLiteral("横書き"), Frame1), QStringLiteral("Option2"),
                      {1800, 270, 1320, 300});
    Option1->setChecked(true);

    Label8[2] = label(area, QStringLiteral("Label8_2"), QStringLiteral("基準値補正："), {RightColumn, 2010, 1320, 255});
    HScroll5 = bar(area, QStringLiteral("HScroll5"), {RightColumn + 1320, 2010, 1500, 255}, 1, 1);
    Label8[3] = valueLabel(area, QStringLiteral("Label8_3"), {RightColumn + 2880, 1980, 480, 315});
    Label8[2]->setBuddy(HScroll5);
    Label8[1] = label(area, QStringLiteral("Label8_1"), QStringLiteral("敬称付け："), {RightColumn, 2430, 1320, 255});
    Combo1 = control(new QComboBox(area), QStringLiteral("Combo1"), {RightColumn + 1320, 2370, 1500, 360});
    Label8[1]->setBuddy(Combo1);

    // Beside the honorific it concerns; kept for the next start in kanote.conf.
    Check1 = control(new QCheckBox(QStringLiteral("連名の敬称をそろえる"), area), QStringLiteral("Check1"),
                     {RightColumn + 120, 2790, 3240, 300});
    Check1->setToolTip(QStringLiteral("縦書きで氏名２があるとき、二行の敬称を同じ高さに印刷します。"));

    Label7 = label(area, QStringLiteral("Label7"), QStringLiteral("縦補正値"), {RightColumn, 3210, 900, 255});
    Text1 = box(area, QStringLiteral("Text1"), {RightColumn + 900, 3150, 780, BoxHeight}, Label7);
    HScroll3 = bar(area, QStringLiteral("HScroll3"), {RightColumn + 1740, 3210, 1620, 255}, 1, 10);
    Label9 = label(area, QStringLiteral("Label9"), QStringLiteral("横補正値"), {RightColumn, 3630, 900, 255});
    Text2 = box(area, QStringLiteral("Text2"), {RightColumn + 900, 3570, 780, BoxHeight}, Label9);
    HScroll4 = bar(area, QStringLiteral("HScroll4"), {RightColumn + 1740, 3630, 1620, 255}, 1, 10);
    for (QLineEdit *correction : {Text1, Text2}) {
        correction->setFont(Fonts::make(Fonts::Gothic, 10.5));
        correction->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    // Postal-code digits and millimetres are typed straight, never through the input method.
    for (QLineEdit *digits :
         {Text01[1], Text01[2], Text01[3], Text01[4], Text01[5], Text01[6], Text01[7], Text14, Text1, Text2})
        setImeMode(digits, ImeMode::Off);

    // The font groups, in the order of the boxes: address, name, sender address, sender name.
    const std::array<int, 4> groupOrder = {3, 2, 5, 4};
    for (int row = 0; row < 4; ++row) {
        const int i = groupOrder[row];
        const int rowTop = 4080 + row * 390;
        Command5[i] = button(area, QStringLiteral("Command5_%1").arg(i), Layout::fontButtonCaption(i),
                             {RightColumn, rowTop, 1260, 360});
        Label11[i] = valueLabel(area, QStringLiteral("Label11_%1").arg(i), {RightColumn + 1320, rowTop, 1500, 360});
        Label12[i] = valueLabel(area, QStringLiteral("Label12_%1").arg(i), {RightColumn + 2880, rowTop, 480, 360});
    }
}

void PrinCard::connectControls()
{
    connect(Command1, &QPushButton::clicked, this, &PrinCard::Command1_Click);
    connect(Print_Tan, &QAction::triggered, this, &PrinCard::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &PrinCard::Command2_Click);
    connect(Print_All, &QAction::triggered, this, &PrinCard::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &PrinCard::Command3_Click);
    connect(Print_Quit, &QAction::triggered, this, &PrinCard::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &PrinCard::Command4_Click);
    for (int i = Layout::FirstGroup; i <= Layout::LastGroup; ++i)
        connect(Command5[i], &QPushButton::clicked, this, [this, i] { Command5_Click(i); });
    connect(Print_View, &QAction::triggered, this, &PrinCard::Print_View_Click);
    connect(Print_Teigi, &QAction::triggered, this, &PrinCard::Print_Teigi_Click);
    connect(Print_Sheet, &QAction::triggered, this, &PrinCard::Print_Sheet_Click);
    connect(Print_Adjust, &QAction::triggered, this, &PrinCard::Print_Adjust_Click);
    connect(Help_Print, &QAction::triggered, this, &PrinCard::Help_Print_Click);
    connect(HScroll1, &QScrollBar::valueChanged, this, &PrinCard::HScroll1_Change);
    connect(HScroll2, &QScrollBar::valueChanged, this, &PrinCard::HScroll2_Change);
    connect(HScroll3, &QScrollBar::valueChanged, this, &PrinCard::HScroll3_Change);
    connect(HScroll4, &QScrollBar::valueChanged, this, &PrinCard::HScroll4_Change);
    connect(HScroll5, &QScrollBar::valueChanged, this, &PrinCard::HScroll5_Change);
    connect(Combo1, &QComboBox::currentIndexChanged, this, &PrinCard::Combo1_Click);
    connect(Check1, &QCheckBox::toggled, this, &PrinCard::Check1_Click);
    connect(Option1, &QRadioButton::clicked, this, &PrinCard::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &PrinCard::Option2_Click);
}

// ---- opening and closing ----

void PrinCard::Form_Load()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 3);
    }
    const Layout::DialogStart start = Layout::loadDialogValues(dm.Settings, dm.RecordCount);
    dm.LockMainMenus();
    spacing = Layout::spacingFor(Layout::Vertical);
    dm.PrintDirection = Layout::Vertical;
    Text3->setText(start.MarkText);
    HScroll3->setRange(0, Layout::PostalTopMax);
    HScroll4->setRange(0, Layout::PostalLeftMax);
    HScroll3->setValue(start.PostalTop);
    HScroll4->setValue(start.PostalLeft);
    Text1->setText(start.PostalTopText);
    Text2->setText(start.PostalLeftText);
    Label5->setText(QString::number(start.SenderNumber));
    dm.CurrentRecord = 1;
    Label4->setText(QStringLiteral("1"));
    HScroll1->setRange(0, dm.RecordCount);
    HScroll1->setValue(start.SenderNumber);
    HScroll2->setRange(1, qMax<int>(1, dm.RecordCount));
    HScroll2->setValue(1);
    Label6->setText(QStringLiteral("／ %1").arg(dm.RecordCount));
    Combo1->addItems(Layout::honorificList());
    Combo1->setCurrentIndex(start.HonorificIndex - 1);
    honorific = Layout::honorificText(start.HonorificIndex);
    HScroll5->setRange(Layout::PrintOffsetMin, Layout::PrintOffsetMax);
    HScroll5->setValue(start.PrintOffset);
    Label8[3]->setText(QString::number(start.PrintOffset));
    ShowFontLabels();
    Check1->setChecked(dm.Conf.AlignJointNames);
    Pointer::restore(dm.SavedPointer);
    const bool sevenDigits = dm.PostalDigits != 5;
    Text01[6]->setVisible(sevenDigits);
    Text01[7]->setVisible(sevenDigits);
    compose(QStringLiteral("Form_Load"), true, true);
}

void PrinCard::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (shownOnce)
        return;
    shownOnce = true;
    // Over the dialog, once it stands on the screen.
    QTimer::singleShot(0, this, &PrinCard::ShowSenderNotice);
}

void PrinCard::ShowSenderNotice()
{
    if (unloaded)
        return;
    const QString notice = SenderFollow::takeDeletedNotice(dm);
    if (!notice.isEmpty())
        dm.Msg(this, notice, MsgIcon::Information, MsgButtons::Ok, Caption);
}

void PrinCard::Form_Unload()
{
    if (unloaded)
        return;
    unloaded = true;
    Layout::saveDialogValues(dm.Settings, Label5->text(), Text3->text(), Text1->text(), Text2->text());
    dm.UnlockMainMenus();
}

void PrinCard::closeEvent(QCloseEvent *event)
{
    // A run in progress is never cut short by the window going.
    if (printing) {
        event->ignore();
        return;
    }
    Form_Unload();
    // Accepted here: QDialog's own handling would go through reject().
    event->accept();
}

void PrinCard::reject()
{
    // Esc closes the window as its close box does (never during a run).
    if (!printing)
        close();
}

void PrinCard::Command3_Click()
{
    close();
}

// ---- composition ----

CompositionChoices PrinCard::choices() const
{
    CompositionChoices c;
    c.Direction = dm.PrintDirection;
    c.KanjiDigitsOff = dm.Settings.KanjiDigitsOff != 0;
    c.DebugMode = dm.Settings.DebugMode == 1;
    c.Honorific = honorific;
    c.Spacing = spacing;
    return c;
}

namespace {
CardFields fieldsOf(const DataModule &dm)
{
    return {trimRightBlanks(dm.FieldText[Name]), trimRightBlanks(dm.FieldText[PostalCode]),
            dm.FieldText[Address1], dm.FieldText[Address2]};
}
} // namespace

void PrinCard::ComposeAddressee()
{
    if (dm.CurrentRecord < 1 || dm.CurrentRecord > dm.RecordCount)
        throw RunError(QStringLiteral("ﾃﾞｰﾀ番号 %1 のﾃﾞｰﾀはありません。").arg(dm.CurrentRecord));
    dm.LoadRecord(dm.CurrentRecord);
    const AddresseeTexts t = ComposeAddresseeTexts(fieldsOf(dm), choices());
    for (int k = 1; k <= 7; ++k)
        Text01[k]->setText(t.Digits[k]);
    Text06->setText(t.Address1);
    Text07->setText(t.Address2);
    Text08->setText(t.Name1);
    Text09->setText(t.Name2);
}

void PrinCard::ComposeSender()
{
    const int n = Label5->text().toInt();
    if (n == 0) {
        for (QLineEdit *b : {Text10, Text11, Text12, Text13, Text14})
            b->clear();
        return;
    }
    if (n < 0 || n > dm.RecordCount)
        throw RunError(QStringLiteral("ﾃﾞｰﾀ番号 %1 のﾃﾞｰﾀはありません。").arg(n));
    dm.LoadRecord(n);
    const SenderTexts t = ComposeSenderTexts(fieldsOf(dm), choices());
    Text10->setText(t.Address1);
    Text11->setText(t.Address2);
    Text12->setText(t.Name1);
    Text13->setText(t.Name2);
    Text14->setText(t.PostalCode);
}

void PrinCard::compose(const QString &handler, bool addressee, bool sender)
{
    try {
        if (sender)
            ComposeSender();
        if (addressee)
            ComposeAddressee();
    } catch (const RunError &error) {
        report(handler, error.description());
    }
}

void PrinCard::report(const QString &handler, const QString &description)
{
    dm.Trace(handler);
    dm.ErrReport(handler, description, this);
}

void PrinCard::ShowFontLabels()
{
    for (int i = Layout::FirstGroup; i <= Layout::LastGroup; ++i) {
        const Layout::FontLabel l = Layout::fontLabel(dm.Settings, i, dm.PrintDirection);
        Label11[i]->setText(l.name);
        Label12[i]->setText(l.size);
    }
}

CardTexts PrinCard::BoxTexts() const
{
    CardTexts card;
    for (int k = 1; k <= 7; ++k)
        card.Digits[k] = Text01[k]->text();
    const std::array<QLineEdit *, Layout::ItemCount> items = {Text06, Text07, Text08, Text09, Text10,
                                                              Text11, Text12, Text13, Text14};
    for (int slot = 0; slot < Layout::ItemCount; ++slot)
        card.Items[slot] = items[slot]->text();
    return card;
}

// ---- the controls ----

void PrinCard::HScroll2_Change()
{
    Label4->setText(QString::number(HScroll2->value()));
    dm.CurrentRecord = HScroll2->value();
    compose(QStringLiteral("HScroll2_Change"), true, false);
}

void PrinCard::HScroll1_Change()
{
    Label5->setText(QString::number(HScroll1->value()));
    compose(QStringLiteral("HScroll1_Change"), false, true);
}

void PrinCard::HScroll3_Change()
{
    Text1->setText(Layout::millimetreText(HScroll3->value()));
}

void PrinCard::HScroll4_Change()
{
    Text2->setText(Layout::millimetreText(HScroll4->value()));
}

void PrinCard::HScroll5_Change()
{
    Label8[3]->setText(QString::number(HScroll5->value()));
    dm.Settings.PrintOffset = static_cast<qint16>(HScroll5->value());
}

void PrinCard::Combo1_Click()
{
    const int position = Combo1->currentIndex();
    if (position < 0)
        return;
    honorific = Layout::honorificText(position + 1);
    compose(QStringLiteral("Combo1_Click"), true, false);
    dm.Settings.HonorificIndex = static_cast<qint16>(position + 1);
}

void PrinCard::Check1_Click()
{
    dm.Conf.AlignJointNames = Check1->isChecked();
}

VerticalChoices PrinCard::verticalChoices() const
{
    VerticalChoices c;
    c.Glyphs = dm.Conf.VerticalGlyphs;
    c.FitLongLines = dm.Conf.FitLongLines;
    c.AlignJointNames = Check1->isChecked();
    c.Honorific = honorific;
    return c;
}

void PrinCard::Option1_Click()
{
    dm.PrintDirection = Layout::Vertical;
    spacing = Layout::spacingFor(Layout::Vertical);
    compose(QStringLiteral("Option1_Click"), true, true);
    ShowFontLabels();
}

void PrinCard::Option2_Click()
{
    dm.PrintDirection = Layout::Horizontal;
    spacing = Layout::spacingFor(Layout::Horizontal);
    compose(QStringLiteral("Option2_Click"), true, true);
    ShowFontLabels();
}

void PrinCard::Help_Print_Click()
{
    dm.Platform.Help->request(this, dm.HelpFile, HelpCommand::Context, HelpContext);
}

void PrinCard::Command4_Click()
{
    if (printing)
        return;
    CardView view(dm, BoxTexts(), shownGroupFonts(), verticalChoices(), this);
    view.showModal();
}

// ---- printing ----

std::optional<CardCorrections> PrinCard::readCorrections()
{
    const auto top = Layout::parseCorrection(Text1->text(), Layout::PostalTopMax);
    const auto left = Layout::parseCorrection(Text2->text(), Layout::PostalLeftMax);
    if (!top || !left) {
        const bool topWrong = !top;
        dm.Msg(this, QStringLiteral("%1には 0 から %2 までの数値（mm）を入力してください。")
                         .arg(topWrong ? Label7->text() : Label9->text(),
                              topWrong ? QStringLiteral("148.0") : QStringLiteral("100.0")),
               MsgIcon::Exclamation, MsgButtons::Ok, Caption);
        QLineEdit *wrong = topWrong ? Text1 : Text2;
        wrong->setFocus();
        wrong->selectAll();
        return std::nullopt;
    }
    CardCorrections c;
    // What prints is what closing the window stores: the value in tenths.
    c.PostalTopMm = *top / 10.0;
    c.PostalLeftMm = *left / 10.0;
    c.PrintOffset = dm.Settings.PrintOffset;
    c.PostalDigits = dm.PostalDigits == 5 ? 5 : 7;
    return c;
}

PrinCard::RunScope::RunScope(PrinCard &owner)
    : card(owner)
{
    card.progress = new PRT(&card);
    card.progress->show();
    card.setRunning(true);
}

void PrinCard::RunScope::end()
{
    if (ended)
        return;
    ended = true;
    card.setRunning(false);
    if (card.progress) {
        card.progress->Finish();
        card.progress->deleteLater();
    }
    card.progress = nullptr;
}

void PrinCard::setRunning(bool running)
{
    printing = running;
    for (QWidget *w : std::initializer_list<QWidget *>{Command1, Command2, Command3, Command4, HScroll1, HScroll2, HScroll3,
                                                       HScroll4, HScroll5, Combo1, Check1, Option1, Option2})
        w->setEnabled(!running);
    for (int i = Layout::FirstGroup; i <= Layout::LastGroup; ++i)
        Command5[i]->setEnabled(!running);
    for (QAction *a : {Print_Tan, Print_All, Print_View, Print_Teigi, Print_Sheet, Print_Adjust, Print_Quit})
        a->setEnabled(!running);
    // The boxes stay readable while each record passes through them.
    for (int k = 1; k <= 7; ++k)
        Text01[k]->setReadOnly(running);
    for (QLineEdit *b : {Text06, Text07, Text08, Text09, Text10, Text11, Text12, Text13, Text14, Text1, Text2, Text3})
        b->setReadOnly(running);
}

void PrinCard::Command1_Click()
{
    if (printing)
        return;
    const QString handler = QStringLiteral("Command1_Click");
    const std::optional<CardCorrections> corrections = readCorrections();
    if (!corrections)
        return;
    const CardTexts card = BoxTexts();
    CardResult result = CardResult::Printed;
    std::optional<Pointer::Hourglass> hourglass;
    try {
        PrinterDevice *device = openPrinter();
        if (!device)
            return; // the user chose not to print after all
        hourglass.emplace(dm.SavedPointer);
        RunScope run(*this);
        const PrintTable table = PrepareLayout(*device, dm.Settings, dm.PrintDirection, shownGroupFonts());
        PrintEngine engine(*device, table, *corrections, verticalChoices());
        progress->Label1->setText(QStringLiteral("[ ") + card.Items[Layout::Name1] + QStringLiteral(" ]"));
        QCoreApplication::processEvents();
        result = engine.PrintCard(card, Option1->isChecked());
        run.end();
        // A refused card leaves nothing: its document is thrown away.
        closePrinter(result == CardResult::Printed);
    } catch (const RunError &error) {
        closePrinter(false);
        hourglass.reset();
        report(handler, error.description());
        return;
    }
    hourglass.reset();
    if (result == CardResult::OutOfArea)
        showOutOfArea();
}

void PrinCard::showOutOfArea()
{
    dm.Msg(this, QStringLiteral("印刷領域外にプリントしようとしたため、\n印刷処理を中止しました。"),
           MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("縦 印刷"));
}

GroupFonts PrinCard::shownGroupFonts() const
{
    GroupFonts labels;
    for (int i = Layout::FirstGroup; i <= Layout::LastGroup; ++i)
        labels[i] = {Label11[i]->text(), Label12[i]->text()};
    return labels;
}

void PrinCard::Command2_Click()
{
    if (printing)
        return;
    const QString handler = QStringLiteral("Command2_Click");
    const std::optional<CardCorrections> corrections = readCorrections();
    if (!corrections)
        return;
    if (dm.Msg(this, QStringLiteral("全宛名印刷を行います。"), MsgIcon::None, MsgButtons::OkCancel)
        != MsgAnswerCode::Ok)
        return;

    AllPrintJob job;
    job.RecordCount = dm.RecordCount;
    job.SenderNumber = Label5->text().toInt();
    job.MarkText = Text3->text();
    job.Vertical = Option1->isChecked();
    AllPrintSteps steps;
    steps.StartRecord = [this](int n) {
        dm.CurrentRecord = n;
        QCoreApplication::processEvents();
    };
    steps.CancelRequested = [this] { return progress && progress->CancelRequested(); };
    steps.Compose = [this](int) {
        ComposeAddressee();
        return ComposedCard{BoxTexts(), dm.FieldText[Name], trimRightBlanks(dm.FieldText[Mark])};
    };
    steps.Printing = [this](const QString &name) {
        if (progress)
            progress->Label1->setText(name);
    };
    steps.Refused = [this](const QString &) { showOutOfArea(); };

    AllPrintResult result;
    std::optional<Pointer::Hourglass> hourglass;
    try {
        PrinterDevice *device = openPrinter();
        if (!device)
            return;
        const PrintTable table = PrepareLayout(*device, dm.Settings, dm.PrintDirection, shownGroupFonts());
        PrintEngine engine(*device, table, *corrections, verticalChoices());
        hourglass.emplace(dm.SavedPointer);
        RunScope run(*this);
        result = PrintAll(*device, engine, job, steps);
        run.end();
        dm.CurrentRecord = dm.RecordCount;
        // Nothing printed (no record of the mark): no empty document either.
        closePrinter(result.Printed > 0);
    } catch (const RunError &error) {
        // The printer failed: what it was given is not delivered.
        closePrinter(false);
        hourglass.reset();
        report(handler, error.description());
        return;
    }
    hourglass.reset();
    if (result.Failed)
        report(handler, result.Error);
    QString message = QStringLiteral(" %1 件印刷しました。").arg(result.Printed);
    if (!result.LeftOut.isEmpty())
        message += QStringLiteral("\n印刷領域外のため印刷しなかった宛名：") + result.LeftOut.join(QStringLiteral("、"));
    dm.Msg(this, message);
}

PrintJob PrinCard::cardJob() const
{
    PrintJob job;
    job.title = Caption;
    job.pdfFileName = QStringLiteral("葉書宛名.pdf");
    job.pdfFolder = QFileInfo(dm.DataFilePath()).absolutePath();
    job.pageSize = QPageSize(QPageSize::Postcard); // the Japanese postcard, 100 x 148 mm
    job.orientation = QPageLayout::Portrait;
    job.pdfMarginsMm = Card::pdfMargins();
    job.printerPaper = false;
    return job;
}

PagePlacement PrinCard::printerPlacement() const
{
    return PrinterShift::placementOf(dm.Conf.adjustment(dm.Platform.Printers->printerName()));
}

PrinterDevice *PrinCard::openPrinter()
{
    const PagePlacement placement = printerPlacement();
    printer = dm.Platform.Printers->open(this, cardJob());
    if (printer)
        printer->setPlacement(placement);
    return printer.get();
}

void PrinCard::closePrinter(bool keep)
{
    if (!printer)
        return;
    const std::shared_ptr<PrinterDevice> done = std::move(printer);
    if (keep)
        done->endDoc();
    else
        done->killDoc();
}

void PrinCard::Command5_Click(int index)
{
    if (printing || index < Layout::FirstGroup || index > Layout::LastGroup)
        return;
    FontChoice initial;
    initial.name = Label11[index]->text();
    initial.size = Label12[index]->text().toDouble();
    initial.bold = Text06->font().bold();
    const std::optional<FontChoice> chosen = dm.Platform.Dialogs->chooseFont(this, initial);
    if (!chosen)
        return;
    // Only name and size are kept: the card prints without effects.
    Label12[index]->setText(Layout::pointText(chosen->size));
    Label11[index]->setText(chosen->name);
    Layout::storeGroupFont(dm.Settings, index, dm.PrintDirection, chosen->name, chosen->size);
}

void PrinCard::Print_Teigi_Click()
{
    if (printing)
        return;
    try {
        dm.Platform.Printers->setup(this);
    } catch (const RunError &error) {
        report(QStringLiteral("Print_Teigi_Click"), error.description());
    }
}
