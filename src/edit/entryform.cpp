#include "edit/entryform.h"

#include "platform/codec.h"
#include "platform/twips.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>

InputWidth inputWidthOf(ImeMode mode)
{
    switch (mode) {
    case ImeMode::HalfKatakana: return InputWidth::HalfWidthKana;
    case ImeMode::Off: return InputWidth::HalfWidthAscii;
    default: return InputWidth::AsTyped;
    }
}

namespace {

// The characters of `text` that CP932 cannot hold: each is written as "?",
// and "?" is never the second byte of a double-byte character.
int unheldCharacters(const QString &text, const QByteArray &bytes)
{
    return int(bytes.count('?') - text.count(QLatin1Char('?')));
}

// What an edit changed: text[start, start + length) came in between the
// unchanged beginning and end of the text before it. `caret` (after the
// edit) tells where the new text ends when the same characters repeat.
struct Edit {
    qsizetype start;
    qsizetype length;
};

Edit editBetween(const QString &before, const QString &after, int caret)
{
    qsizetype tail = qBound<qsizetype>(0, after.size() - caret, after.size());
    if (tail > before.size() || QStringView(before).right(tail) != QStringView(after).right(tail)) {
        tail = 0;
        while (tail < before.size() && tail < after.size()
               && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
            ++tail;
    }
    const qsizetype most = qMin(before.size(), after.size()) - tail;
    qsizetype head = 0;
    while (head < most && before[head] == after[head])
        ++head;
    return {head, after.size() - tail - head};
}

bool isSoundMark(QChar c)
{
    return c.unicode() == 0xFF9E || c.unicode() == 0xFF9F; // ﾞ ﾟ
}

// The longest beginning of `text` that fits in `room` CP932 bytes, cut
// between characters: a surrogate pair stays whole, and a half-width kana
// never loses the ﾞ or ﾟ after it (ｾﾞ cut to ｾ would be another sound).
QString fitting(const QString &text, int room)
{
    int used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const qsizetype step = text[end].isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        const int bytes = Cp932::byteLength(text.mid(end, step));
        if (used + bytes > room)
            break;
        used += bytes;
        end += step;
    }
    if (end > 0 && end < text.size() && isSoundMark(text[end]) && !isSoundMark(text[end - 1]))
        --end;
    return text.left(end);
}

QString withoutLineBreaks(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

} // namespace

ByteLimitValidator::ByteLimitValidator(int byteLimit, QLineEdit *box)
    : QValidator(box), limit(byteLimit)
{
    auto track = [this](const QString &text) {
        const QByteArray bytes = Cp932::encode(text);
        current = int(bytes.size());
        currentUnheld = unheldCharacters(text, bytes);
        previous = text;
    };
    track(box->text());
    connect(box, &QLineEdit::textChanged, this, track);
}

QValidator::State ByteLimitValidator::validate(QString &input, int &pos) const
{
    const bool isLoaded = !loaded.isNull() && input == loaded;
    if (!isLoaded) {
        // Only what came in is changed: one line, in the box's width.
        const Edit edit = editBetween(previous, input, pos);
        const QString head = input.left(edit.start);
        const QString tail = input.mid(edit.start + edit.length);
        QString typed = toInputWidth(withoutLineBreaks(input.mid(edit.start, edit.length)), inputWidth);
        const QByteArray typedBytes = Cp932::encode(typed);
        // A character that cannot be stored is refused with everything
        // that came with it.
        if (unheldCharacters(typed, typedBytes) > 0)
            return Invalid;
        // What does not fit is left out, never half a character.
        if (limit > 0)
            typed = fitting(typed, qMax(0, limit - Cp932::byteLength(head) - Cp932::byteLength(tail)));
        input = head + typed + tail;
        pos = int(head.size() + typed.size());
    }
    const QByteArray bytes = Cp932::encode(input);
    const int length = int(bytes.size());
    const int unheld = unheldCharacters(input, bytes);
    State state;
    if (unheld > currentUnheld)
        state = Invalid;
    else if (limit <= 0 || length <= limit)
        state = unheld > 0 ? Intermediate : Acceptable;
    else
        state = length < current ? Intermediate : Invalid;
    // A loaded value is never refused: refusing it would also let the user's
    // next edit past the limits.
    if (state == Invalid && isLoaded)
        state = Intermediate;
    return state;
}

void setMaxBytes(QLineEdit *box, int limit)
{
    box->setValidator(new ByteLimitValidator(limit, box));
}

void loadBoxText(QLineEdit *box, const QString &text)
{
    auto *limits = box->findChild<ByteLimitValidator *>(QString(), Qt::FindDirectChildrenOnly);
    if (limits)
        limits->allowLoaded(text.isNull() ? QStringLiteral("") : text);
    box->setText(text);
    if (limits)
        limits->allowLoaded(QString());
}

void updateEditMenu(QWidget *active, QAction *cut, QAction *copy, QAction *paste, QAction *del)
{
    auto *box = qobject_cast<QLineEdit *>(active);
    const bool selection = box && box->hasSelectedText();
    cut->setEnabled(selection);
    copy->setEnabled(selection);
    paste->setEnabled(box != nullptr);
    del->setEnabled(box != nullptr);
}

void EditCut(QWidget *active)
{
    auto *box = qobject_cast<QLineEdit *>(active);
    if (!box)
        return;
    QGuiApplication::clipboard()->setText(box->selectedText());
    box->insert(QString());
}

void EditCopy(QWidget *active)
{
    auto *box = qobject_cast<QLineEdit *>(active);
    if (!box)
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(box->selectedText());
}

void EditPaste(QWidget *active)
{
    auto *box = qobject_cast<QLineEdit *>(active);
    if (!box)
        return;
    box->insert(QGuiApplication::clipboard()->text());
}

void EditDelete(QWidget *active)
{
    auto *box = qobject_cast<QLineEdit *>(active);
    if (!box)
        return;
    if (!box->hasSelectedText()) {
        const int caret = box->cursorPosition();
        if (caret >= box->text().size())
            return;
        box->setSelection(caret, 1);
    }
    box->insert(QString());
}

QLineEdit *makeEntryBox(QWidget *area, int n, int top, int width, int height, ImeMode mode)
{
    auto *box = new QLineEdit(area);
    box->setObjectName(QStringLiteral("Text%1").arg(n));
    box->setGeometry(Twips::rect(1200, top, width, height));
    setMaxBytes(box, EntryMaxBytes[n]);
    if (auto *limits = box->findChild<ByteLimitValidator *>(QString(), Qt::FindDirectChildrenOnly))
        limits->setInputWidth(inputWidthOf(mode));
    setImeMode(box, mode);
    return box;
}
