#include "convert/fileio.h"

#include "convert/conversion.h"
#include "store/blanks.h"

#include "platform/fonts.h"
#include "platform/pointer.h"
#include "platform/runerror.h"
#include "platform/twips.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStorageInfo>
#include <optional>

// ---- folder list ----

FolderList::FolderList(QWidget *parent)
    : QListWidget(parent)
{
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        setPath(item->data(Qt::UserRole).toString());
    });
}

bool FolderList::setPath(const QString &folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || !info.isReadable())
        return false;
    const QString path = QDir::cleanPath(info.absoluteFilePath());
    const bool moved = path != current;
    current = path;
    refresh();
    if (moved)
        emit changed();
    return true;
}

void FolderList::refresh()
{
    clear();
    if (current.isEmpty())
        return;
    // The folders from the root down to the current one ...
    QStringList parts = current.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString path = QStringLiteral("/");
    auto add = [this](const QString &text, const QString &full, int depth) {
        auto *item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + text, this);
        item->setData(Qt::UserRole, full);
        return item;
    };
    QListWidgetItem *here = add(QStringLiteral("/"), path, 0);
    int depth = 1;
    for (const QString &part : parts) {
        path = QDir(path).filePath(part);
        here = add(part, path, depth++);
    }
    // ... then its subfolders.
    const QStringList subfolders =
        QDir(current).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &sub : subfolders)
        add(sub, QDir(current).filePath(sub), depth);
    setCurrentItem(here);
}

// ---- file list ----

FileList::FileList(QWidget *parent)
    : QListWidget(parent)
{
}

void FileList::setPath(const QString &path)
{
    folder = path;
    refresh();
}

void FileList::setPattern(const QString &pattern)
{
    filter = pattern;
    refresh();
}

