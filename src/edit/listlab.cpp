#include "edit/listlab.h"

#include "edit/adrsdinp.h"
#include "edit/crctdata.h"
#include "edit/listrow.h"
#include "store/blanks.h"
#include "store/datamodule.h"
#include "store/duplicaterecord.h"
#include "store/recordstore.h"

#include "platform/codec.h"
#include "platform/fonts.h"
#include "platform/helpsystem.h"
#include "platform/modalrunner.h"
#include "platform/runerror.h"
#include "platform/controlmaking.h"
#include "platform/twips.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

using Controls::addEntry;

// Design sizes in twips.
constexpr int ClientWidth = 9285;
constexpr int ClientHeight = 4920;
constexpr int NamePaneWidth = 1590;
constexpr int PaneHeight = 4695;
constexpr int VScrollWidth = 255;
constexpr int RowTop = 360;
constexpr int RowPitch = 360;
constexpr int RowHeight = 255;
constexpr int RuleHeight = 4680;
constexpr int HelpContext = 4007;

const QString ListCaption = QStringLiteral("一覧表示");

QMenu *addMenu(QMenuBar *bar, const QString &name, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

QLabel *gridLabel(QWidget *parent, const QString &name, QLabel *label = nullptr)
{
    if (!label)
        label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    label->setPalette(palette);
    return label;
}

} // namespace

void ListNameLabel::mousePressEvent(QMouseEvent *event)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    QLabel::mousePressEvent(event);
}

void ListNameLabel::mouseReleaseEvent(QMouseEvent *event)
{
    setFrameStyle(QFrame::NoFrame);
    QLabel::mouseReleaseEvent(event);
}

void ListNameLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

ListLab::ListLab(DataModule &data, QWidget *parent)
    : QDialog(parent), dm(data)
{
    setObjectName(QStringLiteral("ListLab"));
    setWindowTitle(ListCaption);
    setFont(Fonts::make(Fonts::Gothic, 12));
    buildMenus();
    buildControls();
    Form_Load();
}

ListLab::~ListLab()
{
    Form_Unload();
}

