// The ﾍﾙﾌﾟ menu: help contents and keywords, debug switch, version box.
#include "app/adrsbook.h"

#include "postal/postaldictionary.h"
#include "store/datamodule.h"

#include "platform/helpsystem.h"

namespace Version {
constexpr int Major = 1;
constexpr int Minor = 4;
constexpr int Revision = 14;
}

void Adrsbook::Help_Mokuji_Click()
{
    dm.Platform.Help->request(this, dm.HelpFile, HelpCommand::Contents);
}

void Adrsbook::Help_Key_Click()
{
    dm.Platform.Help->request(this, dm.HelpFile, HelpCommand::PartialKey, 0, QString());
}

void Adrsbook::Help_Ver_Click()
{
    QString text = QStringLiteral("「かのて住所録」 ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
                       .arg(Version::Major)
                       .arg(Version::Minor)
                       .arg(Version::Revision);
    // The date of the postal-code data the program carries.
    const PostalDictionary &postal = PostalDictionary::shared();
    if (postal.isLoaded())
        text += QStringLiteral("\n郵便番号データ ") + postal.dateText();
    dm.Msg(this, text, MsgIcon::Information);
}

void Adrsbook::Menu_File_To_Click()
{
    const bool on = dm.Settings.DebugMode == 1;
    const QString question = QStringLiteral("ご使用ありがとうございます。\nフリーウェアです。\n\n")
        + (on ? QStringLiteral("デバッグ状態をやめますか？") : QStringLiteral("デバッグ状態にしますか？"));
    if (dm.Msg(this, question, MsgIcon::Question, MsgButtons::YesNo) == MsgAnswerCode::Yes)
        dm.Settings.DebugMode = dm.Settings.DebugMode == 0 ? 1 : 0;
}
