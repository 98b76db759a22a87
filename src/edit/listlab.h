#pragma once
// ListLab — the list view (一覧表示): the book as a grid of twelve rows.
// 一覧表示: the open book as a grid of twelve rows, one record a row. On the
// left a fixed pane of names, on its right a wide pane with the other fields
// as one line of fixed-width columns a row, ruled by vertical lines; the wide
// pane scrolls sideways, the rows page through the book. From here records
// are added, corrected, deleted and duplicated.
#include <QDialog>
#include <QLabel>
#include <array>

class DataModule;
class QAction;
class QFrame;
class QMenu;
class QMenuBar;
class QScrollBar;

// A name label of the grid: a border while the mouse button is down, and a
// double-click that selects its row.
class ListNameLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

class ListLab : public QDialog {
    Q_OBJECT
public:
    static constexpr int Rows = 12;

    ListLab(DataModule &dm, QWidget *parent = nullptr);
    ~ListLab() override;

    void Form_Load();
    void Form_Resize();
    void Form_Unload();

    void HScroll1_Change();
    void VScroll1_Change();
    void LabN_DblClick(int row);

    // 一覧表示
    void Menu_End_Click();
    // 編集
    void M_E_Add_Click();
    void M_E_Chan_Click();
    void M_E_Del_Click();
    void M_E_Copy_Click();
    // 頁移動
    void M_I_A_Click();
    void M_I_B_Click();
    // ﾍﾙﾌﾟ
    void M_H_Use_Click();

    // Shows records TopRecord ... TopRecord + 11 and clears the selection.
    void FillPage();
    void ShowRow(int row);

    // Controls.
    QMenuBar *MenuBar;
    QMenu *M_Disp;
    QAction *Menu_End;
    QMenu *M_Edit;
    QAction *M_E_Add;
    QAction *M_E_Chan;
    QAction *M_E_Del;
    QAction *M_E_Copy;
    QMenu *M_I;
    QAction *M_I_A;
    QAction *M_I_B;
    QMenu *M_H;
    QAction *M_H_Use;

    QWidget *Client;   // the client area below the menu bar
    QWidget *Picture1; // fixed name pane
    QLabel *LabNT;
    std::array<ListNameLabel *, Rows> LabN{};
    QWidget *Pic;      // scrolling pane
    QLabel *LabT;
    std::array<QLabel *, Rows> Lab{};
    std::array<QFrame *, 9> Line{}; // Line[1] ... Line[8]
    QScrollBar *HScroll1;
    QScrollBar *VScroll1;

    // Window state.
    qint16 TopRecord = 1;
    qint16 SelectedRow = 0;

    // Row colours.
    static QColor selectedColour() { return QColor(255, 0, 0); }
    static QColor clearedColour() { return QColor(255, 255, 255); }

    // Widths in twips, for tests and resizing.
    int innerWidthTwips() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void done(int result) override;
    // Page Down and Page Up are 次頁 and 前頁; Escape is 閉じる.
    void keyPressEvent(QKeyEvent *event) override;
    // The wheel over the grid moves the rows as the vertical scroll bar
    // does (sideways wheels move the wide pane).
    void wheelEvent(QWheelEvent *event) override;

private:
    void buildMenus();
    void buildControls();
    void setRowColour(int row, const QColor &colour);
    void setVScrollMaximum();
    void listMessage(int number);
    // The three labels of the main window and the grid after a change.
    void afterChange();

    DataModule &dm;
    bool unloaded = false;
};
