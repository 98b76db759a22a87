#include "edit/crctdata.h"

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

const std::array<RecordBoxDesign, 10> Boxes = {{
    {"Label1_0", "名前", 360, 5190, 300, 360, ImeMode::Hiragana},
    {"Label1_1", "ﾌﾘｶﾞﾅ", 720, 2540, 270, 720, ImeMode::HalfKatakana},
    {"Label1_2", "郵便番号", 1080, 1215, 300, 1080, ImeMode::Off},
    {"Label1_3", "住所１", 1440, 5190, 300, 1440, ImeMode::Hiragana},
    {"Label1_4", "住所２", 1800, 5190, 300, 1800, ImeMode::NotControlled},
    {"Label1_5", "電話番号", 2160, 2540, 300, 2160, ImeMode::Off},
    {"Label1_6", "勤務先", 2520, 5190, 300, 2520, ImeMode::NotControlled},
    {"Label1_7", "役職", 2880, 5190, 270, 2880, ImeMode::NotControlled},
    {"Label1_8", "勤務先℡", 3240, 2540, 270, 3240, ImeMode::Off},
    {"Label1_9", "マーク", 3600, 2540, 300, 3600, ImeMode::NotControlled},
}};

} // namespace

CrctData::CrctData(DataModule &data, QWidget *parent)
    : RecordForm(data, parent)
{
    setObjectName(QStringLiteral("CrctData"));
    setWindowTitle(QStringLiteral("データ修正/削除"));
    setFont(Fonts::make(Fonts::Mincho, 12));
    buildClient(6510, 4800, true);
    buildMenus({"削除(&L)", true});
    buildControls();
    attachPostal();
    Form_Load();
}

void CrctData::buildControls()
{
    QWidget *area = client();
    Label1 = buildBoxes(Boxes);

    Label10 = new QLabel(QStringLiteral("ﾃﾞｰﾀ番号"), area);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setFont(Fonts::make(Fonts::Mincho, 9.75));
    Label10->setGeometry(Twips::rect(4920, 20, 855, 255));
    Label11 = new QLabel(area);
    Label11->setObjectName(QStringLiteral("Label11"));
    Label11->setGeometry(Twips::rect(5760, 20, 615, 255));

    const QFont buttonFont = Fonts::make(Fonts::Gothic, 9.75);
    auto button = [&](const QString &name, const QString &text, int left, int width) {
        auto *b = new QPushButton(text, area);
        b->setObjectName(name);
        b->setFont(buttonFont);
        b->setAutoDefault(false);
        b->setGeometry(Twips::rect(left, 4200, width, 375));
        return b;
    };
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("ﾌｧｲﾙ更新(&T)"), 120, 1600);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("復帰(&F)"), 1800, 1400);
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("削除(&S)"), 3280, 1500);
    Command4 = button(QStringLiteral("Command4"), QStringLiteral("閉じる(&X)"), 4890, 1500);
    connect(Command1, &QPushButton::clicked, this, &CrctData::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &CrctData::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &CrctData::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &CrctData::Command4_Click);
    setCloseButton(Command4);

    QList<QWidget *> order(Texts.begin(), Texts.end());
    order << Command1 << Command2 << Command3 << Command4;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CrctData::prepare(Mode mode)
{
    const bool correct = mode == Mode::Correct;
    setWindowTitle(correct ? QStringLiteral("データ修正") : QStringLiteral("データ削除"));
    for (QLineEdit *box : Texts)
        box->setFocusPolicy(correct ? Qt::StrongFocus : Qt::ClickFocus);
    Command3->setHidden(correct);
    Command1->setHidden(!correct);
    Command2->setHidden(!correct);
    Menu_Edit->setEnabled(correct);
    Menu_Edit->menuAction()->setEnabled(correct);
    Postal->setEnabled(correct);
    if (correct)
        Text0->setFocus();
    else
        Command3->setFocus();
}

void CrctData::Form_Load()
{
    dm.LockMainMenus();
    placeOnScreen();
    const TraceEntry trace(dm, QStringLiteral("Form_Load"));
    try {
        LoadRecord();
    } catch (const RunError &error) {
        dm.ErrReport(QStringLiteral("Form_Load"), error.description(), this);
    }
}