void FileList::refresh()
{
    const QSignalBlocker quiet(this);
    clear();
    if (folder.isEmpty())
        return;
    QStringList filters;
    for (QString part : filter.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        part = part.trimmed();
        // "*.*" means every file, with or without an extension.
        filters << (part == QStringLiteral("*.*") ? QStringLiteral("*") : part);
    }
    if (filters.isEmpty())
        filters << QStringLiteral("*");
    // Without QDir::CaseSensitive the patterns ignore letter case.
    addItems(QDir(folder).entryList(filters, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

// ---- the dialog ----

const std::array<QString, 4> FileIO::Patterns = {
    QStringLiteral("*.kno"), QStringLiteral("*.txt"), QStringLiteral("*.csv"), QStringLiteral("*.*")};

FileIO::FileIO(DataModule &data, QWidget *parent)
    : QDialog(parent), dm(data)
{
    setObjectName(QStringLiteral("FileIO"));
    setWindowTitle(QStringLiteral("ファイル名入力"));
    setFont(Fonts::make(Fonts::Gothic, 9));
    setFixedSize(Twips::toPixelsX(7080), Twips::toPixelsY(5280));

    auto label = [this](const QString &name, const QString &text, int left, int top, int width) {
        auto *l = new QLabel(text, this);
        l->setObjectName(name);
        l->setGeometry(Twips::rect(left, top, width, 270));
        return l;
    };
    auto button = [this](const QString &name, const QString &caption, int top) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setGeometry(Twips::rect(5640, top, 1275, 400));
        return b;
    };

    Label1 = label(QStringLiteral("Label1"), QStringLiteral("ファイル名(&N):"), 120, 120, 2640);
    SelFile = new QLineEdit(QStringLiteral("*.kno"), this);
    SelFile->setObjectName(QStringLiteral("SelFile"));
    SelFile->setGeometry(Twips::rect(120, 400, 2640, 300));
    Label1->setBuddy(SelFile);
    FileSelect = new FileList(this);
    FileSelect->setObjectName(QStringLiteral("FileSelect"));
    FileSelect->setGeometry(Twips::rect(120, 760, 2640, 2160));

    Label4 = label(QStringLiteral("Label4"), QStringLiteral("ディレクトリ(&D):"), 2940, 120, 2580);
    Label2 = label(QStringLiteral("Label2"), QString(), 2940, 400, 2580);
    SelectDir = new FolderList(this);
    SelectDir->setObjectName(QStringLiteral("SelectDir"));
    SelectDir->setGeometry(Twips::rect(2940, 760, 2580, 2160));
    Label4->setBuddy(SelectDir);

    Label3 = label(QStringLiteral("Label3"), QStringLiteral("ファイルの種類(&T)："), 120, 3000, 2640);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(Twips::rect(120, 3280, 2640, 300));
    Label3->setBuddy(Combo1);
    Label5 = label(QStringLiteral("Label5"), QStringLiteral("ドライブ(&V):"), 2940, 3000, 2580);
    SelectDrive = new QComboBox(this);
    SelectDrive->setObjectName(QStringLiteral("SelectDrive"));
    SelectDrive->setGeometry(Twips::rect(2940, 3280, 2580, 300));
    Label5->setBuddy(SelectDrive);

    Frame1 = new QGroupBox(QStringLiteral("データ形式(&K)"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(Twips::rect(120, 3780, 2640, 1320));
    Option1 = new QRadioButton(QStringLiteral("固定長"), Frame1);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setGeometry(Twips::rect(240, 360, 2200, 300));
    Option2 = new QRadioButton(QStringLiteral("可変長"), Frame1);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setGeometry(Twips::rect(240, 780, 2200, 300));
    Option1->setChecked(true);

    Frame2 = new QGroupBox(QStringLiteral("選択項目(&S)"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(Twips::rect(2940, 3780, 2580, 1320));
    Option3 = new QRadioButton(QStringLiteral("標準選択"), Frame2);
    Option3->setObjectName(QStringLiteral("Option3"));
    Option3->setGeometry(Twips::rect(240, 360, 2200, 300));
    Option4 = new QRadioButton(QStringLiteral("選択項目"), Frame2);
    Option4->setObjectName(QStringLiteral("Option4"));
    Option4->setGeometry(Twips::rect(240, 780, 2200, 300));
    Option3->setChecked(true);

    Command1 = button(QStringLiteral("Command1"), QStringLiteral("開　く"), 400);
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("保　存"), 400);
    Command3->setVisible(false);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("ｷｬﾝｾﾙ"), 900);

    connect(SelectDrive, &QComboBox::currentIndexChanged, this, &FileIO::SelectDrive_Change);
    connect(SelectDir, &FolderList::changed, this, &FileIO::SelectDir_Change);
    connect(FileSelect, &QListWidget::itemClicked, this, &FileIO::FileSelect_Click);
    // A file marked with the keys names it too; the list taking the focus
    // marks nothing.
    connect(FileSelect, &QListWidget::itemSelectionChanged, this, &FileIO::FileSelect_Click);
    connect(FileSelect, &QListWidget::itemDoubleClicked, this, &FileIO::FileSelect_DblClick);
    connect(SelFile, &QLineEdit::returnPressed, this, [this] { SelFile_KeyPress(13); });
    connect(Combo1, &QComboBox::currentIndexChanged, this, &FileIO::Combo1_Click);
    connect(Option3, &QRadioButton::toggled, this, [this](bool on) { if (on) Option3_Click(); });
    connect(Option4, &QRadioButton::toggled, this, [this](bool on) { if (on) Option4_Click(); });
    connect(Command1, &QPushButton::clicked, this, &FileIO::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FileIO::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FileIO::Command3_Click);

    Form_Load();
}

FileIO::~FileIO()
{
    Form_Unload();
}

QString FileIO::modeCaption() const
{
    switch (dm.FileMode) {
    case 0: return QStringLiteral("新規作成");
    case 2: return QStringLiteral("名前を付けて保存");
    default: return QStringLiteral("ファイルを開く");
    }
}

void FileIO::fillDrives()
{
    const QSignalBlocker quiet(SelectDrive);
    SelectDrive->clear();
    // The system's own file systems hold no address books.
    static const QList<QByteArray> systemTypes = {
        "proc", "sysfs", "devpts", "devtmpfs", "cgroup", "cgroup2", "mqueue", "debugfs", "tracefs",
        "securityfs", "pstore", "bpf", "autofs", "hugetlbfs", "configfs", "fusectl", "binfmt_misc",
        "efivarfs", "nsfs", "rpc_pipefs"};
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() && QFileInfo(root).isDir() && !roots.contains(root)
            && !systemTypes.contains(volume.fileSystemType()))
            roots << root;
    }
    if (!roots.contains(QStringLiteral("/")))
        roots << QStringLiteral("/");
    roots.sort();
    for (const QString &root : roots)
        SelectDrive->addItem(root, root);
}

int FileIO::driveIndexOf(const QString &folder) const
{
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < SelectDrive->count(); ++i) {
        const QString root = SelectDrive->itemData(i).toString();
        const bool holds = root == QStringLiteral("/") || path == root
            || path.startsWith(root + QLatin1Char('/'));
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

void FileIO::Form_Load()
{
    // The dialog's entry lasts as long as the dialog.
    dialogTrace.emplace(dm, QStringLiteral("FileIO"));
    EntryFolder = QDir::currentPath();

    // The open book, to be put back if nothing is completed.
    entryBook.open = dm.DataChannel && dm.DataChannel->isOpen();
    entryBook.name = dm.CurrentFileName;
    entryBook.format = dm.DataFormat;
    entryBook.count = dm.RecordCount;
    entryBook.current = dm.CurrentRecord;
    entryBook.index = dm.LineIndex;
    entryBook.length = dm.FileLength;
    entryBook.date = dm.FileDate;

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - width()) / 2, (area.height() - height()) / 2);
    }
    SelFile->setText(dm.CurrentFileName);

    // The remembered folder, or where we are when it is gone.
    fillDrives();
    // Only the half-width blanks that fill the stored value go (a folder
    // name may end in a full-width blank).
    QString folder = trimRightBlanks(dm.Settings.LastFolder);
    if (!QFileInfo(folder).isDir())
        folder = EntryFolder;
    {
        const QSignalBlocker quiet(SelectDrive);
        SelectDrive->setCurrentIndex(driveIndexOf(folder));
    }
    if (!SelectDir->setPath(folder))
        SelectDir->setPath(EntryFolder);
    SelectDir_Change();

    if (dm.Settings.SavedDataFormat == DataModule::FixedLength)
        Option1->setChecked(true);
    else
        Option2->setChecked(true);

    {
        const QSignalBlocker quiet(Combo1);
        Combo1->clear();
        Combo1->addItem(QStringLiteral("*.kno(かのて住所録ﾌｧｲﾙ)"));
        Combo1->addItem(QStringLiteral("*.txt(ﾃｷｽﾄﾌｧｲﾙ)"));
        Combo1->addItem(QStringLiteral("*.csv"));
        Combo1->addItem(QStringLiteral("*.*  (すべてのﾌｧｲﾙ)"));
        Combo1->setCurrentIndex(0);
    }
    Combo1_Click();

    dm.OpenStatus = 1;
    BySelection = 0;
    {
        const QSignalBlocker quiet(Option3);
        Option3->setChecked(true);
    }
    Label2->setText(QDir::toNativeSeparators(SelectDir->path()));
    if (dm.FileMode != 1)
        SelFile->setText(dm.CurrentFileName);
    SelFile->selectAll();

    Frame2->setVisible(dm.FileMode != 0);
    setWindowTitle(modeCaption());
    if (dm.FileMode == 0)
        SelFile->setFocusPolicy(Qt::StrongFocus);
    EntryFileName = dm.CurrentFileName;
}

