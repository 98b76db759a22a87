// Timing of the layout view: how long the picture takes to follow a scroll
// bar, one step at a time, while the engine draws the card's texts onto it
// (vertical glyphs, fitting and joint names on). Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bin/bench_cardview
#include "print/cardview.h"
#include "print/layoutvalues.h"
#include "store/datamodule.h"
#include "store/settingsfile.h"

#include "platform/fonts.h"
#include "platform/printerchoice.h"

#include "harness.h"

#include "support/recordinghelpsystem.h"
#include "support/scriptedcommondialogs.h"
#include "support/scriptedmessageboxes.h"
#include "support/scriptedmodalrunner.h"

#include <QApplication>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Fonts::installSubstitutions();
    ScriptedMessageBoxes boxes;
    ScriptedModalRunner modal;
    RecordingHelpSystem help;
    ScriptedCommonDialogs dialogs;
    SystemPrinterChoice printers(boxes, dialogs);
    DataModule dm(PlatformServices{&boxes, &modal, &help, &dialogs, &printers});
    SettingsFile::applyFirstRun(dm.Settings, QStringLiteral("/tmp"), QDate::currentDate(), LayoutDefaults::factory());
    dm.PrintDirection = Layout::Vertical;

    const QString is(QChar(0x3000));
    CardTexts texts;
    const QString digits = QStringLiteral("5300001");
    for (int k = 1; k <= 7; ++k)
        texts.Digits[k] = digits.mid(k - 1, 1);
    texts.Items = {QStringLiteral("大阪府大阪市北区大淀中一｜一｜八八"),
                   QStringLiteral("梅田スカイビル（タワーイースト）３０２号"),
                   "ジ" + is + "ョ" + is + "ー" + is + "ジ" + is + "様", "花" + is + "子" + is + "様",
                   QStringLiteral("東京都千代田区千代田一｜一｜一"), QStringLiteral("ハーバーランド二〇三号"),
                   QStringLiteral("山田太郎"), QStringLiteral("花子"), QStringLiteral("1 0 0 0 0 0 1")};
    const VerticalChoices choices{true, true, true, QStringLiteral("様")};
    CardView view(dm, texts, storedGroupFonts(dm.Settings, 0), choices);
    view.show();
    QCoreApplication::processEvents();
    view.Option1[1]->click(); // 住所２, the longest line

    constexpr int Steps = 100;
    std::vector<double> ms;
    for (int i = 0; i < Steps; ++i) {
        ms.push_back(1e3 * Bench::seconds([&] {
            view.HScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            view.repaint(); // the whole window at once, as the screen shows it
        }));
    }
    // The first step also loads the fonts' glyphs into the caches.
    const double first = ms.front();
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double m : ms)
        sum += m;
    std::printf("layout view, %d scroll-bar steps of 住所２ with the window repainted: first step %.2f ms; "
                "mean %.2f ms, median %.2f ms, slowest %.2f ms\n",
                Steps, first, sum / Steps, ms[Steps / 2], ms.back());
    return 0;
}
