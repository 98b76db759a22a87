// 印刷ﾌﾟﾚﾋﾞｭｰ of the print dialog: the cards 単印刷 or 全印刷 would print,
// drawn by the same engine, on the printer's page, before a card is spent.
#include "print/cardpreview.h"
#include "print/princard.h"
#include "print/printall.h"
#include "print/printtable.h"
#include "store/blanks.h"
#include "store/datamodule.h"

#include "platform/modalrunner.h"
#include "platform/runerror.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QRadioButton>

void PrinCard::Print_View_Click()
{
    if (printing)
        return;
    const QString handler = QStringLiteral("Print_View_Click");
    const std::optional<CardCorrections> corrections = readCorrections();
    if (!corrections)
        return;
    PreviewSheet sheet;
    try {
        sheet = dm.Platform.Printers->previewSheet(cardJob());
    } catch (const RunError &error) {
        report(handler, error.description());
        return;
    }

    // What the commands would print: the boxes as they stand, the fonts the
    // labels show, the direction of the option buttons.
    const CardTexts current = BoxTexts();
    const GroupFonts fonts = shownGroupFonts();
    const bool vertical = Option1->isChecked();
    const VerticalChoices verticalPrinting = verticalChoices();
    const qint32 record = dm.CurrentRecord;
    // The page as it comes out of that printer: its own shift and feed.
    const PagePlacement placement = printerPlacement();
    // All print composes every record into the addressee's boxes; the
    // preview puts back what they held, edits included.
    const auto restoreAddressee = [this, &current, record] {
        for (int k = 1; k <= 7; ++k)
            Text01[k]->setText(current.Digits[k]);
        const std::array<QLineEdit *, 4> boxes = {Text06, Text07, Text08, Text09};
        for (int item = 0; item < 4; ++item)
            boxes[item]->setText(current.Items[item]);
        dm.CurrentRecord = record;
    };

    const CardPreview::Render render = [&](PrinterDevice &device, CardPreview::Cards cards) {
        CardPreview::Rendered out;
        device.setPlacement(placement);
        const PrintTable table = PrepareLayout(device, dm.Settings, dm.PrintDirection, fonts);
        PrintEngine engine(device, table, *corrections, verticalPrinting);
        if (cards == CardPreview::Cards::Current) {
            if (engine.PrintCard(current, vertical) == CardResult::Printed)
                out.Cards = 1;
            else
                out.LeftOut.append(current.Items[Layout::Name1]);
            return out;
        }
        // The run of 全印刷: the same records, mark and sender rule.
        AllPrintJob job;
        job.RecordCount = dm.RecordCount;
        job.SenderNumber = Label5->text().toInt();
        job.MarkText = Text3->text();
        job.Vertical = vertical;
        AllPrintSteps steps;
        steps.StartRecord = [this](int n) { dm.CurrentRecord = n; };
        steps.Compose = [this](int) {
            ComposeAddressee();
            return ComposedCard{BoxTexts(), dm.FieldText[Name], trimRightBlanks(dm.FieldText[Mark])};
        };
        struct Restore {
            std::function<void()> run;
            ~Restore() { run(); }
        } restore{restoreAddressee};
        const AllPrintResult result = PrintAll(device, engine, job, steps);
        out.Cards = result.Printed;
        out.LeftOut = result.LeftOut;
        if (result.Failed)
            out.Error = result.Error;
        return out;
    };

    CardPreview preview(sheet, render, this);
    dm.Platform.Modal->run(preview);
    if (!preview.LastRendered().Error.isEmpty())
        report(handler, preview.LastRendered().Error);
    if (!preview.PrintRequested())
        return;
    if (preview.ShownCards() == CardPreview::Cards::AllPrint)
        Command2_Click();
    else
        Command1_Click();
}
