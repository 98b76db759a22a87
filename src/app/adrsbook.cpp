#include "app/adrsbook.h"

#include "app/toolbarpicture.h"
#include "print/princard.h"
#include "store/datamodule.h"
#include "store/settingsfile.h"

#include "platform/fonts.h"
#include "platform/helpfile.h"
#include "platform/helpsystem.h"
#include "platform/runerror.h"
#include "platform/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>

const std::array<QString, 13> Adrsbook::ButtonTips = {
    QString(),
    QStringLiteral(" ファイルを開く..."),
    QStringLiteral(" ファイルを閉じる"),
    QStringLiteral(" データの追加"),
    QStringLiteral(" データの修正"),
    QStringLiteral(" データの削除"),
    QStringLiteral(" データ変換..."),
    QStringLiteral(" データの並び換え"),
    QStringLiteral(" 検索して表示する"),
    QStringLiteral(" 一覧表示"),
    QStringLiteral(" 葉書宛名印刷..."),
    QStringLiteral(" 一覧印刷"),
    QStringLiteral(" バージョン情報"),
};

void setMenuEnabled(QMenu *menu, bool enabled)
{
    menu->setEnabled(enabled);
    menu->menuAction()->setEnabled(enabled);
}

Adrsbook::Adrsbook(DataModule &data, QWidget *parent)
    : QMainWindow(parent), dm(data)
{
    setObjectName(QStringLiteral("Adrsbook"));
    setWindowTitle(ProgramTitle);
    setFont(Fonts::make(Fonts::Gothic, 9));
    setAcceptDrops(true);
    buildMenus();
    buildControls();
    showNoFileState();
    dm.MainWindow = this;
}

namespace {

QAction *addEntry(QMenu *menu, const QString &name, const QString &caption,
                  const QKeySequence &shortcut = QKeySequence())
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    return action;
}

QMenu *addMenu(QMenuBar *bar, const QString &name, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name + QStringLiteral("_Title"));
    return menu;
}

} // namespace

