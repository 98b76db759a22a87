#pragma once
// The main window: shows which address book is open, offers every command
// through its menus and tool bar, and runs the start-up and shutdown.
#include "store/mainwindowlink.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class DataModule;
class PrinCard;
class QAction;
class QLabel;
class QMenu;
class ToolBarPicture;

class Adrsbook : public QMainWindow, public MainWindowLink {
    Q_OBJECT
public:
    explicit Adrsbook(DataModule &data, QWidget *parent = nullptr);

    // Start-up: settings, greeting, and the file named on the command line.
    void Form_Load(const QString &commandLine);
    // Shutdown: writes the settings and lets the help window go.
    void Form_Unload();
    void Form_OLEDragDrop(const QString &path);
    // A second start handed over its command line (empty: nothing to open)
    // and the folder it was started in: the window comes to the front and
    // the file is opened as one named on the program's own command line.
    void OpenHandedFile(const QString &folder, const QString &commandLine);

    // ファイル
    void Menu_File_Open_Click(int index);
    void Prm_Open();
    void Menu_File_Close_Click();
    void Menu_File_Hozon_Click();
    void Menu_File_SRead_Click();
    // Exchange with other programs: CSV with a header row, and vCard.
    void Menu_File_Import_Click();
    void Menu_File_Export_Click();
    void Menu_File_Kugiri_Click();
    void Menu_File_Quit_Click();
    // 編集
    void Menu_Edit_Add_Click();
    void Menu_Edit_Correct_Click();
    void Menu_Edit_Delete_Click();
    void Menu_Edit_Change_Click();
    void Menu_Edit_Sort_Click();
    // 表示
    void Menu_Disp_Search_Click();
    void MeNu_Disp_List_Click();
    void Menu_Disp_Print_Click();
    void Menu_Disp_All_Click();
    void Menu_Disp_Postal_Click(); // 郵便番号の確認
    // ﾍﾙﾌﾟ
    void Help_Mokuji_Click();
    void Help_Key_Click();
    void Menu_File_To_Click();
    void Help_Ver_Click();
    // Tool bar, in its own pixels.
    void ToolBar_MouseDown(int x, int y);
    void ToolBar_MouseMove(int x, int y);
    void ToolBar_MouseUp(int x, int y);

    // MainWindowLink
    void LockMainMenus() override;
    void UnlockMainMenus() override;
    void SetStatusLabel(Label label, const QString &text) override;
    QString StatusLabel(Label label) const override;

    // Menus and their entries.
    QMenu *Menu_File;
    std::array<QAction *, 2> Menu_File_Open{};
    QAction *Menu_File_Close;
    QAction *Menu_File_Hozon;
    QAction *Menu_File_SRead;
    QAction *Menu_File_Import;
    QAction *Menu_File_Export;
    QAction *Menu_File_Kugiri;
    QAction *Menu_File_Quit;
    QMenu *Menu_Edit;
    QAction *Menu_Edit_Add;
    QAction *Menu_Edit_Correct;
    QAction *Menu_Edit_Delete;
    QAction *Menu_Edit_Change;
    QAction *Menu_Edit_Sort;
    QMenu *Menu_Disp;
    QAction *Menu_Disp_Search;
    QAction *MeNu_Disp_List;
    QAction *Menu_Disp_Print;
    QAction *Menu_Disp_All;
    QAction *Menu_Disp_Postal;
    QMenu *Help;
    QAction *Help_Mokuji;
    QAction *Help_Key;
    QAction *Menu_File_To;
    QAction *Help_Ver;

    // Controls.
    ToolBarPicture *ToolBar;
    QLabel *Label7, *Label2, *Label5, *Label3, *Label4, *Label6, *Label1;
    QLabel *Lab01, *Lab02, *Lab03, *Lab04;

    // Tool-bar state.
    std::array<int, 13> ButtonLeft{};
    int HotButton = 0;
    int PressedButton = 0;
    bool ButtonRaised = false;
    QSize StartSize;

    static const std::array<QString, 13> ButtonTips;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Opens the file a command line names (Form_Load, a second start); a
    // relative name is read against `folder`.
    void openCommandLine(const QString &commandLine, const QString &folder);
    void buildMenus();
    void buildControls();
    void runButton(int button);
    // The tool-bar button (1 ... 12) at a point of the bitmap, 0 for none.
    int buttonAt(int x, int y) const;
    // Shows the file dialog for FileMode; it leaves OpenStatus behind.
    void runFileDialog();
    void showFileOpenState();
    void showNoFileState();
    // Gate of every command that needs records: ErrMsg(1) when there are none.
    bool hasRecords();

    DataModule &dm;
    bool unloaded = false;
    // A settings file that could not be read is not written over at the end.
    bool keepSettingsFile = false;
    // The postcard print dialog while it is open (modeless).
    QPointer<PrinCard> printDialog;
};

// Enables or disables a top-level menu together with its title in the menu bar.
void setMenuEnabled(QMenu *menu, bool enabled);
