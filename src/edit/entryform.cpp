#include "edit/entryform.h"

#include "platform/codec.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>

void setImeMode(QLineEdit *box, ImeMode mode)
{
    box->setAttribute(Qt::WA_InputMethodEnabled, mode != ImeMode::Off && mode != ImeMode::Disabled);
}

ByteLimitValidator::ByteLimitValidator(int byteLimit, QLineEdit *box)
    : QValidator(box), limit(byteLimit), current(Cp932::byteLength(box->text()))
{
    connect(box, &QLineEdit::textChanged, this,
            [this](const QString &text) { current = Cp932::byteLength(text); });
}

QValidator::State ByteLimitValidator::validate(QString &input, int &) const
{
    const int bytes = Cp932::byteLength(input);
    if (bytes <= limit)
        return Acceptable;
    return bytes < current ? Intermediate : Invalid;
}

void setMaxBytes(QLineEdit *box, int limit)
{
    if (limit > 0)
        box->setValidator(new ByteLimitValidator(limit, box));
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