void Adrsbook::buildMenus()
{
    QMenuBar *bar = menuBar();
    Menu_File = addMenu(bar, QStringLiteral("Menu_File"), QStringLiteral("ファイル(&F)"));
    Menu_File_Open[0] = addEntry(Menu_File, QStringLiteral("Menu_File_Open_0"), QStringLiteral("新規作成(&N)..."));
    Menu_File_Open[1] = addEntry(Menu_File, QStringLiteral("Menu_File_Open_1"), QStringLiteral("開く(&O)..."),
                                 QKeySequence(QStringLiteral("Ctrl+O")));
    Menu_File_Close = addEntry(Menu_File, QStringLiteral("Menu_File_Close"), QStringLiteral("閉じる(&C)"));
    Menu_File_Hozon = addEntry(Menu_File, QStringLiteral("Menu_File_Hozon"), QStringLiteral("名前を付けて保存(&A)..."));
    Menu_File->addSeparator()->setObjectName(QStringLiteral("Menu_File_A"));
    Menu_File_SRead = addEntry(Menu_File, QStringLiteral("Menu_File_SRead"), QStringLiteral("項目選択定義(&S)..."));
    Menu_File_Import = addEntry(Menu_File, QStringLiteral("Menu_File_Import"), QStringLiteral("他のソフトから読み込み(&I)..."));
    Menu_File_Export = addEntry(Menu_File, QStringLiteral("Menu_File_Export"), QStringLiteral("他のソフト用に書き出し(&E)..."));
    Menu_File->addSeparator()->setObjectName(QStringLiteral("Menu_File_B"));
    Menu_File_Kugiri = addEntry(Menu_File, QStringLiteral("Menu_File_Kugiri"), QStringLiteral("オプション(&K)..."));
    Menu_File->addSeparator()->setObjectName(QStringLiteral("Menu_File_Sep"));
    Menu_File_Quit = addEntry(Menu_File, QStringLiteral("Menu_File_Quit"), QStringLiteral("終了(&X)"),
                              QKeySequence(Qt::Key_F9));

    Menu_Edit = addMenu(bar, QStringLiteral("Menu_Edit"), QStringLiteral("編集(&E)"));
    Menu_Edit_Add = addEntry(Menu_Edit, QStringLiteral("Menu_Edit_Add"), QStringLiteral("追加(&A)..."),
                             QKeySequence(QStringLiteral("Ctrl+A")));
    Menu_Edit_Correct = addEntry(Menu_Edit, QStringLiteral("Menu_Edit_Correct"), QStringLiteral("修正(&T)..."),
                                 QKeySequence(QStringLiteral("Ctrl+T")));
    Menu_Edit_Delete = addEntry(Menu_Edit, QStringLiteral("Menu_Edit_Delete"), QStringLiteral("削除(&D)..."),
                                QKeySequence(QStringLiteral("Ctrl+D")));
    Menu_Edit->addSeparator()->setObjectName(QStringLiteral("Menu_Edit_Sep"));
    Menu_Edit_Change = addEntry(Menu_Edit, QStringLiteral("Menu_Edit_Change"), QStringLiteral("ﾃﾞｰﾀ変換(&C)..."));
    Menu_Edit_Sort = addEntry(Menu_Edit, QStringLiteral("Menu_Edit_Sort"), QStringLiteral("並び換え(&S)"));

    Menu_Disp = addMenu(bar, QStringLiteral("Menu_Disp"), QStringLiteral("表示(&D)"));
    Menu_Disp_Search = addEntry(Menu_Disp, QStringLiteral("Menu_Disp_Search"), QStringLiteral("検索(&S)"),
                                QKeySequence(QStringLiteral("Ctrl+S")));
    MeNu_Disp_List = addEntry(Menu_Disp, QStringLiteral("MeNu_Disp_List"), QStringLiteral("一覧表示(&L)"),
                              QKeySequence(QStringLiteral("Ctrl+L")));
    Menu_Disp_Print = addEntry(Menu_Disp, QStringLiteral("Menu_Disp_Print"), QStringLiteral("葉書宛名印刷(&P)..."),
                               QKeySequence(QStringLiteral("Ctrl+P")));
    Menu_Disp_All = addEntry(Menu_Disp, QStringLiteral("Menu_Disp_All"), QStringLiteral("一覧印刷(&A)"),
                             QKeySequence(QStringLiteral("Ctrl+I")));
    Menu_Disp_Postal = addEntry(Menu_Disp, QStringLiteral("Menu_Disp_Postal"), QStringLiteral("郵便番号の確認(&Z)..."));

    Help = addMenu(bar, QStringLiteral("Help"), QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    Help_Mokuji = addEntry(Help, QStringLiteral("Help_Mokuji"), QStringLiteral("目次(&C)"));
    Help_Key = addEntry(Help, QStringLiteral("Help_Key"), QStringLiteral("ｷｰﾜｰﾄﾞで検索(&S)..."));
    Help->addSeparator()->setObjectName(QStringLiteral("Help_B"));
    Menu_File_To = addEntry(Help, QStringLiteral("Menu_File_To"), QStringLiteral("デバッグ(&D)..."));
    Help->addSeparator()->setObjectName(QStringLiteral("Help_C"));
    Help_Ver = addEntry(Help, QStringLiteral("Help_Ver"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"),
                        QKeySequence(Qt::Key_F3));

    connect(Menu_File_Open[0], &QAction::triggered, this, [this] { Menu_File_Open_Click(0); });
    connect(Menu_File_Open[1], &QAction::triggered, this, [this] { Menu_File_Open_Click(1); });
    connect(Menu_File_Close, &QAction::triggered, this, &Adrsbook::Menu_File_Close_Click);
    connect(Menu_File_Hozon, &QAction::triggered, this, &Adrsbook::Menu_File_Hozon_Click);
    connect(Menu_File_SRead, &QAction::triggered, this, &Adrsbook::Menu_File_SRead_Click);
    connect(Menu_File_Import, &QAction::triggered, this, &Adrsbook::Menu_File_Import_Click);
    connect(Menu_File_Export, &QAction::triggered, this, &Adrsbook::Menu_File_Export_Click);
    connect(Menu_File_Kugiri, &QAction::triggered, this, &Adrsbook::Menu_File_Kugiri_Click);
    connect(Menu_File_Quit, &QAction::triggered, this, &Adrsbook::Menu_File_Quit_Click);
    connect(Menu_Edit_Add, &QAction::triggered, this, &Adrsbook::Menu_Edit_Add_Click);
    connect(Menu_Edit_Correct, &QAction::triggered, this, &Adrsbook::Menu_Edit_Correct_Click);
    connect(Menu_Edit_Delete, &QAction::triggered, this, &Adrsbook::Menu_Edit_Delete_Click);
    connect(Menu_Edit_Change, &QAction::triggered, this, &Adrsbook::Menu_Edit_Change_Click);
    connect(Menu_Edit_Sort, &QAction::triggered, this, &Adrsbook::Menu_Edit_Sort_Click);
    connect(Menu_Disp_Search, &QAction::triggered, this, &Adrsbook::Menu_Disp_Search_Click);
    connect(MeNu_Disp_List, &QAction::triggered, this, &Adrsbook::MeNu_Disp_List_Click);
    connect(Menu_Disp_Print, &QAction::triggered, this, &Adrsbook::Menu_Disp_Print_Click);
    connect(Menu_Disp_All, &QAction::triggered, this, &Adrsbook::Menu_Disp_All_Click);
    connect(Menu_Disp_Postal, &QAction::triggered, this, &Adrsbook::Menu_Disp_Postal_Click);
    connect(Help_Mokuji, &QAction::triggered, this, &Adrsbook::Help_Mokuji_Click);
    connect(Help_Key, &QAction::triggered, this, &Adrsbook::Help_Key_Click);
    connect(Menu_File_To, &QAction::triggered, this, &Adrsbook::Menu_File_To_Click);
    connect(Help_Ver, &QAction::triggered, this, &Adrsbook::Help_Ver_Click);
}

void Adrsbook::buildControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);

    ToolBar = new ToolBarPicture(central);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->move(Twips::toPixelsX(60), Twips::toPixelsY(30));
    ToolBar->onMouseDown = [this](int x, int y) { ToolBar_MouseDown(x, y); };
    ToolBar->onMouseMove = [this](int x, int y) { ToolBar_MouseMove(x, y); };
    ToolBar->onMouseUp = [this](int x, int y) { ToolBar_MouseUp(x, y); };
    // Each button names its command when the pointer rests on it.
    ToolBar->tipAt = [this](int x, int y) { return ButtonTips[buttonAt(x, y)].trimmed(); };

    auto label = [central](const QString &name, const QString &text, int left, int top, int width) {
        auto *l = new QLabel(text, central);
        l->setObjectName(name);
        l->setGeometry(Twips::rect(left, top, width, 300));
        return l;
    };
    Label7 = label(QStringLiteral("Label7"), QStringLiteral("住所録"), 240, 600, 2400);
    Label7->setFont(Fonts::make(Fonts::Gothic, 14));
    Label7->setGeometry(Twips::rect(240, 560, 2400, 420));
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("Ver. 00-05"), 6600, 640, 1500);
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("ファイル名"), 360, 1140, 1500);
    Lab01 = label(QStringLiteral("Lab01"), QString(), 2000, 1140, 6200);
    Label5 = label(QStringLiteral("Label5"), QStringLiteral("データ形式"), 360, 1500, 1500);
    Lab02 = label(QStringLiteral("Lab02"), QString(), 2000, 1500, 6200);
    Label3 = label(QStringLiteral("Label3"), QStringLiteral("データ数"), 360, 1860, 1500);
    Lab03 = label(QStringLiteral("Lab03"), QString(), 2000, 1860, 6200);
    Label4 = label(QStringLiteral("Label4"), QStringLiteral("最終編集日"), 360, 2220, 1500);
    Lab04 = label(QStringLiteral("Lab04"), QString(), 2000, 2220, 6200);
    Label6 = label(QStringLiteral("Label6"), QStringLiteral("　説明文"), 120, 2760, 8200);
    Label6->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    // Frame lines around the title and the status block.
    const std::array<QRect, 9> lines = {
        Twips::rect(60, 520, 8400, 15), Twips::rect(60, 1020, 8400, 15),
        Twips::rect(60, 2620, 8400, 15), Twips::rect(60, 520, 15, 2100),
        Twips::rect(8445, 520, 15, 2100), Twips::rect(1800, 1080, 15, 1500),
        Twips::rect(240, 1440, 8000, 15), Twips::rect(240, 1800, 8000, 15),
        Twips::rect(240, 2160, 8000, 15)};
    for (int i = 0; i < 9; ++i) {
        auto *line = new QFrame(central);
        line->setObjectName(QStringLiteral("Line%1").arg(i + 1));
        line->setFrameStyle(QFrame::Box | QFrame::Plain);
        line->setGeometry(lines[i]);
    }

    central->setMinimumSize(Twips::toPixelsX(8580), Twips::toPixelsY(3180));
    setFixedSize(Twips::toPixelsX(8580), Twips::toPixelsY(3180) + menuBar()->sizeHint().height());
}

