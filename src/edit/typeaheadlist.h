#pragma once
// A list box that hands what the user types to its window instead of
// searching by itself: a key's text and a text an input method commits
// both arrive as typed(). Navigation keys (arrows, Enter, Home, End) keep
// their ordinary meaning.
#include <QListWidget>

class TypeAheadList : public QListWidget {
    Q_OBJECT
public:
    explicit TypeAheadList(QWidget *parent = nullptr);

    void keyboardSearch(const QString &text) override;
    // The input method stays on for the list, as for a text box.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    void typed(const QString &text);

protected:
    void inputMethodEvent(QInputMethodEvent *event) override;
};
