#pragma once
// FileIO — the file dialog: new, open and save as, with the data format and field order.
// The program's file dialog: new (FileMode 0), open (1) and save as (2), with
// the data format and the field order. It does the whole job before it
// closes and leaves OpenStatus behind: 0 done, 1 nothing done.
#include <QDialog>
#include <QListWidget>
#include <array>
#include <optional>

#include "store/datamodule.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The folder list: the folders from the root down to the current one, then
// its subfolders. Activating an entry moves there.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget *parent = nullptr);
    QString path() const { return current; }
    // Moves to `folder`; false when it is not a folder that can be listed.
    bool setPath(const QString &folder);
    // Lists the folder again (after a file or folder was made).
    void refresh();

signals:
    void changed();

private:
    QString current;
};

// The file list: the files of a folder that match the pattern
// ("*.kno", "*.txt;*.csv", "*.*"), letter case ignored.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);
    QString path() const { return folder; }
    QString pattern() const { return filter; }
    void setPath(const QString &path);
    void setPattern(const QString &pattern);
    void refresh();

private:
    QString folder;
    QString filter = QStringLiteral("*.*");
};

class FileIO : public QDialog {
    Q_OBJECT
public:
    FileIO(DataModule &dm, QWidget *parent = nullptr);
    ~FileIO() override;

    // The patterns of the file-type list, by index.
    static const std::array<QString, 4> Patterns;

    void Form_Load();
    void Form_Unload();
    void SelectDrive_Change();
    void SelectDir_Change();
    void FileSelect_Click();
    void FileSelect_DblClick();
    void SelFile_KeyPress(int KeyAscii);
    void Combo1_Click();
    void Option3_Click();
    void Option4_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    QComboBox *SelectDrive;
    FolderList *SelectDir;
    FileList *FileSelect;
    QLineEdit *SelFile;
    QComboBox *Combo1;
    QLabel *Label1; // ファイル名
    QLabel *Label2; // the folder's full path
    QLabel *Label3; // ファイルの種類
    QLabel *Label4; // ディレクトリ
    QLabel *Label5; // ドライブ
    QGroupBox *Frame1;
    QRadioButton *Option1;
    QRadioButton *Option2;
    QGroupBox *Frame2;
    QRadioButton *Option3;
    QRadioButton *Option4;
    QPushButton *Command1;
    QPushButton *Command3;
    QPushButton *Command2;

    QString EntryFolder;
    QString EntryFileName;
    qint16 BySelection = 0;

    void done(int result) override;
    // Escape is ｷｬﾝｾﾙ.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString modeCaption() const;
    // The drive-list entry of the mounted root that holds `folder`.
    int driveIndexOf(const QString &folder) const;
    void fillDrives();
    // The open book as it was when the dialog opened, put back when the
    // dialog closes without completing anything.
    struct OpenBook {
        bool open = false;
        QString name;
        qint16 format = DataModule::FixedLength;
        qint16 count = 0;
        qint32 current = 0;
        std::array<qint32, DataModule::LineIndexSize> index{};
        qint64 length = 0;
        QDateTime date;
    };
    void restoreOpenBook();

    DataModule &dm;
    OpenBook entryBook;
    bool bookTouched = false;
    bool unloaded = false;
    // " > FileIO" in CallTrace while the dialog is open.
    std::optional<TraceEntry> dialogTrace;
};