void Adrsbook::Form_Load(const QString &commandLine)
{
    dm.RecordLength = RecordLayout::Length;
    dm.NewLine = QStringLiteral("\r\n");
    dm.StartFolder = QDir::currentPath();
    ButtonLeft = {0, 7, 31, 66, 90, 125, 160, 184, 218, 242, 266, 290, 314};

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - width()) / 2, (area.height() - height()) / 2);
    }
    StartSize = size();

    bool firstRun = false;
    try {
        dm.Settings = SettingsFile::read(dm.SettingsPath, &firstRun);
    } catch (const RunError &error) {
        // The user's settings are there but cannot be read: this run starts
        // from the defaults, without the greeting, and leaves the file alone.
        keepSettingsFile = true;
        firstRun = true;
        dm.Settings = SettingsRecord();
        dm.Trace(QStringLiteral("Form_Load"));
        dm.ErrReport(QStringLiteral("Form_Load"), error.description(), this);
    }
    Label1->clear();
    dm.DefaultLayout = LayoutDefaults::factory();
    dm.Conf = ProgramSettings::read(dm.ConfPath);

    const QDate today = QDate::currentDate();
    if (firstRun) {
        SettingsFile::applyFirstRun(dm.Settings, dm.StartFolder, today, dm.DefaultLayout);
        if (!keepSettingsFile)
            dm.Msg(this, QStringLiteral("御使用ありがとうございます。"), MsgIcon::Information);
    } else {
        SettingsFile::checkAndUpgrade(dm.Settings, dm.StartFolder, today, dm.DefaultLayout);
    }
    dm.Settings.SettingsVersion = SettingsRecord::CurrentVersion;
    dm.Delimiter = SettingsFile::delimiterFor(dm.Settings.DelimiterCode);
    dm.CurrentFileName = QStringLiteral("*.kno");
    dm.HelpFile = HelpFile::locate(dm.ProgramFolder);
    dm.PostalDigits = 7;
    dm.IchiFnt = dm.Settings.ListFontName;
    dm.IchiFsz = dm.Settings.ListFontSize;

    dm.OpenStatus = 0;
    openCommandLine(commandLine, dm.StartFolder);
}

