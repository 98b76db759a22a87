#include "edit/entryform.h"

#include "platform/codec.h"
#include "platform/twips.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>

void setImeMode(QLineEdit *box, ImeMode mode)
{
    box->setAttribute(Qt::WA_InputMethodEnabled, mode != ImeMode::Off && mode != ImeMode::Disabled);
}

namespace {

// The characters of `text` that CP932 cannot hold: each is written as "?",
// and "?" is never the second byte of a double-byte character.
int unheldCharacters(const QString &text, const QByteArray &bytes)
{
    return int(bytes.count('?') - text.count(QLatin1Char('?')));
}

} // namespace

ByteLimitValidator::ByteLimitValidator(int byteLimit, QLineEdit *box)
    : QValidator(box), limit(byteLimit)
{
    auto track = [this](const QString &text) {
        const QByteArray bytes = Cp932::encode(text);
        current = int(bytes.size());
        currentUnheld = unheldCharacters(text, bytes);
    };
    track(box->text());
    connect(box, &QLineEdit::textChanged, this, track);
}

QValidator::State ByteLimitValidator::validate(QString &input, int &pos) const
{
    // The boxes hold one line: line breaks in typed or pasted text are
    // dropped, so that a record never spans two lines of a text book.
    if ((loaded.isNull() || input != loaded)
        && (input.contains(QLatin1Char('\r')) || input.contains(QLatin1Char('\n')))) {
        QString oneLine;
        oneLine.reserve(input.size());
        int caret = pos;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar c = input.at(i);
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                if (i < pos)
                    --caret;
                continue;
            }
            oneLine += c;
        }
        input = oneLine;
        pos = caret;
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
    if (state == Invalid && !loaded.isNull() && input == loaded)
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
    setImeMode(box, mode);
    return box;
}
