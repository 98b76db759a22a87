#include "edit/adrsdinp.h"

#include "edit/entryform.h"
#include "edit/postalassist.h"
#include "store/blanks.h"
#include "store/datamodule.h"
#include "store/recordstore.h"

#include "platform/fonts.h"
#include "platform/runerror.h"
#include "platform/twips.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

struct BoxDesign {
    const char *label;
    const char *labelText;
    int top, width, height, labelTop;
    ImeMode ime;
};

// Text0 ... Text9 with their caption labels.
const std::array<BoxDesign, 10> Boxes = {{
    {"Label1", "名前", 360, 5190, 300, 360, ImeMode::Hiragana},
    {"Label12", "ﾌﾘｶﾞﾅ", 720, 2540, 300, 720, ImeMode::HalfKatakana},
    {"Label2", "郵便番号", 1050, 1215, 285, 1080, ImeMode::Off},
    {"Label3", "住所１", 1440, 5190, 300, 1440, ImeMode::Hiragana},
    {"Label4", "住所２", 1800, 5190, 300, 1800, ImeMode::Hiragana},
    {"Label5", "電話番号", 2160, 2540, 285, 2160, ImeMode::Off},
    {"Label6", "勤務先", 2520, 5190, 285, 2520, ImeMode::NotControlled},
    {"Label7", "役職", 2880, 5190, 285, 2880, ImeMode::NotControlled},
    {"Label8", "勤務先℡", 3240, 2540, 285, 3240, ImeMode::Off},
    {"Label9", "ﾏｰｸ", 3600, 2540, 285, 3600, ImeMode::Disabled},
}};

} // namespace

AdrsDinp::AdrsDinp(DataModule &data, QWidget *parent)
    : FormDialog(data, parent)
{
    setObjectName(QStringLiteral("AdrsDinp"));
    setWindowTitle(QStringLiteral("データ入力"));
    setFont(Fonts::make(Fonts::Gothic, 12));
    buildClient(6510, 4755, true);
    buildMenus();
    buildControls();
    Postal = new PostalAssist(dm, this, Text2, Text3, Menu_Edit);
    Form_Load();
}

void AdrsDinp::buildControls()
{
    QWidget *area = client();
    const QFont small = Fonts::make(Fonts::Mincho, 9.75);
    std::array<QLabel *, 10> labels{};
    for (int n = 0; n < 10; ++n) {
        const BoxDesign &d = Boxes[n];
        QLineEdit *box = makeEntryBox(area, n, d.top, d.width, d.height, d.ime);
        auto *label = new QLabel(QString::fromUtf8(d.labelText), area);
        label->setObjectName(QString::fromLatin1(d.label));
        label->setGeometry(Twips::rect(120, d.labelTop, 975, 255));
        label->setBuddy(box);
        Texts[n] = box;
        labels[n] = label;
        connect(box, &QLineEdit::textChanged, this, [this, n] { Text_Change(n); });
    }
    Text0 = Texts[0]; Text1 = Texts[1]; Text2 = Texts[2]; Text3 = Texts[3]; Text4 = Texts[4];
    Text5 = Texts[5]; Text6 = Texts[6]; Text7 = Texts[7]; Text8 = Texts[8]; Text9 = Texts[9];
    Label1 = labels[0]; Label12 = labels[1]; Label2 = labels[2]; Label3 = labels[3];
    Label4 = labels[4]; Label5 = labels[5]; Label6 = labels[6]; Label7 = labels[7];
    Label8 = labels[8]; Label9 = labels[9];

    auto smallLabel = [&](const QString &name, const QString &text, int left, int top, int width,
                          int height) {
        auto *l = new QLabel(text, area);
        l->setObjectName(name);
        l->setFont(small);
        l->setGeometry(Twips::rect(left, top, width, height));
        return l;
    };
    Label13 = smallLabel(QStringLiteral("Label13"), QStringLiteral("(半角ｶﾀｶﾅで指定)"), 3800, 720, 2500, 255);
    Label14 = smallLabel(QStringLiteral("Label14"), QStringLiteral("(半角数字で指定)"), 3800, 1080, 2500, 255);
    Label10 = smallLabel(QStringLiteral("Label10"), QStringLiteral("ﾃﾞｰﾀ番号"), 4800, 0, 855, 255);
    Label11 = smallLabel(QStringLiteral("Label11"), QString(), 5760, 0, 555, 255);
    Label15 = smallLabel(QStringLiteral("Label15"), QStringLiteral("カーソルは(Tab)ｷｰで次の項目へ移動します。"),
                         1995, 3885, 4110, 225);

    const QFont buttonFont = Fonts::make(Fonts::Gothic, 9.75);
    auto button = [&](const QString &name, const QString &text, int left, int width) {
        auto *b = new QPushButton(text, area);
        b->setObjectName(name);
        b->setFont(buttonFont);
        b->setAutoDefault(false);
        b->setGeometry(Twips::rect(left, 4200, width, 375));
        return b;
    };
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("保存して閉じる(&R)"), 120, 2295);
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("保存して次へ(&T)"), 2600, 1695);
    Command4 = button(QStringLiteral("Command4"), QStringLiteral("閉じる(&X)"), 4890, 1500);
    connect(Command1, &QPushButton::clicked, this, &AdrsDinp::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &AdrsDinp::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &AdrsDinp::Command4_Click);
    setCloseButton(Command4);

    // Tab order: the boxes 0 ... 9, then 保存して閉じる, 保存して次へ, 閉じる.
    QList<QWidget *> order(Texts.begin(), Texts.end());
    order << Command1 << Command3 << Command4;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    Text0->setFocus();
}