void Adrsbook::openCommandLine(const QString &commandLine, const QString &folder)
{
    try {
        dm.CallTrace.clear();
        dm.CommandFile = commandLine;
        if (!dm.CommandFile.isEmpty()) {
            dm.DataFormat = dm.Settings.SavedDataFormat == DataModule::DelimitedText
                ? DataModule::DelimitedText : DataModule::FixedLength;
            if (dm.CommandFile.startsWith(QLatin1Char('"')))
                dm.CommandFile = dm.CommandFile.mid(1, dm.CommandFile.size() - 2);
            // The settings have made the last folder current by now; a path
            // without its folder still names a file of the folder the
            // program was started in.
            if (!dm.CommandFile.isEmpty() && QDir::isRelativePath(dm.CommandFile))
                dm.CommandFile = QDir::cleanPath(QDir(folder).absoluteFilePath(dm.CommandFile));
            Menu_File_Open_Click(1);
        }
    } catch (const RunError &error) {
        dm.ErrReport(QStringLiteral("Form_Load"), error.description(), this);
    }
}

void Adrsbook::OpenHandedFile(const QString &folder, const QString &commandLine)
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    // While another window works on the book (its menus are locked, or a
    // dialog waits for an answer), no other book is opened underneath it;
    // the window in front stays as it is.
    if (commandLine.isEmpty() || !Menu_File->isEnabled() || QApplication::activeModalWidget())
        return;
    openCommandLine(commandLine, folder);
}

