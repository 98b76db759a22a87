#include "convert/chandata.h"

#include "convert/conversion.h"
#include "store/datamodule.h"

#include "platform/fonts.h"
#include "platform/pointer.h"
#include "platform/runerror.h"
#include "platform/twips.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {

const QString Caption = QStringLiteral("データ変換");

} // namespace

ChanData::ChanData(DataModule &data, QWidget *parent)
    : QDialog(parent), dm(data)
{
    setObjectName(QStringLiteral("ChanData"));
    setWindowTitle(QStringLiteral("データ形式の変換"));
    setFont(Fonts::make(Fonts::Gothic, 10));
    setFixedSize(Twips::toPixelsX(5760), Twips::toPixelsY(3420));

    Frame1 = new QGroupBox(QStringLiteral("変換後の形式"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(Twips::rect(120, 120, 2640, 2160));
    const std::array<QString, 4> captions = {
        QStringLiteral("固定長"), QStringLiteral("可変長(ｾﾐｺﾛﾝ)"),
        QStringLiteral("可変長(ｺﾝﾏ)"), QStringLiteral("可変長(TAB)")};
    for (int i = 0; i < 4; ++i) {
        Option1[i] = new QRadioButton(captions[i], Frame1);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        Option1[i]->setGeometry(Twips::rect(240, 360 + i * 420, 2280, 300));
    }

    Label1 = new QLabel(QStringLiteral("新ファイル名"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Twips::rect(2940, 240, 2640, 300));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(Twips::rect(2940, 600, 2640, 360));
    Label1->setBuddy(Text1);

    Command1 = new QPushButton(QStringLiteral("変換実行"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips::rect(2940, 1320, 1260, 420));
    Command1->setAutoDefault(false);
    Command2 = new QPushButton(QStringLiteral("閉じる(&X)"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(Twips::rect(4320, 1320, 1260, 420));
    Command2->setAutoDefault(false);

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(Twips::rect(120, 2460, 5460, 300));
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(Twips::rect(120, 2880, 5460, 300));

    connect(Command1, &QPushButton::clicked, this, &ChanData::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ChanData::Command2_Click);

    Form_Load();
}

ChanData::~ChanData()
{
    Form_Unload();
}

void ChanData::showFormat()
{
    const bool fixed = dm.DataFormat == DataModule::FixedLength;
    const int own = fixed ? Conversion::FixedTarget : dm.Settings.DelimiterCode;
    for (int i = 0; i < 4; ++i)
        Option1[i]->setEnabled(i != own);
    Option1[fixed ? 1 : 0]->setChecked(true);
    const QString format = fixed ? QStringLiteral("固定長")
                                 : QStringLiteral("可変長 ") + Conversion::labelOf(own);
    Label3->setText(QStringLiteral("現在のﾃﾞｰﾀ形式：") + format);
}

void ChanData::Form_Load()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - width()) / 3, (area.height() - height()) / 2);
    }
    dm.LockMainMenus();
    showFormat();
    Text1->setText(dm.CurrentFileName);
    Label2->setText(QStringLiteral("現在のﾌｫﾙﾀﾞ：") + QDir::toNativeSeparators(QDir::currentPath()));
}

void ChanData::Command1_Click()
{
    const QString NewName = Text1->text();
    if (NewName.isEmpty()) {
        dm.Msg(this, QStringLiteral("新ファイル名を入力してください。"), MsgIcon::Exclamation,
               MsgButtons::Ok, Caption);
        return;
    }
    const QString newPath = QDir::current().absoluteFilePath(NewName);
    const QFileInfo target(newPath);
    if (target.isDir()) {
        dm.Msg(this, NewName + QStringLiteral(" はフォルダのため、変換先にできません。"),
               MsgIcon::Exclamation, MsgButtons::Ok, Caption);
        return;
    }
    // The open book under another spelling is still the open book.
    const bool openBook = Conversion::samePath(newPath, dm.DataFilePath());
    int Replace = openBook ? 2 : 0;
    if (target.exists()) {
        dm.Msg(this, NewName + QStringLiteral(" は既に存在します。") + QLatin1Char('\n')
                   + QStringLiteral("上書きしますか？"),
               MsgIcon::Exclamation, MsgButtons::YesNo, Caption);
        if (dm.MsgAnswer != MsgAnswerCode::Yes)
            return;
        Replace = openBook ? 2 : 1;
    }

    int ConvertTarget = -1;
    for (int i = 0; i < 4 && ConvertTarget < 0; ++i)
        if (Option1[i]->isChecked() && Option1[i]->isEnabled())
            ConvertTarget = i;
    if (ConvertTarget < 0)
        return;

    Pointer::Hourglass hourglass(dm.SavedPointer);
    try {
        Conversion::ConvertBook(dm, newPath, ConvertTarget, Replace == 2);
        if (Replace == 2) {
            // The main window follows the book's new format, count and date.
            dm.SetLabel(MainWindowLink::FormatLabel,
                        ConvertTarget == Conversion::FixedTarget
                            ? QStringLiteral("固定長")
                            : QStringLiteral("可変長　") + Conversion::labelOf(ConvertTarget));
            dm.ShowChange(false);
            showFormat();
        }
        hourglass.restore();
        dm.Msg(this, QStringLiteral("データ変換完了"));
        dm.CallTrace.clear();
    } catch (const RunError &error) {
        dm.ErrReport(QStringLiteral("CHANDATA"), error.description(), this);
    }
}

void ChanData::Command2_Click()
{
    reject();
}

void ChanData::Form_Unload()
{
    if (unloaded)
        return;
    unloaded = true;
    dm.UnlockMainMenus();
}

void ChanData::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}
