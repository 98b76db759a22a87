#include "edit/postalassist.h"

#include "edit/formdialog.h"
#include "edit/postalchoice.h"
#include "postal/postalcode.h"
#include "postal/postaldictionary.h"
#include "store/blanks.h"
#include "store/datamodule.h"

#include "platform/codec.h"

#include <QAction>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int AddressBytes = 40; // 住所１

const QString ZipCaption = QStringLiteral("郵便番号から住所");
const QString AddressCaption = QStringLiteral("住所から郵便番号");

bool isEmpty(const QLineEdit *box)
{
    return trimBlanks(box->text()).isEmpty();
}

// The dictionary, or null after telling the user why there is none.
const PostalDictionary *dictionaryFor(DataModule &dm, QWidget *parent, const QString &caption)
{
    const PostalDictionary &dictionary = PostalDictionary::shared();
    if (dictionary.isLoaded())
        return &dictionary;
    dm.Msg(parent, dictionary.failure(), MsgIcon::Exclamation, MsgButtons::Ok, caption);
    return nullptr;
}

} // namespace

PostalAssist::PostalAssist(DataModule &data, FormDialog *owner, QLineEdit *code, QLineEdit *address,
                           QMenu *editMenu)
    : QObject(owner), dm(data), form(owner), codeBox(code), addressBox(address)
{
    setObjectName(QStringLiteral("PostalAssist"));
    editMenu->addSeparator()->setObjectName(QStringLiteral("Menu_Ed_Sep"));
    Menu_Ed_Zip = editMenu->addAction(QStringLiteral("郵便番号から住所(&Z)"));
    Menu_Ed_Zip->setObjectName(QStringLiteral("Menu_Ed_Zip"));
    Menu_Ed_Zip->setShortcut(QKeySequence(Qt::Key_F8));
    Menu_Ed_Jusho = editMenu->addAction(QStringLiteral("住所から郵便番号(&Y)"));
    Menu_Ed_Jusho->setObjectName(QStringLiteral("Menu_Ed_Jusho"));
    Menu_Ed_Jusho->setShortcut(QKeySequence(Qt::Key_F7));
    connect(Menu_Ed_Zip, &QAction::triggered, this, &PostalAssist::Menu_Ed_Zip_Click);
    connect(Menu_Ed_Jusho, &QAction::triggered, this, &PostalAssist::Menu_Ed_Jusho_Click);

    connect(codeBox, &QLineEdit::textEdited, this, [this] { typed = true; });
    codeBox->installEventFilter(this);
    addressBox->installEventFilter(this);
    connect(addressBox, &QLineEdit::selectionChanged, this, [this] {
        if (!undoFocusSelection || !addressBox->hasSelectedText())
            return;
        undoFocusSelection = false;
        addressBox->deselect();
        addressBox->end(false);
    });
}

void PostalAssist::setEnabled(bool on)
{
    enabled = on;
    Menu_Ed_Zip->setEnabled(on);
    Menu_Ed_Jusho->setEnabled(on);
}

bool PostalAssist::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == codeBox && event->type() == QEvent::FocusOut)
        Text2_LostFocus(static_cast<QFocusEvent *>(event)->reason());
    if (watched == addressBox && event->type() == QEvent::FocusIn && caretToEnd) {
        // The box takes the focus as ever (Tab selects all of it); the
        // selection that comes with this focus-in is undone at once.
        caretToEnd = false;
        undoFocusSelection = true;
        QTimer::singleShot(0, this, [this] { undoFocusSelection = false; });
    }
    return QObject::eventFilter(watched, event);
}

QString PostalAssist::addressFor(const PostalArea &area)
{
    // Never a name cut short: without the 都道府県, or for a building only
    // the town it stands in (its name then goes into 住所２ by hand).
    const QString full = area.address();
    if (Cp932::byteLength(full) <= AddressBytes)
        return full;
    if (Cp932::byteLength(area.cityAndTown()) <= AddressBytes)
        return area.cityAndTown();
    const QString inTown = area.prefecture + area.city + area.baseTown;
    if (!area.baseTown.isEmpty() && Cp932::byteLength(inTown) <= AddressBytes)
        return inTown;
    return Cp932::cutText(area.cityAndTown(), AddressBytes);
}

void PostalAssist::fill(int code, const PostalArea &area)
{
    addressBox->setText(addressFor(area));
    addressBox->deselect();
    addressBox->end(false);
    caretToEnd = true;
    codeBox->setText(PostalCodes::format(code));
}

int PostalAssist::choose(const QString &caption, const QString &prompt, const QStringList &entries)
{
    PostalChoice choice(dm, form, caption, prompt, entries);
    choice.showModal();
    return choice.chosen();
}

void PostalAssist::Text2_LostFocus(Qt::FocusReason reason)
{
    // The window or a menu took the focus for a moment: the user has not
    // left the box.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    if (!enabled || !typed || form->isUnloaded() || !isEmpty(addressBox))
        return;
    const int code = PostalCodes::parse(codeBox->text());
    if (code < 0)
        return;
    const PostalDictionary &dictionary = PostalDictionary::shared();
    const QList<PostalArea> areas = dictionary.areas(code);
    if (areas.isEmpty())
        return;
    if (areas.size() == 1) {
        fill(code, areas.first());
        typed = false;
        return;
    }
    // A mnemonic took the focus to a button, which is about to be pressed:
    // no list in its way.
    if (reason == Qt::ShortcutFocusReason)
        return;
    const QString codeText = codeBox->text();
    QTimer::singleShot(0, this, [this, code, codeText] { offerAreas(code, codeText); });
}

