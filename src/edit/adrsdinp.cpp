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

// Text0 ... Text9 with their caption labels.
const std::array<RecordBoxDesign, 10> Boxes = {{
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
    : RecordForm(data, parent)
{
    setObjectName(QStringLiteral("AdrsDinp"));
    setWindowTitle(QStringLiteral("データ入力"));
    setFont(Fonts::make(Fonts::Gothic, 12));
    buildClient(6510, 4755, true);
    buildMenus({"削除(&D)", false});
    buildControls();
    attachPostal();
    Form_Load();
}

void AdrsDinp::buildControls()
{
    QWidget *area = client();
    const QFont small = Fonts::make(Fonts::Mincho, 9.75);
    const std::array<QLabel *, 10> labels = buildBoxes(Boxes);
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
    leaveBoxes();
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