void Adrsbook::Form_Unload()
{
    if (unloaded)
        return;
    unloaded = true;
    try {
        if (!keepSettingsFile)
            SettingsFile::write(dm.SettingsWritePath.isEmpty() ? dm.SettingsPath : dm.SettingsWritePath,
                                dm.Settings);
    } catch (const RunError &error) {
        dm.ErrReport(QStringLiteral("Form_Unload"), error.description(), this);
    }
    if (!dm.ConfPath.isEmpty() && !dm.Conf.write(dm.ConfPath))
        dm.Msg(this, QStringLiteral("設定ファイル %1 に書き込めませんでした。").arg(QDir::toNativeSeparators(dm.ConfPath)),
               MsgIcon::Exclamation);
    dm.CloseData();
    if (dm.Platform.Help)
        dm.Platform.Help->request(this, dm.HelpFile, HelpCommand::Quit);
}

void Adrsbook::closeEvent(QCloseEvent *event)
{
    // The print dialog stores its values before the settings are written;
    // while it prints it stays, and so does the program.
    if (printDialog && !printDialog->close()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void Adrsbook::Form_OLEDragDrop(const QString &path)
{
    // While another window works on the book (its menus are locked), no
    // other book may be opened underneath it.
    if (!Menu_File->isEnabled())
        return;
    try {
        dm.CallTrace.clear();
        dm.CommandFile = path;
        Menu_File_Open_Click(1);
        dm.CallTrace.clear();
    } catch (const RunError &error) {
        dm.ErrReport(QStringLiteral("Form_OLEDragDrop"), error.description(), this);
    }
}

void Adrsbook::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && Menu_File->isEnabled())
        event->acceptProposedAction();
}

void Adrsbook::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    Form_OLEDragDrop(urls.first().toLocalFile());
}

// ---- tool bar ----

int Adrsbook::buttonAt(int x, int y) const
{
    if (y < 2 || y > 23)
        return 0;
    for (int b = 1; b <= 12; ++b)
        if (ButtonLeft[b] <= x && x <= ButtonLeft[b] + 22)
            return b;
    return 0;
}

void Adrsbook::ToolBar_MouseMove(int x, int y)
{
    HotButton = buttonAt(x, y);
    if (PressedButton == 0)
        return;
    if (!ButtonRaised && (HotButton == 0 || HotButton != PressedButton)) {
        ToolBar->invertButton(ButtonLeft[PressedButton]);
        ButtonRaised = true;
    } else if (ButtonRaised && HotButton == PressedButton) {
        ToolBar->invertButton(ButtonLeft[PressedButton]);
        ButtonRaised = false;
    }
}

void Adrsbook::ToolBar_MouseDown(int x, int y)
{
    // The button under the pointer now: moves made while a modal window
    // held the input never reached the tool bar.
    HotButton = buttonAt(x, y);
    if (HotButton == 0 || HotButton == PressedButton)
        return;
    ToolBar->invertButton(ButtonLeft[HotButton]);
    ButtonRaised = false;
    PressedButton = HotButton;
    QString tip = ButtonTips[HotButton];
    if (HotButton >= 3 && HotButton <= 11 && !Menu_Edit->isEnabled())
        tip += QStringLiteral("(ﾌｧｲﾙが開かれていないため使えません)");
    Label6->setText(tip);
}