void CrctData::LoadRecord()
{
    // Until the record is shown, nothing may be stored or deleted over it.
    Command1->setEnabled(false);
    Command3->setEnabled(false);
    dm.ClearRecord();
    if (dm.CurrentRecord < 1 || dm.CurrentRecord > dm.RecordCount)
        throw RunError(QStringLiteral("ﾃﾞｰﾀ番号 %1 のﾃﾞｰﾀはありません。").arg(dm.CurrentRecord));
    dm.LoadRecord(dm.CurrentRecord);
    for (int n = 0; n < 10; ++n) {
        const QString value = dm.DataFormat == DataModule::FixedLength
            ? dm.RecordBuffer.fieldText(n + 1)
            : trimRightBlanks(dm.FieldText[n + 1]);
        loadBoxText(Texts[n], value);
    }
    Label11->setText(recordNumberText(dm.CurrentRecord));
    for (int i = 1; i <= 10; ++i) {
        SavedText[i] = Texts[i - 1]->text();
        EditedText[i] = SavedText[i];
    }
    Command1->setEnabled(true);
    Command3->setEnabled(true);
    if (Postal)
        Postal->forgetTyping();
}

void CrctData::Text_Change(int n)
{
    EditedText[n + 1] = Texts[n]->text();
}

bool CrctData::store(const QString &handler)
{
    for (int i = 1; i <= 10; ++i)
        dm.FieldText[i] = EditedText[i];
    try {
        OverwriteRecord(dm);
    } catch (const RunError &error) {
        dm.ErrReport(handler, error.description(), this);
        return false;
    }
    dm.ShowChange(true);
    for (int i = 1; i <= 10; ++i)
        SavedText[i] = dm.FieldText[i];
    dm.Msg(this, QStringLiteral("ファイルを更新しました。"), MsgIcon::Information);
    return true;
}

void CrctData::Command1_Click()
{
    const TraceEntry trace(dm, QStringLiteral("Command1_Click"));
    store(QStringLiteral("Command1_Click"));
}

void CrctData::Command2_Click()
{
    const TraceEntry trace(dm, QStringLiteral("Command2_Click"));
    try {
        LoadRecord();
    } catch (const RunError &error) {
        dm.ErrReport(QStringLiteral("Command2_Click"), error.description(), this);
    }
}

void CrctData::Command3_Click()
{
    const TraceEntry trace(dm, QStringLiteral("Command3_Click"));
    const QString name = trimBlanks(SavedText[Name]);
    dm.Msg(this, QStringLiteral("「") + name + QStringLiteral("」を削除します。"), MsgIcon::None,
           MsgButtons::OkCancel);
    if (dm.MsgAnswer != MsgAnswerCode::Ok) {
        dm.Msg(this, QStringLiteral("削除しませんでした。"), MsgIcon::Exclamation);
        return;
    }
    try {
        DeleteCurrent(dm);
    } catch (const RunError &error) {
        dm.ErrReport(QStringLiteral("Command3_Click"), error.description(), this);
        return;
    }
    if (dm.CurrentRecord > dm.RecordCount)
        dm.CurrentRecord = dm.RecordCount;
    dm.ShowChange(true);
    if (dm.CurrentRecord < 1) {
        closeForm(QDialog::Accepted);
        return;
    }
    try {
        LoadRecord();
    } catch (const RunError &error) {
        dm.ErrReport(QStringLiteral("Command3_Click"), error.description(), this);
    }
}

void CrctData::Command4_Click()
{
    closeForm();
}

bool CrctData::Form_QueryUnload()
{
    // Edits not yet stored: only a correction asks. Closing goes on whatever
    // the answer, unless the store the user asked for failed: the edits are
    // then kept in the open window. A record that could not be shown is
    // never stored.
    if (!Command3->isHidden() || !Command1->isEnabled())
        return true;
    int changed = 0;
    for (int i = 1; i <= 10; ++i)
        if (EditedText[i] != SavedText[i])
            ++changed;
    if (changed == 0)
        return true;
    dm.Msg(this,
           QStringLiteral("修正がファイルに反映されていません。") + dm.NewLine
               + QStringLiteral("修正をファイルに反映しますか？"),
           MsgIcon::Exclamation, MsgButtons::YesNo, QStringLiteral("修正処理"));
    if (dm.MsgAnswer != MsgAnswerCode::Yes)
        return true;
    const TraceEntry trace(dm, QStringLiteral("Form_Unload"));
    return store(QStringLiteral("Form_Unload"));
}

void CrctData::Form_Unload()
{
    leaveBoxes();
    dm.CurrentRecord = 1;
    dm.UnlockMainMenus();
}
