#include "options/options.h"

#include "store/datamodule.h"

#include "platform/codec.h"
#include "platform/commondialogs.h"
#include "platform/fonts.h"
#include "platform/twips.h"

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {

constexpr int ClientWidth = 5600;
// 2295 twips with the title bar and borders of the window.
constexpr int ClientHeight = 1890;
constexpr int ListFontNameBytes = 30;

QString numberText(double value)
{
    return QString::number(value, 'g', 7);
}

} // namespace

void TabLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && isEnabled())
        emit clicked();
    QLabel::mousePressEvent(event);
}

const QStringList Options::FontNames = {
    QStringLiteral("ＭＳ 明朝"), QStringLiteral("ＭＳ ゴシック"), QStringLiteral("標準明朝"),
    QStringLiteral("標準ゴシック"), QStringLiteral("明朝")};
const QList<double> Options::FontSizes = {8, 9.75, 10.5, 12, 13.5, 15};

Options::Options(DataModule &data, bool open, QWidget *parent)
    : QDialog(parent), dm(data), bookOpen(open)
{
    setObjectName(QStringLiteral("Options"));
    setWindowTitle(QStringLiteral("オプション"));
    setFont(Fonts::make(Fonts::Gothic, 9));
    setFixedSize(Twips::toPixelsX(ClientWidth), Twips::toPixelsY(ClientHeight));
    buildControls();
    Form_Load();
}

