#include "print/cardpreview.h"

#include "print/cardpicture.h"

#include "platform/previewprinter.h"
#include "platform/runerror.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>

namespace {

// The card's postal-code boxes as the preview shows them: a thin, pale
// vermilion that no printed text is mistaken for.
QPen faintBoxPen()
{
    QPen pen(QColor(227, 66, 52, 110));
    pen.setWidthF(0.2); // millimetres
    return pen;
}

} // namespace

CardPreview::CardPreview(PreviewSheet &sheet, Render cardRender, QWidget *parent)
    : QPrintPreviewDialog(sheet.printer.get(), parent), printableMm(sheet.printableMm), render(std::move(cardRender))
{
    setObjectName(QStringLiteral("CardPreview"));
    setWindowTitle(QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ"));
    preview = findChild<QPrintPreviewWidget *>();

    auto *bar = findChild<QToolBar *>();
    if (bar) {
        // The preview's own printing, page setup and orientation would work
        // on its page only, not on the printer the cards go to: the cards
        // are printed by the print dialog's command, on a portrait card.
        QStringList own;
        for (const char *text : {"Print", "Page setup", "Portrait", "Landscape"})
            own << QCoreApplication::translate("QPrintPreviewDialog", text);
        for (QAction *action : bar->actions())
            if (own.contains(action->text()))
                action->setVisible(false);
        bar->addSeparator();
    }
    auto *group = new QActionGroup(this);
    View_Tan = group->addAction(QStringLiteral("単印刷"));
    View_Tan->setObjectName(QStringLiteral("View_Tan"));
    View_All = group->addAction(QStringLiteral("全印刷"));
    View_All->setObjectName(QStringLiteral("View_All"));
    for (QAction *a : {View_Tan, View_All})
        a->setCheckable(true);
    View_Tan->setChecked(true);
    View_Print = new QAction(QStringLiteral("印刷(&P)"), this);
    View_Print->setObjectName(QStringLiteral("View_Print"));
    if (bar) {
        bar->addAction(View_Tan);
        bar->addAction(View_All);
        bar->addSeparator();
        bar->addAction(View_Print);
    }
    LeftOutLabel = new QLabel(this);
    LeftOutLabel->setObjectName(QStringLiteral("LeftOutLabel"));
    LeftOutLabel->setTextFormat(Qt::PlainText);
    LeftOutLabel->setWordWrap(true);
    LeftOutLabel->hide();
    if (layout())
        layout()->addWidget(LeftOutLabel);
    // Room for a card at about its own size.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        resize(qMin(area.width(), 900), qMin(area.height(), 860));
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }

    connect(View_Tan, &QAction::triggered, this, [this] { ShowCards(Cards::Current); });
    connect(View_All, &QAction::triggered, this, [this] { ShowCards(Cards::AllPrint); });
    connect(View_Print, &QAction::triggered, this, [this] {
        printRequested = true;
        accept();
    });
    connect(this, &QPrintPreviewDialog::paintRequested, this, &CardPreview::PaintCards);
}

CardPreview::~CardPreview() = default;

void CardPreview::ShowCards(Cards cards)
{
    (cards == Cards::AllPrint ? View_All : View_Tan)->setChecked(true);
    if (cards == shown)
        return;
    shown = cards;
    if (preview)
        preview->updatePreview();
}

void CardPreview::PaintCards(QPrinter *printer)
{
    last = Rendered();
    {
        PreviewPrinter device(*printer, printableMm);
        const CardPicture::CardFrame page = CardPicture::page(printableMm.topLeft());
        device.PageStarted = [page](QPainter &painter) {
            CardPicture::drawPostalBoxes(painter, page, faintBoxPen());
        };
        try {
            last = render(device, shown);
            device.endDoc();
        } catch (const RunError &error) {
            device.killDoc();
            last.Error = error.description();
        }
    }
    LeftOutLabel->setText(last.LeftOut.isEmpty()
                              ? QString()
                              : QStringLiteral("印刷領域外のため印刷されない宛名：")
                                    + last.LeftOut.join(QStringLiteral("、")));
    LeftOutLabel->setVisible(!last.LeftOut.isEmpty());
}
