#include "edit/dispdata.h"

#include "edit/entryform.h"
#include "store/datamodule.h"

#include "platform/codec.h"
#include "platform/fonts.h"
#include "platform/runerror.h"
#include "platform/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace {

struct RowDesign {
    const char *caption;
    const char *captionName;
    int top, width;
};

const std::array<RowDesign, 10> Rows = {{
    {"名前", "Label1", 240, 5190},
    {"ﾌﾘｶﾞﾅ", "Label12", 600, 2540},
    {"郵便番号", "Label2", 960, 1335},
    {"住所１", "Label3", 1320, 5190},
    {"住所２", "Label4", 1680, 5190},
    {"電話番号", "Label5", 2040, 2540},
    {"勤務先", "Label6", 2400, 5190},
    {"役職", "Label7", 2760, 5190},
    {"勤務先℡", "Label8", 3120, 2540},
    {"マーク", "Label9", 3480, 2540},
}};

} // namespace

DispData::DispData(DataModule &data, QWidget *parent)
    : FormDialog(data, parent)
{
    setObjectName(QStringLiteral("DispData"));
    setWindowTitle(QStringLiteral("データ表示"));
    setFont(Fonts::make(Fonts::Mincho, 12));
    buildClient(6510, 4725, false);
    QWidget *area = client();

    for (int n = 0; n < 10; ++n) {
        const RowDesign &d = Rows[n];
        auto *caption = new QLabel(QString::fromUtf8(d.caption), area);
        caption->setObjectName(QString::fromLatin1(d.captionName));
        caption->setGeometry(Twips::rect(120, d.top, 975, 255));
        auto *value = new QLabel(area);
        value->setObjectName(QStringLiteral("Lab%1").arg(n + 1, 2, 10, QLatin1Char('0')));
        value->setGeometry(Twips::rect(1200, d.top, d.width, 255));
        value->setTextFormat(Qt::PlainText);
        // Window colours, so that the values look like read-only boxes.
        QPalette palette = value->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::Base));
        palette.setColor(QPalette::WindowText, palette.color(QPalette::Text));
        value->setPalette(palette);
        value->setAutoFillBackground(true);
        Captions[n] = caption;
        Values[n] = value;
    }
    Lab01 = Values[0]; Lab02 = Values[1]; Lab03 = Values[2]; Lab04 = Values[3]; Lab05 = Values[4];
    Lab06 = Values[5]; Lab07 = Values[6]; Lab08 = Values[7]; Lab09 = Values[8]; Lab10 = Values[9];

    const QFont small = Fonts::make(Fonts::Mincho, 9.75);
    Label10 = new QLabel(QStringLiteral("ﾃﾞｰﾀ番号"), area);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setFont(small);
    Label10->setGeometry(Twips::rect(5040, 6, 855, 255));
    Label11 = new QLabel(area);
    Label11->setObjectName(QStringLiteral("Label11"));
    Label11->setFont(small);
    Label11->setGeometry(Twips::rect(5880, 6, 495, 255));
    Label13 = new QLabel(QStringLiteral("前後のﾃﾞｰﾀ参照"), area);
    Label13->setObjectName(QStringLiteral("Label13"));
    Label13->setFont(small);
    Label13->setGeometry(Twips::rect(120, 3840, 1455, 255));

    HScroll1 = new QScrollBar(Qt::Horizontal, area);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(Twips::rect(120, 4100, 4095, 375));
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(5);
    HScroll1->installEventFilter(this);
    Label13->setBuddy(HScroll1);

    Command3 = new QPushButton(QStringLiteral("閉じる(&X)"), area);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setFont(Fonts::make(Fonts::Gothic, 9.75));
    Command3->setGeometry(Twips::rect(4890, 4100, 1500, 375));
    Command3->setAutoDefault(false);
    setCloseButton(Command3);

    Form_Load();

    // Connected after loading, so the first record is read once.
    connect(HScroll1, &QScrollBar::valueChanged, this, &DispData::HScroll1_Change);
    connect(Command3, &QPushButton::clicked, this, &DispData::Command3_Click);
}

void DispData::Form_Load()
{
    dm.LockMainMenus();
    placeOnScreen();
    HScroll1->setRange(1, qMax<int>(1, dm.RecordCount));
    HScroll1->setValue(dm.CurrentRecord);
    // The number shown is always the scroll bar's position.
    ShownRecord = HScroll1->value();
    display(QStringLiteral("Form_Load"));
    HScroll1->setFocus();
}

void DispData::display(const QString &handler)
{
    try {
        ShowRecord();
    } catch (const RunError &error) {
        dm.Trace(handler);
        dm.ErrReport(handler, error.description(), this);
    }
}

void DispData::ShowRecord()
{
    dm.ClearRecord();
    Label11->setText(recordNumberText(ShownRecord));
    if (ShownRecord < 1 || ShownRecord > dm.RecordCount) {
        for (QLabel *value : Values)
            value->clear();
        throw RunError(QStringLiteral("ﾃﾞｰﾀ番号 %1 のﾃﾞｰﾀはありません。").arg(ShownRecord));
    }
    if (dm.DataFormat == DataModule::FixedLength) {
        dm.ReadRecord(ShownRecord);
        // The fields whole: trailing blanks stay (and are not seen).
        for (int f = 1; f <= 10; ++f)
            Values[f - 1]->setText(Cp932::decode(dm.RecordBuffer.fieldBytes(f)));
    } else {
        dm.LoadRecord(ShownRecord);
        for (int f = 1; f <= 10; ++f)
            Values[f - 1]->setText(dm.FieldText[f]);
    }
}

void DispData::HScroll1_Change()
{
    ShownRecord = HScroll1->value();
    display(QStringLiteral("HScroll1_Change"));
}

bool DispData::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == HScroll1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            switch (key->key()) {
            case Qt::Key_Right:
            case Qt::Key_Down:
                HScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                return true;
            case Qt::Key_Left:
            case Qt::Key_Up:
                HScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
                return true;
            default: break;
            }
        }
    }
    return FormDialog::eventFilter(watched, event);
}

void DispData::Command3_Click()
{
    closeForm();
}

void DispData::Form_Unload()
{
    dm.UnlockMainMenus();
}