void Options::buildControls()
{
    auto label = [](QWidget *parent, const QString &name, const QString &text, int left, int top,
                    int width) {
        auto *l = new QLabel(text, parent);
        l->setObjectName(name);
        l->setGeometry(Twips::rect(left, top, width, 280));
        return l;
    };
    auto option = [](QWidget *parent, const QString &name, const QString &text, int left, int top,
                     int width) {
        auto *o = new QRadioButton(text, parent);
        o->setObjectName(name);
        o->setGeometry(Twips::rect(left, top, width, 280));
        return o;
    };
    auto combo = [](QWidget *parent, const QString &name, int left, int top, int width) {
        auto *c = new QComboBox(parent);
        c->setObjectName(name);
        c->setEditable(false);
        c->setGeometry(Twips::rect(left, top, width, 300));
        return c;
    };
    auto button = [this](const QString &name, const QString &caption, QWidget *parent, int left,
                         int top, int width) {
        auto *b = new QPushButton(caption, parent);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setGeometry(Twips::rect(left, top, width, 360));
        return b;
    };

    const std::array<QString, 4> tabs = {QStringLiteral("区切り文字"), QStringLiteral("宛名印刷"),
                                         QStringLiteral("一覧印刷"), QStringLiteral("一覧表示")};
    for (int i = 0; i < 4; ++i) {
        auto *page = new QFrame(this);
        page->setObjectName(QStringLiteral("Picture1_%1").arg(i));
        page->setFrameStyle(QFrame::Panel | QFrame::Raised);
        page->setAutoFillBackground(true);
        // Stacked later by Form_Load; each page starts where it was drawn.
        page->setGeometry(Twips::rect(60, 340 + i * 40, ClientWidth - 120, 1060));
        Picture1[i] = page;

        auto *tab = new TabLabel(tabs[i], this);
        tab->setObjectName(QStringLiteral("Label2_%1").arg(i));
        tab->setAlignment(Qt::AlignCenter);
        tab->setFrameStyle(QFrame::Panel | QFrame::Raised);
        tab->setAutoFillBackground(true);
        tab->setGeometry(Twips::rect(60 + i * 1200, 40, 1160, 300));
        connect(tab, &TabLabel::clicked, this, [this, i] { Label2_Click(i); });
        Label2[i] = tab;
    }

    // 区切り文字
    Label1 = label(Picture1[0], QStringLiteral("Label1"), QStringLiteral("区切り文字を選択してください。"),
                   120, 120, 4800);
    Option1 = option(Picture1[0], QStringLiteral("Option1"), QStringLiteral(";(ｾﾐｺﾛﾝ)"), 240, 520, 1500);
    Option2 = option(Picture1[0], QStringLiteral("Option2"), QStringLiteral(",(ｺﾝﾏ)"), 1860, 520, 1500);
    Option3 = option(Picture1[0], QStringLiteral("Option3"), QStringLiteral("Tab(ﾀﾌﾞ)"), 3480, 520, 1500);

    // 宛名印刷
    Label3 = label(Picture1[1], QStringLiteral("Label3"), QStringLiteral("郵便番号を、5または7桁で印刷:"),
                   120, 180, 3000);
    Combo6 = combo(Picture1[1], QStringLiteral("Combo6"), 3240, 170, 1000);
    Label3->setBuddy(Combo6);
    Label4 = label(Picture1[1], QStringLiteral("Label4"), QStringLiteral("縦書きの時に数字を漢字に変換:"),
                   120, 600, 3000);
    Option4 = option(Picture1[1], QStringLiteral("Option4"), QStringLiteral("する"), 3240, 600, 900);
    Option5 = option(Picture1[1], QStringLiteral("Option5"), QStringLiteral("しない"), 4200, 600, 1000);

    // 一覧印刷
    Label6 = label(Picture1[2], QStringLiteral("Label6"), QStringLiteral("フォント名："), 120, 180, 1440);
    Combo1 = combo(Picture1[2], QStringLiteral("Combo1"), 1560, 170, 1800);
    Label6->setBuddy(Combo1);
    Label7 = label(Picture1[2], QStringLiteral("Label7"), QStringLiteral("フォントサイズ："), 120, 600, 1440);
    Combo2 = combo(Picture1[2], QStringLiteral("Combo2"), 1560, 590, 900);
    Label7->setBuddy(Combo2);
    for (int i = 0; i < 2; ++i) {
        auto *shown = new QLabel(Picture1[2]);
        shown->setObjectName(QStringLiteral("Label5_%1").arg(i));
        shown->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        Label5[i] = shown;
    }
    Label5[0]->setGeometry(Twips::rect(3480, 170, 1860, 300));
    Label5[1]->setGeometry(Twips::rect(3480, 590, 700, 300));
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("設定"), Picture1[2], 4300, 560, 1040);

    // 一覧表示: the lists stay empty.
    Label8 = label(Picture1[3], QStringLiteral("Label8"), QStringLiteral("フォント名："), 120, 80, 1440);
    Combo3 = combo(Picture1[3], QStringLiteral("Combo3"), 1560, 70, 1800);
    Label8->setBuddy(Combo3);
    Label9 = label(Picture1[3], QStringLiteral("Label9"), QStringLiteral("フォントサイズ："), 120, 400, 1440);
    Combo4 = combo(Picture1[3], QStringLiteral("Combo4"), 1560, 390, 900);
    Label9->setBuddy(Combo4);
    Label10 = label(Picture1[3], QStringLiteral("Label10"), QStringLiteral("表示する行数："), 120, 720, 1440);
    Combo5 = combo(Picture1[3], QStringLiteral("Combo5"), 1560, 710, 900);
    Label10->setBuddy(Combo5);

    Command1 = button(QStringLiteral("Command1"), QStringLiteral("了解"), this, 2760, 1460, 1300);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("閉じる(&X)"), this, 4180, 1460, 1300);
    Command1->setDefault(true);

    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    connect(Command3, &QPushButton::clicked, this, &Options::Command3_Click);
    connect(Command1, &QPushButton::clicked, this, &Options::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Options::Command2_Click);
}

void Options::SetDelimiter(qint16 code)
{
    switch (code) {
    case 2: dm.Delimiter = QLatin1Char(','); break;
    case 3: dm.Delimiter = QLatin1Char('\t'); break;
    default: dm.Delimiter = QLatin1Char(';'); break;
    }
}