void FileIO::SelectDrive_Change()
{
    const QString root = SelectDrive->currentData().toString();
    const QFileInfo info(root);
    if (root.isEmpty() || !info.isDir() || !info.isReadable()) {
        dm.ErrMsg(2, QStringLiteral("デバイスの準備ができていません。(%1)").arg(root), this);
        const QSignalBlocker quiet(SelectDrive);
        SelectDrive->setCurrentIndex(driveIndexOf(SelectDir->path()));
        return;
    }
    // The folder we are in when it lies on that drive, else its root.
    const QString here = QDir::currentPath();
    const QString folder = driveIndexOf(here) == SelectDrive->currentIndex() ? here : root;
    if (!SelectDir->setPath(folder))
        SelectDir->setPath(root);
}

void FileIO::SelectDir_Change()
{
    const QString folder = SelectDir->path();
    FileSelect->setPath(folder);
    QDir::setCurrent(folder);
    Label2->setText(QDir::toNativeSeparators(folder));
    const int drive = driveIndexOf(folder);
    if (drive >= 0 && drive != SelectDrive->currentIndex()) {
        const QSignalBlocker quiet(SelectDrive);
        SelectDrive->setCurrentIndex(drive);
    }
}

void FileIO::FileSelect_Click()
{
    const QListWidgetItem *item = FileSelect->currentItem();
    if (item && item->isSelected())
        SelFile->setText(item->text());
}