void PostalAssist::offerAreas(int code, const QString &codeText)
{
    if (form->isUnloaded() || !enabled || codeBox->text() != codeText || !isEmpty(addressBox))
        return;
    const QList<PostalArea> areas = PostalDictionary::shared().areas(code);
    QStringList entries;
    for (const PostalArea &area : areas)
        entries << area.address();
    const int chosen = choose(QStringLiteral("住所の選択"),
                              QStringLiteral("郵便番号 %1 の地域を選んでください(&L)：").arg(PostalCodes::format(code)),
                              entries);
    typed = false;
    if (chosen >= 0 && !form->isUnloaded() && isEmpty(addressBox))
        fill(code, areas[chosen]);
}

void PostalAssist::Menu_Ed_Zip_Click()
{
    if (!enabled)
        return;
    const int code = PostalCodes::parse(codeBox->text());
    if (code < 0) {
        dm.Msg(form, QStringLiteral("郵便番号を７桁の数字で入力してください。（例：100-0001）"),
               MsgIcon::Exclamation, MsgButtons::Ok, ZipCaption);
        return;
    }
    const PostalDictionary *dictionary = dictionaryFor(dm, form, ZipCaption);
    if (!dictionary)
        return;
    const QList<PostalArea> areas = dictionary->areas(code);
    if (areas.isEmpty()) {
        dm.Msg(form,
               QStringLiteral("郵便番号 %1 は郵便番号辞書（%2）にありません。")
                   .arg(PostalCodes::format(code), dictionary->dateText()),
               MsgIcon::Exclamation, MsgButtons::Ok, ZipCaption);
        return;
    }
    int chosen = 0;
    if (areas.size() > 1) {
        QStringList entries;
        for (const PostalArea &area : areas)
            entries << area.address();
        chosen = choose(QStringLiteral("住所の選択"),
                        QStringLiteral("郵便番号 %1 の地域を選んでください(&L)：").arg(PostalCodes::format(code)),
                        entries);
        if (chosen < 0)
            return;
    }
    const QString address = addressFor(areas[chosen]);
    if (!isEmpty(addressBox) && addressBox->text() != address) {
        dm.Msg(form,
               QStringLiteral("住所１「%1」を「%2」に置き換えますか？").arg(addressBox->text(), address),
               MsgIcon::Question, MsgButtons::YesNo, ZipCaption);
        if (dm.MsgAnswer != MsgAnswerCode::Yes)
            return;
    }
    fill(code, areas[chosen]);
    typed = false;
}

void PostalAssist::Menu_Ed_Jusho_Click()
{
    if (!enabled)
        return;
    if (isEmpty(addressBox)) {
        dm.Msg(form, QStringLiteral("住所１に住所を入力してください。"), MsgIcon::Exclamation,
               MsgButtons::Ok, AddressCaption);
        return;
    }
    const PostalDictionary *dictionary = dictionaryFor(dm, form, AddressCaption);
    if (!dictionary)
        return;
    const QList<PostalArea> found = dictionary->byAddress(addressBox->text());
    // An area that stands for a whole prefix (a building whose floors have
    // codes of their own) names no single code.
    QList<PostalArea> areas;
    for (const PostalArea &area : found) {
        const bool listed = std::any_of(areas.cbegin(), areas.cend(),
                                        [&](const PostalArea &a) { return a.code == area.code; });
        if (!area.wholePrefix && !listed)
            areas.append(area);
    }
    if (areas.isEmpty()) {
        const QString text = found.isEmpty()
            ? QStringLiteral("住所１「%1」に当たる郵便番号は、郵便番号辞書（%2）にありません。")
                  .arg(addressBox->text(), dictionary->dateText())
            : QStringLiteral("「%1」の郵便番号は階や番地によって分かれているため、住所からは決められません。")
                  .arg(found.first().address());
        dm.Msg(form, text, MsgIcon::Exclamation, MsgButtons::Ok, AddressCaption);
        return;
    }
    int chosen = 0;
    if (areas.size() > 1) {
        QStringList entries;
        for (const PostalArea &area : areas)
            entries << PostalCodes::format(area.code) + QStringLiteral("　") + area.address();
        chosen = choose(QStringLiteral("郵便番号の選択"),
                        QStringLiteral("住所１に当たる郵便番号が %1 件あります。選んでください(&L)：").arg(areas.size()),
                        entries);
        if (chosen < 0)
            return;
    }
    const int code = areas[chosen].code;
    const QString written = PostalCodes::format(code);
    if (!isEmpty(codeBox) && PostalCodes::parse(codeBox->text()) != code) {
        dm.Msg(form, QStringLiteral("郵便番号「%1」を「%2」に置き換えますか？").arg(codeBox->text(), written),
               MsgIcon::Question, MsgButtons::YesNo, AddressCaption);
        if (dm.MsgAnswer != MsgAnswerCode::Yes)
            return;
    }
    codeBox->setText(written);
    typed = false;
}
