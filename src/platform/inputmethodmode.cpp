#include "platform/inputmethodmode.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFocusEvent>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

namespace {

bool keepsInputMethodOut(ImeMode mode)
{
    return mode == ImeMode::Off || mode == ImeMode::Disabled;
}

// Watches one box: answers the input method's question whether it may reach
// the box, puts the attribute back after every change of state, and commits a
// composition before the focus leaves.
class ModeKeeper : public QObject {
public:
    static constexpr const char *Name = "kanote-input-method-mode";

    ModeKeeper(QWidget *box, ImeMode mode) : QObject(box), box(box), mode(mode)
    {
        setObjectName(QLatin1String(Name));
    }

    void setMode(ImeMode m)
    {
        mode = m;
        applyAttribute();
    }
    ImeMode currentMode() const { return mode; }
    const QString &composition() const { return preedit; }

    void applyAttribute()
    {
        if (keepsInputMethodOut(mode)) {
            box->setAttribute(Qt::WA_InputMethodEnabled, false);
            // Where an input method ignores the attribute, it still learns
            // that the box wants plain Latin characters.
            box->setInputMethodHints(box->inputMethodHints() | Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
        } else {
            // A line edit takes input-method text only while editable (it
            // keeps the attribute itself from here on).
            const auto *line = qobject_cast<QLineEdit *>(box);
            box->setAttribute(Qt::WA_InputMethodEnabled, !(line && line->isReadOnly()));
            box->setInputMethodHints(box->inputMethodHints() & ~(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText));
        }
        if (box->hasFocus() && QGuiApplication::focusObject() == box)
            QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImHints);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != box)
            return false;
        switch (event->type()) {
        case QEvent::InputMethodQuery: {
            auto *query = static_cast<QInputMethodQueryEvent *>(event);
            if (!(query->queries() & Qt::ImEnabled) || !keepsInputMethodOut(mode))
                return false;
            // Let the box answer everything else, then overrule ImEnabled.
            static_cast<QObject *>(box)->event(event);
            query->setValue(Qt::ImEnabled, false);
            return true;
        }
        case QEvent::InputMethod: {
            const auto *input = static_cast<QInputMethodEvent *>(event);
            if (!taking && !takenIn.isEmpty()) {
                // Input methods that commit on their own when the focus has
                // gone (mozc does, a moment later) would bring the text in a
                // second time.
                if (input->commitString() == takenIn && input->preeditString().isEmpty()
                    && sinceTaken.elapsed() < EchoMs) {
                    takenIn.clear();
                    return true;
                }
                if (!input->commitString().isEmpty() || !input->preeditString().isEmpty())
                    takenIn.clear();
            }
            preedit = input->preeditString();
            return false;
        }
        case QEvent::ReadOnlyChange:
        case QEvent::EnabledChange:
        case QEvent::FocusIn:
        case QEvent::Show:
            // A box made editable again turns the input method back on; put the mode back.
            if (keepsInputMethodOut(mode) && box->testAttribute(Qt::WA_InputMethodEnabled))
                box->setAttribute(Qt::WA_InputMethodEnabled, false);
            return false;
        case QEvent::FocusAboutToChange:
            // The box still has the focus: the input method commits to it.
            if (!preedit.isEmpty() && QGuiApplication::focusObject() == box) {
                QGuiApplication::inputMethod()->commit();
                if (!preedit.isEmpty()) {
                    takeComposition();
                    QGuiApplication::inputMethod()->reset();
                }
            }
            return false;
        case QEvent::FocusOut: {
            // The focus left without warning (or the input method kept the
            // text). A menu opening or another window coming to the front
            // leaves the composition to go on when the focus returns.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (!preedit.isEmpty() && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason
                && reason != Qt::MenuBarFocusReason)
                takeComposition();
            return false;
        }
        default:
            return false;
        }
    }

private:
    // The composed text goes into the box as if the input method had committed it.
    void takeComposition()
    {
        QInputMethodEvent commit;
        commit.setCommitString(preedit);
        takenIn = preedit;
        sinceTaken.start();
        preedit.clear();
        taking = true;
        QCoreApplication::sendEvent(box, &commit);
        taking = false;
    }

    // How long after the box took a composition in the input method's own
    // commit of it may still arrive.
    static constexpr qint64 EchoMs = 2000;

    QWidget *box;
    ImeMode mode;
    QString preedit;
    QString takenIn; // what the box took in itself, until the input method's echo
    QElapsedTimer sinceTaken;
    bool taking = false;
};

ModeKeeper *keeperOf(const QWidget *box)
{
    // Found by its name: without a meta-object of its own, a search by type
    // would take any child (the box's validator, say) for it.
    QObject *keeper = box ? box->findChild<QObject *>(QLatin1String(ModeKeeper::Name), Qt::FindDirectChildrenOnly)
                          : nullptr;
    return static_cast<ModeKeeper *>(keeper);
}

} // namespace

void setImeMode(QWidget *box, ImeMode mode)
{
    if (!box)
        return;
    ModeKeeper *keeper = keeperOf(box);
    if (!keeper) {
        keeper = new ModeKeeper(box, mode);
        box->installEventFilter(keeper);
    }
    keeper->setMode(mode);
}

ImeMode imeModeOf(const QWidget *box)
{
    const ModeKeeper *keeper = keeperOf(box);
    return keeper ? keeper->currentMode() : ImeMode::NotControlled;
}

bool inputMethodReaches(QWidget *box)
{
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(box, &query);
    return box->isEnabled() && query.value(Qt::ImEnabled).toBool();
}

QString pendingComposition(const QWidget *box)
{
    const ModeKeeper *keeper = keeperOf(box);
    return keeper ? keeper->composition() : QString();
}