void FileIO::FileSelect_DblClick()
{
    FileSelect_Click();
    if (dm.FileMode != 2)
        Command1_Click();
}

void FileIO::SelFile_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        FileSelect->setPattern(SelFile->text());
}

void FileIO::Combo1_Click()
{
    const int index = Combo1->currentIndex();
    if (index < 0 || index >= static_cast<int>(Patterns.size()))
        return;
    FileSelect->setPattern(Patterns[index]);
    if (dm.FileMode == 1)
        SelFile->setText(Patterns[index]);
}

void FileIO::Option3_Click()
{
    setWindowTitle(modeCaption());
}

void FileIO::Option4_Click()
{
    if (dm.FileMode == 1)
        setWindowTitle(QStringLiteral("｢別項目順ﾌｧｲﾙ｣を｢かのて住所録ﾌｧｲﾙ｣に変換"));
    else if (dm.FileMode == 2)
        setWindowTitle(QStringLiteral("｢かのて住所録ﾌｧｲﾙ｣を｢別項目順ﾌｧｲﾙ｣に変換"));
}

void FileIO::Command1_Click()
{
    const QString typed = trimRightBlanks(SelFile->text());
    dm.CurrentFileName = typed;
    if (typed.isEmpty() || typed == QStringLiteral("*.kno"))
        return;

    const TraceEntry trace(dm, QStringLiteral("Command1"));
    std::optional<Pointer::Hourglass> hourglass;
    try {
        // A name typed with its folder: that folder becomes the dialog's.
        // A folder that does not exist is not replaced by the current one.
        if (typed.contains(QLatin1Char('/'))) {
            const QFileInfo path(QDir::current().absoluteFilePath(typed));
            if (QFileInfo(path.absolutePath()).isDir() && SelectDir->setPath(path.absolutePath()))
                dm.CurrentFileName = path.fileName();
        }
        if (dm.FileMode == 1 && !QFileInfo(dm.CurrentFileName).isFile()) {
            dm.CurrentFileName = typed;
            dm.Msg(this, typed + QStringLiteral("ファイルはありません。"), MsgIcon::Exclamation,
                   MsgButtons::Ok);
            return;
        }
        // A pattern, or a place that is no folder, is not a name to create;
        // an existing file of any name opens.
        const QFileInfo named(dm.CurrentFileName);
        if (dm.CurrentFileName.isEmpty() || dm.CurrentFileName.contains(QLatin1Char('/'))
            || (!named.exists()
                && (dm.CurrentFileName.contains(QLatin1Char('*'))
                    || dm.CurrentFileName.contains(QLatin1Char('?')))))
            throw RunError(QStringLiteral("ファイル名が正しくありません。(%1)").arg(typed));

        hourglass.emplace(dm.SavedPointer);
        dm.DataFormat = Option1->isChecked() ? DataModule::FixedLength : DataModule::DelimitedText;
        BySelection = Option4->isChecked() ? -1 : 0;
        int result;
        // From here on the open book is closed on failure; closing the
        // dialog without a completed open puts it back.
        bookTouched = true;
        if (BySelection) {
            if (dm.Settings.SelectionCount == 0) {
                hourglass.reset();
                dm.Msg(this, QStringLiteral("選択項目が設定されていないため読み込めません。"),
                       MsgIcon::Critical, MsgButtons::Ok);
                return;
            }
            result = Conversion::ImportBySelection(dm, this);
        } else {
            result = dm.Hyoujun();
        }
        dm.MsgAnswer = static_cast<qint16>(result);
        if (result == -1) {
            dm.CloseData();
            return;
        }
        dm.RefreshFileInfo();
        dm.CurrentRecord = 1;
        hourglass.reset();
        dm.Settings.LastFolder = QDir::toNativeSeparators(QDir::currentPath()).left(41);
        dm.Settings.SavedDataFormat = dm.DataFormat;
        dm.OpenStatus = 0;
        accept();
    } catch (const RunError &error) {
        // A name refused before anything was opened leaves the open book as it is.
        if (bookTouched)
            dm.CloseData();
        hourglass.reset();
        dm.ErrReport(QStringLiteral("FILEIO"), error.description(), this);
    }
}