void ListLab::buildMenus()
{
    MenuBar = new QMenuBar(this);
    MenuBar->setObjectName(QStringLiteral("MenuBar"));
    M_Disp = addMenu(MenuBar, QStringLiteral("M_Disp"), QStringLiteral("一覧表示(&D)"));
    Menu_End = addEntry(M_Disp, QStringLiteral("Menu_End"), QStringLiteral("閉じる(&X)"), QKeySequence(Qt::Key_F9));
    M_Edit = addMenu(MenuBar, QStringLiteral("M_Edit"), QStringLiteral("編集(&E)"));
    M_E_Add = addEntry(M_Edit, QStringLiteral("M_E_Add"), QStringLiteral("追加(&A)"),
                       QKeySequence(Qt::CTRL | Qt::Key_A));
    M_E_Chan = addEntry(M_Edit, QStringLiteral("M_E_Chan"), QStringLiteral("修正(&T)"),
                        QKeySequence(Qt::CTRL | Qt::Key_T));
    M_E_Del = addEntry(M_Edit, QStringLiteral("M_E_Del"), QStringLiteral("削除(&D)"), QKeySequence(Qt::Key_Delete));
    M_E_Copy = addEntry(M_Edit, QStringLiteral("M_E_Copy"), QStringLiteral("項目の複製(&C)"));
    M_I = addMenu(MenuBar, QStringLiteral("M_I"), QStringLiteral("頁移動(&I)"));
    M_I_A = addEntry(M_I, QStringLiteral("M_I_A"), QStringLiteral("次頁(&A)"), QKeySequence(Qt::Key_F5));
    M_I_B = addEntry(M_I, QStringLiteral("M_I_B"), QStringLiteral("前頁(&B)"), QKeySequence(Qt::Key_F6));
    M_H = addMenu(MenuBar, QStringLiteral("M_H"), QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    M_H_Use = addEntry(M_H, QStringLiteral("M_H_Use"), QStringLiteral("使い方(&T)"), QKeySequence(Qt::Key_F3));

    connect(Menu_End, &QAction::triggered, this, &ListLab::Menu_End_Click);
    connect(M_E_Add, &QAction::triggered, this, &ListLab::M_E_Add_Click);
    connect(M_E_Chan, &QAction::triggered, this, &ListLab::M_E_Chan_Click);
    connect(M_E_Del, &QAction::triggered, this, &ListLab::M_E_Del_Click);
    connect(M_E_Copy, &QAction::triggered, this, &ListLab::M_E_Copy_Click);
    connect(M_I_A, &QAction::triggered, this, &ListLab::M_I_A_Click);
    connect(M_I_B, &QAction::triggered, this, &ListLab::M_I_B_Click);
    connect(M_H_Use, &QAction::triggered, this, &ListLab::M_H_Use_Click);
}

void ListLab::buildControls()
{
    Client = new QWidget(this);
    Client->setObjectName(QStringLiteral("Client"));

    // The wide pane first, so that the name pane stays on top of it when it
    // scrolls to the left.
    Pic = new QWidget(Client);
    Pic->setObjectName(QStringLiteral("Pic"));
    Pic->setGeometry(Twips::rect(NamePaneWidth, 0, ListRow::PaneTwips, PaneHeight));
    LabT = gridLabel(Pic, QStringLiteral("LabT"));
    LabT->setGeometry(Twips::rect(0, 0, ListRow::PaneTwips, RowHeight));
    for (int r = 0; r < Rows; ++r) {
        Lab[r] = gridLabel(Pic, QStringLiteral("Lab_%1").arg(r));
        Lab[r]->setGeometry(Twips::rect(0, RowTop + RowPitch * r, ListRow::PaneTwips, RowHeight));
    }
    for (int i = 1; i <= 8; ++i) {
        Line[i] = new QFrame(Pic);
        Line[i]->setObjectName(QStringLiteral("Line%1").arg(i));
        Line[i]->setFrameShape(QFrame::VLine);
        Line[i]->setFrameShadow(QFrame::Plain);
        Line[i]->setLineWidth(1);
    }

    Picture1 = new QWidget(Client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAutoFillBackground(true);
    Picture1->setGeometry(Twips::rect(0, 0, NamePaneWidth, PaneHeight));
    LabNT = gridLabel(Picture1, QStringLiteral("LabNT"));
    LabNT->setText(QStringLiteral("  名前"));
    LabNT->setGeometry(Twips::rect(0, 0, 1800, RowHeight));
    for (int r = 0; r < Rows; ++r) {
        LabN[r] = static_cast<ListNameLabel *>(
            gridLabel(Picture1, QStringLiteral("LabN_%1").arg(r), new ListNameLabel(Picture1)));
        LabN[r]->setGeometry(Twips::rect(0, RowTop + RowPitch * r, 2115, RowHeight));
        connect(LabN[r], &ListNameLabel::doubleClicked, this, [this, r] { LabN_DblClick(r); });
    }

    HScroll1 = new QScrollBar(Qt::Horizontal, Client);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    VScroll1 = new QScrollBar(Qt::Vertical, Client);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setGeometry(Twips::rect(8880, 240, VScrollWidth, 4455));
}

int ListLab::innerWidthTwips() const
{
    return Twips::fromPixelsX(width());
}

void ListLab::Form_Load()
{
    dm.LockMainMenus();

    // As wide as the screen leaves room for, centred from top to bottom;
    // only the width can be changed.
    const int height = Twips::toPixelsY(ClientHeight) + MenuBar->sizeHint().height();
    setFixedHeight(height);
    int width = Twips::toPixelsX(ClientWidth);
    QRect screen(0, 0, width + Twips::toPixelsX(660), height);
    if (const QScreen *s = QGuiApplication::primaryScreen())
        screen = s->geometry();
    width = qMax(1, screen.width() - Twips::toPixelsX(660));
    resize(width, height);
    move(Twips::toPixelsX(60), (screen.height() - height) / 2);

    // No row is selected in a new grid (a selection left by an earlier
    // window is not this grid's).
    dm.SearchHit = 0;
    SelectedRow = 0;
    TopRecord = 1;

    HScroll1->setMinimum(0);
    HScroll1->setSingleStep(480);
    HScroll1->setPageStep(1440);
    VScroll1->setMinimum(1);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(11);
    setVScrollMaximum();
    VScroll1->setValue(1);
    Form_Resize();

    for (int i = 1; i <= 8; ++i)
        Line[i]->setGeometry(Twips::toPixelsX(ListRow::RuleTwips[i - 1]), 0, 1, Twips::toPixelsY(RuleHeight));
    for (int i = 1; i <= 8; ++i)
        Line[i]->raise();
    LabT->setText(ListRow::headingText());

    connect(HScroll1, &QScrollBar::valueChanged, this, &ListLab::HScroll1_Change);
    connect(VScroll1, &QScrollBar::valueChanged, this, &ListLab::VScroll1_Change);
    FillPage();
    dm.ClearRecord();
}

void ListLab::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void ListLab::Form_Resize()
{
    const int menuHeight = MenuBar->sizeHint().height();
    MenuBar->setGeometry(0, 0, width(), menuHeight);
    Client->setGeometry(0, menuHeight, width(), height() - menuHeight);
    if (isMinimized() || isMaximized())
        return;
    // However narrow the window, the sideways bar never gets a negative width.
    const int barWidth = qMax(0, innerWidthTwips() - VScrollWidth - NamePaneWidth);
    HScroll1->setGeometry(Twips::rect(1575, 4680, barWidth, 270));
    VScroll1->move(Twips::toPixelsX(NamePaneWidth + barWidth), Twips::toPixelsY(240));
    // A window wider than the pane leaves nothing to scroll: the range stays
    // 0 ... 0, so the wide pane keeps its place beside the name pane.
    HScroll1->setMaximum(qMax(0, ListRow::PaneTwips - barWidth));
}

void ListLab::HScroll1_Change()
{
    Pic->move(Twips::toPixelsX(NamePaneWidth) - Twips::toPixelsX(HScroll1->value()), 0);
}

void ListLab::VScroll1_Change()
{
    TopRecord = static_cast<qint16>(VScroll1->value());
    dm.CurrentRecord = TopRecord;
    FillPage();
}

void ListLab::setVScrollMaximum()
{
    VScroll1->setMaximum(dm.RecordCount >= 12 ? dm.RecordCount - 11 : 1);
}

void ListLab::FillPage()
{
    dm.CurrentRecord = 1;
    try {
        for (int r = 0; r < Rows; ++r) {
            const int n = TopRecord + r;
            if (n > dm.RecordCount)
                dm.CurrentRecord = -1;
            if (dm.DataFormat == DataModule::FixedLength) {
                if (dm.CurrentRecord != -1) {
                    dm.ReadRecord(n);
                    // The mark as stored: a blank when the record has none.
                    dm.FieldText[Mark] = Cp932::decode(dm.RecordBuffer.fieldBytes(Mark));
                }
            } else {
                dm.ClearRecord();
                if (dm.CurrentRecord > 0) {
                    if (!dm.DataChannel || n > DataModule::MaxTextRecords
                        || !dm.DataChannel->seek(qint64(dm.LineIndex[n]) - 1))
                        throw RunError(QStringLiteral("行 %1 を読めません。").arg(n));
                    dm.ParseLine();
                    dm.FieldsToRecord();
                }
            }
            ShowRow(r);
        }
    } catch (const RunError &e) {
        dm.Msg(this, e.description());
    }
    if (dm.SearchHit == -1) {
        setRowColour(SelectedRow, clearedColour());
        dm.SearchHit = 0;
    }
    M_E_Chan->setEnabled(false);
    M_E_Del->setEnabled(false);
    dm.ClearRecord();
}

void ListLab::ShowRow(int row)
{
    if (dm.CurrentRecord < 1) {
        LabN[row]->clear();
        Lab[row]->clear();
        LabN[row]->setEnabled(false);
        Lab[row]->setEnabled(false);
        return;
    }
    LabN[row]->setText(trimRightBlanks(dm.RecordBuffer.fieldText(Name)));
    Lab[row]->setText(ListRow::rowText(dm.RecordBuffer, dm.FieldText[Mark]));
    LabN[row]->setEnabled(true);
    Lab[row]->setEnabled(true);
}

void ListLab::setRowColour(int row, const QColor &colour)
{
    for (QLabel *label : {static_cast<QLabel *>(LabN[row]), Lab[row]}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, colour);
        label->setPalette(palette);
    }
}

void ListLab::LabN_DblClick(int row)
{
    if (row < 0 || row >= Rows || !LabN[row]->isEnabled())
        return;
    if (dm.SearchHit == -1)
        setRowColour(SelectedRow, clearedColour());
    dm.SearchHit = -1;
    SelectedRow = static_cast<qint16>(row);
    setRowColour(row, selectedColour());
    M_E_Chan->setEnabled(true);
    M_E_Del->setEnabled(true);
}

void ListLab::listMessage(int number)
{
    const QString text = number == 1
        ? QStringLiteral("そこにはデータはありません。") + QLatin1Char('\n')
              + QStringLiteral(" %1").arg(dm.RecordCount) + QStringLiteral("以内のデータを指定してください。")
        : QStringLiteral("見つからないのでメイン画面に戻ります。");
    dm.Msg(this, text, MsgIcon::None, MsgButtons::Ok, ListCaption);
}

void ListLab::afterChange()
{
    if (dm.CurrentRecord > dm.RecordCount)
        dm.CurrentRecord = dm.RecordCount;
    dm.ShowChange(true);
    setVScrollMaximum();
    FillPage();
}

void ListLab::Menu_End_Click()
{
    dm.CurrentRecord = 1;
    reject();
}

void ListLab::M_E_Add_Click()
{
    {
        AdrsDinp form(dm, this);
        form.showModal();
    }
    // The form unlocked the main window's menus as it closed; this window
    // is still open.
    dm.LockMainMenus();
    dm.CurrentRecord = TopRecord;
    setVScrollMaximum();
    FillPage();
}

void ListLab::M_E_Chan_Click()
{
    const int n = TopRecord + SelectedRow;
    dm.CurrentRecord = n;
    if (n > dm.RecordCount) {
        listMessage(1);
        return;
    }
    if (dm.SearchHit != 0) {
        {
            CrctData form(dm, this);
            form.prepare(CrctData::Mode::Correct);
            form.showModal();
        }
        dm.LockMainMenus();
    } else {
        listMessage(2);
    }
    FillPage();
}

void ListLab::M_E_Del_Click()
{
    const int n = TopRecord + SelectedRow;
    dm.CurrentRecord = n;
    if (n > dm.RecordCount) {
        listMessage(1);
        return;
    }
    const QString name = trimBlanks(LabN[SelectedRow]->text());
    if (dm.Msg(this, QStringLiteral("「") + name + QStringLiteral("」を削除します。"), MsgIcon::None,
               MsgButtons::OkCancel)
        != MsgAnswerCode::Ok)
        return;
    try {
        DeleteCurrent(dm);
    } catch (const RunError &e) {
        // The book on disk is the one before the deletion, open again.
        dm.ErrReport(QStringLiteral("M_E_Del_Click"), e.description(), this);
    }
    afterChange();
}

void ListLab::M_E_Copy_Click()
{
    const int n = TopRecord + SelectedRow;
    if (n > dm.RecordCount) {
        listMessage(1);
        return;
    }
    const QString refusal = AppendLimitText(dm);
    if (!refusal.isEmpty()) {
        dm.Msg(this, refusal, MsgIcon::Exclamation, MsgButtons::Ok, ListCaption);
        return;
    }
    dm.CurrentRecord = n;
    try {
        if (dm.DataFormat == DataModule::FixedLength)
            DuplicateRecord(dm);
        else
            DuplicateLine(dm);
    } catch (const RunError &e) {
        dm.ErrReport(QStringLiteral("M_E_Copy_Click"), e.description(), this);
    }
    afterChange();
}

void ListLab::M_I_A_Click()
{
    VScroll1->setValue(qMin(VScroll1->value() + 11, VScroll1->maximum()));
}

void ListLab::M_I_B_Click()
{
    VScroll1->setValue(qMax(VScroll1->value() - 11, 1));
}

void ListLab::M_H_Use_Click()
{
    dm.Platform.Help->request(this, dm.HelpFile, HelpCommand::Context, HelpContext);
}

void ListLab::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void ListLab::keyPressEvent(QKeyEvent *event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Escape:
            Menu_End_Click();
            return;
        case Qt::Key_PageDown:
            M_I_A_Click();
            return;
        case Qt::Key_PageUp:
            M_I_B_Click();
            return;
        default: break;
        }
    }
    QDialog::keyPressEvent(event);
}

void ListLab::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    QScrollBar *bar = qAbs(delta.x()) > qAbs(delta.y()) ? HScroll1 : VScroll1;
    QCoreApplication::sendEvent(bar, event);
}

void ListLab::Form_Unload()
{
    if (unloaded)
        return;
    unloaded = true;
    dm.CurrentRecord = 1;
    dm.UnlockMainMenus();
}
