#pragma once
// CrctData — the correction form (データ修正/削除): one record to correct and store, or to delete.
// CrctData "データ修正/削除": shows record CurrentRecord of the open book in
// ten boxes and either lets the user correct and store it (ﾌｧｲﾙ更新, 復帰,
// the unsaved-changes question on closing) or delete it, record after record.
//
// How a caller opens it (the main window's 修正 / 削除, the list view's
// 修正 / 削除):
//   1. set dm.CurrentRecord to the record to show (1 ... RecordCount);
//   2. CrctData form(dm, parent);   // loads: locks the main menus, shows the record
//   3. form.prepare(CrctData::Mode::Correct) or prepare(CrctData::Mode::Delete);
//   4. form.showModal();
// prepare(Correct): caption "データ修正", the ten boxes in the tab order,
// 削除(&S) (Command3) hidden, ﾌｧｲﾙ更新 / 復帰 shown, 編集 menu enabled.
// prepare(Delete): caption "データ削除", the boxes out of the tab order
// (still editable with the mouse, never stored), Command3 shown, Command1
// and Command2 hidden, 編集 menu disabled.
// On closing (any route) a correction with edits not yet stored asks
// whether to store them; then CurrentRecord is set to 1 and the main menus
// are unlocked. Should that store fail (reported), the window stays open
// with the edits. Deleting the last remaining record closes the window itself.
#include "edit/recordform.h"

#include <array>

class QLabel;
class QPushButton;

class CrctData : public RecordForm {
    Q_OBJECT
public:
    enum class Mode { Correct, Delete };

    CrctData(DataModule &dm, QWidget *parent);

    // Sets the window up for correction or deletion (see above).
    void prepare(Mode mode);

    void Form_Load();
    // Shows record CurrentRecord; SavedText = EditedText = what is shown.
    void LoadRecord();
    // TextN_Change: EditedText[n + 1] = the box's text.
    void Text_Change(int n) override;
    void Command1_Click(); // ﾌｧｲﾙ更新: store
    void Command2_Click(); // 復帰: show the stored record again
    void Command3_Click(); // 削除
    void Command4_Click(); // 閉じる

    std::array<QLabel *, 10> Label1{};   // field captions, objectName Label1_0 ... Label1_9
    QLabel *Label10, *Label11;
    QPushButton *Command1, *Command2, *Command3, *Command4;

    // Form state, 1 ... 10.
    std::array<QString, 11> EditedText;
    std::array<QString, 11> SavedText;

protected:
    bool Form_QueryUnload() override;
    void Form_Unload() override;

private:
    void buildControls();
    // The store of ﾌｧｲﾙ更新 and of Yes to the closing question.
    bool store(const QString &handler);
};