void FileIO::Command3_Click()
{
    const QString name = SelFile->text();
    if (name.isEmpty() || name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?')))
        return;
    const QString caption = QStringLiteral("名前を付けて保存");
    const QString target = QDir::current().absoluteFilePath(name);
    const QString source = QDir(EntryFolder).absoluteFilePath(EntryFileName);
    if (QFileInfo(target).isDir()) {
        dm.Msg(this, name + QStringLiteral(" はフォルダのため、保存できません。"), MsgIcon::Exclamation,
               MsgButtons::Ok, caption);
        return;
    }
    if (Conversion::samePath(target, source)) {
        dm.Msg(this, name + QStringLiteral(" は開いているファイルのため、保存できません。"),
               MsgIcon::Exclamation, MsgButtons::Ok, caption);
        return;
    }
    if (QFileInfo::exists(target)) {
        dm.Msg(this, name + QStringLiteral("は既に存在します。") + QLatin1Char('\n')
                   + QStringLiteral("上書きしますか？"),
               MsgIcon::Exclamation, MsgButtons::YesNo, caption);
        if (dm.MsgAnswer != MsgAnswerCode::Yes)
            return;
    }

    Pointer::Hourglass hourglass(dm.SavedPointer);
    BySelection = Option4->isChecked() ? -1 : 0;
    try {
        QString folderAfter = EntryFolder;
        if (BySelection) {
            dm.Msg(this, QStringLiteral("選択項目によるデータを") + name + QStringLiteral("に保存します。"),
                   MsgIcon::Information, MsgButtons::Ok);
            Conversion::ExportBookBySelection(dm, target, source);
        } else {
            Conversion::CopyBook(source, target);
            // The copy is the open book now, and its folder the current one.
            const QFileInfo copy(target);
            folderAfter = copy.absolutePath();
            // Should the copy not open, closing the dialog puts the book back.
            bookTouched = true;
            dm.CloseData();
            QDir::setCurrent(folderAfter);
            dm.CurrentFileName = copy.fileName();
            dm.ReopenData();
            dm.SetLabel(MainWindowLink::FileNameLabel, dm.CurrentFileName);
        }
        SelectDir->refresh();
        FileSelect->refresh();
        QDir::setCurrent(folderAfter);
        hourglass.restore();
        dm.OpenStatus = 0;
        accept();
    } catch (const RunError &error) {
        hourglass.restore();
        dm.ErrReport(QStringLiteral("FILEIO"), error.description(), this);
    }
}

void FileIO::Command2_Click()
{
    dm.FileMode = -1;
    reject();
}

void FileIO::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Command2_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FileIO::restoreOpenBook()
{
    dm.CurrentFileName = entryBook.name;
    dm.DataFormat = entryBook.format;
    dm.RecordCount = entryBook.count;
    dm.CurrentRecord = entryBook.current;
    dm.LineIndex = entryBook.index;
    dm.FileLength = entryBook.length;
    dm.FileDate = entryBook.date;
    if (!entryBook.open) {
        dm.CloseData();
        return;
    }
    try {
        dm.ReopenData();
    } catch (const RunError &error) {
        dm.ErrReport(QStringLiteral("FILEIO"), error.description(), this);
    }
}

void FileIO::Form_Unload()
{
    if (unloaded)
        return;
    unloaded = true;
    if (dm.OpenStatus == 1) {
        dm.CurrentFileName = EntryFileName;
        // Nothing was completed: the open book and its folder stay current.
        QDir::setCurrent(EntryFolder);
        if (bookTouched)
            restoreOpenBook();
    }
}

void FileIO::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}