void Adrsbook::ToolBar_MouseUp(int, int)
{
    if (PressedButton != 0 && !ButtonRaised)
        ToolBar->invertButton(ButtonLeft[PressedButton]);
    Label6->clear();
    ButtonRaised = true;
    if (HotButton != PressedButton || PressedButton == 0)
        return;
    // Button 1 opens a book only while the ファイル menu may be used: a
    // window that locked the menus is still working on the open one.
    const bool runs = PressedButton == 12
        || (PressedButton == 1 ? Menu_File->isEnabled() : Menu_Edit->isEnabled());
    if (runs)
        runButton(PressedButton);
}

void Adrsbook::runButton(int button)
{
    switch (button) {
    case 1: Menu_File_Open_Click(1); break;
    case 2: Menu_File_Close_Click(); break;
    case 3: Menu_Edit_Add_Click(); break;
    case 4: Menu_Edit_Correct_Click(); break;
    case 5: Menu_Edit_Delete_Click(); break;
    case 6: Menu_Edit_Change_Click(); break;
    case 7: Menu_Edit_Sort_Click(); break;
    case 8: Menu_Disp_Search_Click(); break;
    case 9: MeNu_Disp_List_Click(); break;
    case 10: Menu_Disp_Print_Click(); break;
    case 11: Menu_Disp_All_Click(); break;
    case 12: Help_Ver_Click(); break;
    default: break;
    }
}

// ---- states and the link other windows use ----

void Adrsbook::showFileOpenState()
{
    Lab02->setText(dm.DataFormatText());
    Lab03->setText(QString::number(dm.RecordCount));
    Lab04->setText(dm.FileDateText());
    Lab01->setText(dm.CurrentFileName);
    Menu_File_Close->setEnabled(true);
    Menu_File_Hozon->setEnabled(true);
    Menu_File_Export->setEnabled(true);
    setMenuEnabled(Menu_Edit, true);
    setMenuEnabled(Menu_Disp, true);
    Menu_File_Open[0]->setEnabled(false);
}

void Adrsbook::showNoFileState()
{
    Lab01->clear();
    Lab02->clear();
    Lab03->clear();
    Lab04->clear();
    Menu_File_Close->setEnabled(false);
    Menu_File_Hozon->setEnabled(false);
    Menu_File_Export->setEnabled(false);
    setMenuEnabled(Menu_Edit, false);
    setMenuEnabled(Menu_Disp, false);
    Menu_File_Open[0]->setEnabled(true);
    Menu_File_Kugiri->setEnabled(true);
}

bool Adrsbook::hasRecords()
{
    if (dm.RecordCount > 0)
        return true;
    dm.ErrMsg(1, QString(), this);
    return false;
}

void Adrsbook::LockMainMenus()
{
    setMenuEnabled(Menu_Edit, false);
    setMenuEnabled(Menu_Disp, false);
    setMenuEnabled(Menu_File, false);
}

void Adrsbook::UnlockMainMenus()
{
    setMenuEnabled(Menu_Edit, true);
    setMenuEnabled(Menu_Disp, true);
    setMenuEnabled(Menu_File, true);
}

void Adrsbook::SetStatusLabel(Label label, const QString &text)
{
    switch (label) {
    case FileNameLabel: Lab01->setText(text); break;
    case FormatLabel: Lab02->setText(text); break;
    case CountLabel: Lab03->setText(text); break;
    case DateLabel: Lab04->setText(text); break;
    }
}

QString Adrsbook::StatusLabel(Label label) const
{
    switch (label) {
    case FileNameLabel: return Lab01->text();
    case FormatLabel: return Lab02->text();
    case CountLabel: return Lab03->text();
    case DateLabel: return Lab04->text();
    }
    return QString();
}
