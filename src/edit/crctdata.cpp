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

struct BoxDesign {
    const char *caption;
    int top, width, height;
    ImeMode ime;
};

const std::array<BoxDesign, 10> Boxes = {{
    {"名前", 360, 5190, 300, ImeMode::Hiragana},
    {"ﾌﾘｶﾞﾅ", 720, 2540, 270, ImeMode::HalfKatakana},
    {"郵便番号", 1080, 1215, 300, ImeMode::Off},
    {"住所１", 1440, 5190, 300, ImeMode::Hiragana},
    {"住所２", 1800, 5190, 300, ImeMode::NotControlled},
    {"電話番号", 2160, 2540, 300, ImeMode::Off},
    {"勤務先", 2520, 5190, 300, ImeMode::NotControlled},
    {"役職", 2880, 5190, 270, ImeMode::NotControlled},
    {"勤務先℡", 3240, 2540, 270, ImeMode::Off},
    {"マーク", 3600, 2540, 300, ImeMode::NotControlled},
}};

} // namespace

CrctData::CrctData(DataModule &data, QWidget *parent)
    : FormDialog(data, parent)
{
    setObjectName(QStringLiteral("CrctData"));
    setWindowTitle(QStringLiteral("データ修正/削除"));
    setFont(Fonts::make(Fonts::Mincho, 12));
    buildClient(6510, 4800, true);
    buildMenus();
    buildControls();
    Postal = new PostalAssist(dm, this, Text2, Text3, Menu_Edit);
    Form_Load();
}

void CrctData::buildControls()
{
    QWidget *area = client();
    for (int n = 0; n < 10; ++n) {
        const BoxDesign &d = Boxes[n];
        QLineEdit *box = makeEntryBox(area, n, d.top, d.width, d.height, d.ime);
        auto *label = new QLabel(QString::fromUtf8(d.caption), area);
        label->setObjectName(QStringLiteral("Label1_%1").arg(n));
        label->setGeometry(Twips::rect(120, d.top, 975, 255));
        label->setBuddy(box);
        Texts[n] = box;
        Label1[n] = label;
        connect(box, &QLineEdit::textChanged, this, [this, n] { Text_Change(n); });
    }
    Text0 = Texts[0]; Text1 = Texts[1]; Text2 = Texts[2]; Text3 = Texts[3]; Text4 = Texts[4];
    Text5 = Texts[5]; Text6 = Texts[6]; Text7 = Texts[7]; Text8 = Texts[8]; Text9 = Texts[9];

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

void CrctData::buildMenus()
{
    QMenuBar *bar = menuBarWidget();
    Menu_Data = bar->addMenu(QStringLiteral("データ(&D)"));
    Menu_Data->setObjectName(QStringLiteral("Menu_Data"));
    Menu_End = Menu_Data->addAction(QStringLiteral("閉じる(&X)"));
    Menu_End->setObjectName(QStringLiteral("Menu_End"));
    Menu_End->setShortcut(QKeySequence(Qt::Key_F9));

    Menu_Edit = bar->addMenu(QStringLiteral("編集(&E)"));
    Menu_Edit->setObjectName(QStringLiteral("Menu_Edit"));
    auto entry = [this](const QString &name, const QString &caption, const QKeySequence &key) {
        QAction *a = Menu_Edit->addAction(caption);
        a->setObjectName(name);
        a->setShortcut(key);
        return a;
    };
    Menu_Ed_Kiri = entry(QStringLiteral("Menu_Ed_Kiri"), QStringLiteral("切り取り(&T)"), QKeySequence(QStringLiteral("Ctrl+X")));
    Menu_Ed_Copy = entry(QStringLiteral("Menu_Ed_Copy"), QStringLiteral("コピー(&C)"), QKeySequence(QStringLiteral("Ctrl+C")));
    Menu_Ed_Hari = entry(QStringLiteral("Menu_Ed_Hari"), QStringLiteral("貼り付け(&P)"), QKeySequence(QStringLiteral("Ctrl+V")));
    Menu_Ed_Del = entry(QStringLiteral("Menu_Ed_Del"), QStringLiteral("削除(&L)"), QKeySequence(Qt::Key_Delete));

    connect(Menu_End, &QAction::triggered, this, &CrctData::Menu_End_Click);
    connect(Menu_Edit, &QMenu::aboutToShow, this, &CrctData::Menu_Edit_Click);
    connect(Menu_Ed_Kiri, &QAction::triggered, this, &CrctData::Menu_Ed_Kiri_Click);
    connect(Menu_Ed_Copy, &QAction::triggered, this, &CrctData::Menu_Ed_Copy_Click);
    connect(Menu_Ed_Hari, &QAction::triggered, this, &CrctData::Menu_Ed_Hari_Click);
    connect(Menu_Ed_Del, &QAction::triggered, this, &CrctData::Menu_Ed_Del_Click);
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

void CrctData::Menu_End_Click()
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
    setImeMode(Text9, ImeMode::Off);
    Text9->setFocus();
    dm.CurrentRecord = 1;
    dm.UnlockMainMenus();
}

void CrctData::Menu_Edit_Click()
{
    updateEditMenu(focusWidget(), Menu_Ed_Kiri, Menu_Ed_Copy, Menu_Ed_Hari, Menu_Ed_Del);
}

void CrctData::Menu_Ed_Kiri_Click() { EditCut(focusWidget()); }
void CrctData::Menu_Ed_Copy_Click() { EditCopy(focusWidget()); }
void CrctData::Menu_Ed_Hari_Click() { EditPaste(focusWidget()); }
void CrctData::Menu_Ed_Del_Click() { EditDelete(focusWidget()); }