void Options::Form_Load()
{
    // The four pages lie on top of each other.
    for (QFrame *page : Picture1)
        page->move(page->x(), Picture1[0]->y());
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - frameGeometry().width()) / 2, (area.height() - frameGeometry().height()) / 2);
    }

    switch (dm.Settings.DelimiterCode) {
    case 2: Option2->setChecked(true); break;
    case 3: Option3->setChecked(true); break;
    default: Option1->setChecked(true); break;
    }
    (dm.Settings.KanjiDigitsOff == 1 ? Option5 : Option4)->setChecked(true);

    Combo6->addItems({QStringLiteral("５桁"), QStringLiteral("７桁")});
    Combo6->setCurrentIndex(dm.PostalDigits == 5 ? 0 : dm.PostalDigits == 7 ? 1 : -1);

    Combo1->addItems(FontNames);
    Combo1->setCurrentIndex(int(FontNames.indexOf(dm.IchiFnt)));
    for (double size : FontSizes)
        Combo2->addItem(numberText(size));
    const qsizetype size = FontSizes.indexOf(double(dm.IchiFsz));
    Combo2->setCurrentIndex(size >= 0 ? int(size) : 0);

    // What 了解 stores: the lists' choice, the font as it is where they have none.
    fontName = Combo1->currentIndex() >= 0 ? FontNames[Combo1->currentIndex()] : dm.IchiFnt;
    fontSize = FontSizes[Combo2->currentIndex()];
    showFont();

    Label2_Click(0);
    if (bookOpen) {
        // The delimiter can be changed only while no book is open.
        Label2[0]->setEnabled(false);
        Label2_Click(1);
    }
}

void Options::showFont()
{
    Label5[0]->setText(fontName);
    Label5[1]->setText(numberText(fontSize));
}

void Options::Label2_Click(int index)
{
    if (index < 0 || index > 3 || !Label2[index]->isEnabled())
        return;
    // Only the page in front exists for the keyboard and screen readers; the
    // others are hidden, not just covered.
    for (int i = 0; i < 4; ++i)
        Picture1[i]->setVisible(i == index);
    Picture1[index]->raise();
    front = index;
    for (int i = 0; i < 4; ++i) {
        Label2[i]->setFrameShadow(i == index ? QFrame::Sunken : QFrame::Raised);
        QFont f = Label2[i]->font();
        f.setBold(i == index);
        Label2[i]->setFont(f);
    }
    Command1->setFocus();
}

void Options::Combo1_Click()
{
    if (Combo1->currentIndex() < 0)
        return;
    fontName = FontNames[Combo1->currentIndex()];
    showFont();
}

void Options::Combo2_Click()
{
    if (Combo2->currentIndex() < 0)
        return;
    fontSize = FontSizes[Combo2->currentIndex()];
    showFont();
}

void Options::Command3_Click()
{
    const FontChoice initial{Label5[0]->text(), Label5[1]->text().toDouble(), false};
    const std::optional<FontChoice> chosen = dm.Platform.Dialogs->chooseFont(this, initial);
    if (!chosen || chosen->name.isEmpty() || !(chosen->size > 0))
        return;
    fontName = Cp932::cutText(chosen->name, ListFontNameBytes);
    fontSize = chosen->size;
    // The lists show the dialog's font where they hold it, nothing otherwise.
    Combo1->setCurrentIndex(int(FontNames.indexOf(fontName)));
    Combo2->setCurrentIndex(int(FontSizes.indexOf(fontSize)));
    showFont();
}

void Options::Command1_Click()
{
    dm.Settings.DelimiterCode = Option3->isChecked() ? 3 : Option2->isChecked() ? 2 : 1;
    SetDelimiter(dm.Settings.DelimiterCode);
    dm.Settings.KanjiDigitsOff = Option5->isChecked() ? 1 : 0;
    dm.IchiFnt = fontName;
    dm.IchiFsz = float(fontSize);
    dm.Settings.ListFontName = dm.IchiFnt;
    dm.Settings.ListFontSize = dm.IchiFsz;
    if (Combo6->currentIndex() == 0)
        dm.PostalDigits = 5;
    else if (Combo6->currentIndex() == 1)
        dm.PostalDigits = 7;
    accept();
}

void Options::Command2_Click()
{
    reject();
}
