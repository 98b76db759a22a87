#include "print/printall.h"

#include "store/blanks.h"

#include "platform/printerdevice.h"
#include "platform/runerror.h"

bool filtersByMark(const QString &markText)
{
    return !trimBlanks(markText).isEmpty();
}

bool markSelected(const QString &markText, const QString &recordMark)
{
    return !filtersByMark(markText) || markText == recordMark;
}

AllPrintResult PrintAll(PrinterDevice &printer, PrintEngine &engine, const AllPrintJob &job,
                        const AllPrintSteps &steps)
{
    AllPrintResult result;
    for (int n = 1; n <= job.RecordCount; ++n) {
        if (steps.StartRecord)
            steps.StartRecord(n);
        if (steps.CancelRequested && steps.CancelRequested()) {
            result.Cancelled = true;
            break;
        }
        if (n == job.SenderNumber)
            continue;
        ComposedCard card;
        try {
            card = steps.Compose(n);
        } catch (const RunError &error) {
            result.Failed = true;
            result.FailedRecord = n;
            result.Error = error.description();
            break;
        }
        if (!markSelected(job.MarkText, card.Mark))
            continue;
        if (steps.Printing)
            steps.Printing(card.Name);
        // Measured before the page is started, so a refused card leaves no blank page.
        if (!engine.CardFits(card.Texts, job.Vertical)) {
            result.LeftOut.append(card.Name);
            if (steps.Refused)
                steps.Refused(card.Name);
            continue;
        }
        if (result.Printed > 0)
            printer.newPage();
        engine.PrintCard(card.Texts, job.Vertical);
        ++result.Printed;
    }
    return result;
}
