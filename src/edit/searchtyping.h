#pragma once
// Typing in the search dialog's list (検索): the list jumps to the first
// entry that begins with what has been typed so far, whether it shows names
// or readings. Window-free, so that the rule is the same wherever a list of
// names or readings is searched by typing.
//
// Text is compared in one folded form: hiragana and full-width katakana (as an
// input method commits them) become half-width katakana, as the ﾌﾘｶﾞﾅ box
// keeps readings (Kana::toHalfWidthKatakana); full-width letters and digits
// become half-width, letters ignore case, and blanks (the one between family
// and given name) are left out. So "やま", "ヤマ" and "ﾔﾏ" all find the
// reading "ﾔﾏﾀﾞ ﾀﾛｳ" and the name "ヤマダ", and "山田" finds "山田　太郎". Both
// lists use the same rule: what cannot match one list (kanji in readings)
// simply finds nothing there.
#include <QString>
#include <QStringList>

namespace SearchTyping {

// The folded form in which typed text and entries are compared.
QString comparable(const QString &text);

// The 0-based index of the first entry that begins with `typed` in the folded
// form, or -1 when none does (or `typed` folds to nothing).
int firstEntryBeginningWith(const QString &typed, const QStringList &entries);

} // namespace SearchTyping

// What has been typed so far: keys and committed input-method texts gather
// while they come in quick succession; after a pause of a second or more the
// next one starts afresh. Times are milliseconds of any steady clock, given
// by the caller (so the pause is tested without waiting).
class TypedPrefix {
public:
    static constexpr qint64 PauseMs = 1000;

    // Adds `text`, typed at `nowMs`, and returns everything typed so far.
    QString add(const QString &text, qint64 nowMs);
    // Starts afresh (the list was filled again).
    void clear() { typed.clear(); }
    const QString &text() const { return typed; }

private:
    QString typed;
    qint64 lastMs = 0;
};