void AdrsDinp::buildMenus()
{
    QMenuBar *bar = menuBarWidget();
    Menu_Data = bar->addMenu(QStringLiteral("データ(&D)"));
    Menu_Data->setObjectName(QStringLiteral("Menu_Data"));
    Menu_End = Menu_Data->addAction(QStringLiteral("閉じる(&X)"));
    Menu_End->setObjectName(QStringLiteral("Menu_End"));
    Menu_End->setShortcut(QKeySequence(Qt::Key_F9));

    Menu_Edit = bar->addMenu(QStringLiteral("編集(&E)"));
    Menu_Edit->setObjectName(QStringLiteral("Menu_Edit"));
    Menu_Ed_Kiri = Menu_Edit->addAction(QStringLiteral("切り取り(&T)"));
    Menu_Ed_Kiri->setObjectName(QStringLiteral("Menu_Ed_Kiri"));
    Menu_Ed_Copy = Menu_Edit->addAction(QStringLiteral("コピー(&C)"));
    Menu_Ed_Copy->setObjectName(QStringLiteral("Menu_Ed_Copy"));
    Menu_Ed_Hari = Menu_Edit->addAction(QStringLiteral("貼り付け(&P)"));
    Menu_Ed_Hari->setObjectName(QStringLiteral("Menu_Ed_Hari"));
    Menu_Ed_Del = Menu_Edit->addAction(QStringLiteral("削除(&D)"));
    Menu_Ed_Del->setObjectName(QStringLiteral("Menu_Ed_Del"));
    Menu_Ed_Del->setShortcut(QKeySequence(Qt::Key_Delete));

    connect(Menu_End, &QAction::triggered, this, &AdrsDinp::Menu_End_Click);
    connect(Menu_Edit, &QMenu::aboutToShow, this, &AdrsDinp::Menu_Edit_Click);
    connect(Menu_Ed_Kiri, &QAction::triggered, this, &AdrsDinp::Menu_Ed_Kiri_Click);
    connect(Menu_Ed_Copy, &QAction::triggered, this, &AdrsDinp::Menu_Ed_Copy_Click);
    connect(Menu_Ed_Hari, &QAction::triggered, this, &AdrsDinp::Menu_Ed_Hari_Click);
    connect(Menu_Ed_Del, &QAction::triggered, this, &AdrsDinp::Menu_Ed_Del_Click);
}

void AdrsDinp::Form_Load()
{
    placeOnScreen();
    dm.ClearRecord();
    dm.ClearFields();
    Label11->setText(recordNumberText(dm.RecordCount + 1));
    dm.LockMainMenus();
}

void AdrsDinp::Form_Unload()
{
    // The input method is left closed when the main window returns.
    setImeMode(Text9, ImeMode::Off);
    Text9->setFocus();
    dm.UnlockMainMenus();
}

void AdrsDinp::Text_Change(int n)
{
    dm.FieldText[n + 1] = Texts[n]->text();
}

bool AdrsDinp::hasName()
{
    if (!trimBlanks(dm.FieldText[Name]).isEmpty())
        return true;
    dm.Msg(this, QStringLiteral("データがありません。"));
    return false;
}

bool AdrsDinp::save(const QString &handler)
{
    const QString refusal = AppendLimitText(dm);
    if (!refusal.isEmpty()) {
        dm.Msg(this, refusal, MsgIcon::Exclamation);
        return false;
    }
    try {
        AppendRecord(dm);
    } catch (const RunError &error) {
        dm.ShowChange(false);
        dm.ErrReport(handler, error.description(), this);
        return false;
    }
    dm.ShowChange(false);
    return true;
}

void AdrsDinp::Command1_Click()
{
    const TraceEntry trace(dm, QStringLiteral("Command1_Click"));
    if (!hasName() || !save(QStringLiteral("Command1_Click")))
        return;
    closeForm(QDialog::Accepted);
    dm.Msg(parentWidget(), QStringLiteral("ファイルに追加しました。"));
}

void AdrsDinp::Command3_Click()
{
    const TraceEntry trace(dm, QStringLiteral("Command3_Click"));
    if (!hasName() || !save(QStringLiteral("Command3_Click")))
        return;
    Label11->setText(recordNumberText(dm.RecordCount + 1));
    for (QLineEdit *box : Texts)
        box->clear();
    Text1->setFocus();
    dm.ClearRecord();
    dm.ClearFields();
    Postal->forgetTyping();
}

void AdrsDinp::Command4_Click()
{
    closeForm();
}

void AdrsDinp::Menu_End_Click()
{
    closeForm();
}

void AdrsDinp::Menu_Edit_Click()
{
    updateEditMenu(focusWidget(), Menu_Ed_Kiri, Menu_Ed_Copy, Menu_Ed_Hari, Menu_Ed_Del);
}

void AdrsDinp::Menu_Ed_Kiri_Click() { EditCut(focusWidget()); }
void AdrsDinp::Menu_Ed_Copy_Click() { EditCopy(focusWidget()); }
void AdrsDinp::Menu_Ed_Hari_Click() { EditPaste(focusWidget()); }
void AdrsDinp::Menu_Ed_Del_Click() { EditDelete(focusWidget()); }
