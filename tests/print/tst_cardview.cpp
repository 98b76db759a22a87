// The layout view: where the picture puts the card's parts, when it says an
// item runs off the card, and what the window shows and stores.
#include "support/cardbook.h"
#include "support/ink.h"
#include "support/testenv.h"
#include "support/books.h"

#include "print/cardpicture.h"
#include "print/cardview.h"
#include "print/princard.h"
#include "store/settingsfile.h"

#include "platform/fonts.h"
#include "platform/painterprinter.h"
#include "platform/twips.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

namespace {

const QString IS = QString(QChar(0x3000));

// Screen pixels of the picture back in millimetres.
double mmOf(int pixels) { return pixels * 25.4 / Twips::toPixelsX(Twips::PerInch); }
// One pixel of the screen, in millimetres: how near a placed control can be.
double pixelMm() { return 25.4 / Twips::toPixelsX(Twips::PerInch); }

CardTexts sampleTexts()
{
    CardTexts t;
    const QString digits = QStringLiteral("1234567");
    for (int k = 1; k <= 7; ++k)
        t.Digits[k] = digits.mid(k - 1, 1);
    t.Items = {QStringLiteral("東京都港区芝一｜一"), QStringLiteral("コ｜ポ一"), "名" + IS + "前" + IS + "様",
               QString(), QStringLiteral("大阪市北区"), QString(), QStringLiteral("差出人"), QString(),
               QStringLiteral("5 3 0 0 0 0 1")};
    return t;
}

// A layout view over factory settings of a direction, with the sample texts.
struct View {
    explicit View(int direction, int postalDigits = 7)
    {
        useFactorySettings(env);
        env.dm->PrintDirection = qint16(direction);
        env.dm->PostalDigits = qint16(postalDigits);
    }
    CardView &open()
    {
        view = std::make_unique<CardView>(*env.dm, sampleTexts(), storedGroupFonts(env.dm->Settings, env.dm->PrintDirection));
        return *view;
    }
    TestEnv env;
    std::unique_ptr<CardView> view;
};

} // namespace

class TestCardView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Fonts::installSubstitutions(); }
    void picturePlaces_data();
    void picturePlaces();
    void postalBoxes();
    void textExtent();
    void beyondCard_data();
    void beyondCard();
    void opens_data();
    void opens();
    void postalDigits_data();
    void postalDigits();
    void movesAndStores_data();
    void movesAndStores();
    void factoryPositions_data();
    void factoryPositions();
    void clickOnCard();
    void positionsBeyondTheBars();
    void openedFromPrintDialog();
    void pictureIsThePrintedCard_data();
    void pictureIsThePrintedCard();
};

// ---- window-free geometry ----

void TestCardView::picturePlaces_data()
{
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("left");
    QTest::addColumn<QPointF>("pictureMm");
    QTest::newRow("address 1, factory") << 300 << 860 << QPointF(51.6, 18.0);
    QTest::newRow("sender name 2, factory") << 895 << 63 << QPointF(3.78, 53.7);
    QTest::newRow("card's bottom edge") << 1480 << 0 << QPointF(0, 88.8);
    QTest::newRow("card's right edge") << 0 << 1000 << QPointF(60.0, 0);
}

void TestCardView::picturePlaces()
{
    QFETCH(int, top);
    QFETCH(int, left);
    QFETCH(QPointF, pictureMm);
    const QPointF at = CardPicture::position(CardPicture::picture(), top, left);
    QCOMPARE(at.x(), pictureMm.x());
    QCOMPARE(at.y(), pictureMm.y());
    // The measuring lines end at the item's corner and start at the card's edges.
    const CardPicture::MeasuringLines lines = CardPicture::measuringLines(top, left);
    QCOMPARE(lines.Upright, QLineF(pictureMm.x(), 0, pictureMm.x(), pictureMm.y()));
    QCOMPARE(lines.Horizontal, QLineF(0, pictureMm.y(), pictureMm.x(), pictureMm.y()));
    // On a page the same position is full size, taken from the printable area.
    const QPointF onPage = CardPicture::position(CardPicture::page(QPointF(2.0, 2.6)), top, left);
    QCOMPARE(onPage.x(), left / 10.0 - 2.0);
    QCOMPARE(onPage.y(), top / 10.0 - 2.6);
}

void TestCardView::postalBoxes()
{
    const CardPicture::CardFrame picture = CardPicture::picture();
    QCOMPARE(CardPicture::card(picture), QRectF(0, 0, 60.0, 88.8));
    // Japan Post's boxes at 0.6: 5.7 x 8.0 mm, the top 12.0 mm down.
    const std::array<double, 8> left = {0, 44.3, 51.3, 58.3, 65.9, 72.7, 79.5, 86.3};
    for (int digit = 1; digit <= 7; ++digit) {
        const QRectF box = CardPicture::postalBox(picture, digit);
        QCOMPARE(box.left(), left[digit] * 0.6);
        QCOMPARE(box.top(), 7.2);
        QCOMPARE(box.width(), 5.7 * 0.6);
        QCOMPARE(box.height(), 8.0 * 0.6);
        // Seven digits stand in the boxes; five stand 10 mm of the picture further right.
        QCOMPARE(CardPicture::digitLabel(digit, 7), box);
        QCOMPARE(CardPicture::digitLabel(digit, 5), box.translated(10.0, 0));
        QVERIFY(CardPicture::digitShown(digit, 7));
        QCOMPARE(CardPicture::digitShown(digit, 5), digit <= 5);
    }
    // The five shown digits stay on the picture.
    QVERIFY(CardPicture::digitLabel(5, 5).right() < 60.0);
    // A page whose printable area starts 2.0 / 2.6 mm in: the first box is 42.3 mm right of it.
    const QRectF onPage = CardPicture::postalBox(CardPicture::page(QPointF(2.0, 2.6)), 1);
    QCOMPARE(onPage.topLeft(), QPointF(44.3 - 2.0, 12.0 - 2.6));
    QCOMPARE(onPage.size(), QSizeF(5.7, 8.0));
}

void TestCardView::textExtent()
{
    // A full-width character of the IPA fonts is one em: 18 point is 6.35 mm.
    const QSizeF across = CardPicture::textExtentMm(QStringLiteral("東京都"), Fonts::Mincho, 18, false);
    QVERIFY2(qAbs(across.width() - 3 * 6.35) < 0.05, qPrintable(QString::number(across.width())));
    const QSizeF down = CardPicture::textExtentMm(QStringLiteral("東京都"), Fonts::Mincho, 18, true);
    QVERIFY2(qAbs(down.width() - 6.35) < 0.05, qPrintable(QString::number(down.width())));
    // Downwards the characters stand one em apart, as the engine prints them.
    QVERIFY2(qAbs(down.height() - 3 * 6.35) < 0.001, qPrintable(QString::number(down.height())));
    QVERIFY(across.height() >= 6.35);
    // A half-width digit is half as wide; a line of it as high as any line of the font.
    const QSizeF digit = CardPicture::textExtentMm(QStringLiteral("1"), Fonts::Gothic, 18, true);
    QVERIFY2(qAbs(digit.width() - 3.175) < 0.05, qPrintable(QString::number(digit.width())));
    QVERIFY(CardPicture::textExtentMm(QString(), Fonts::Mincho, 18, true).isEmpty());
}

void TestCardView::beyondCard_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("downwards");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("beyond");
    const QString ten = QStringLiteral("東京都港区芝一丁目一");
    QTest::newRow("factory address 1") << ten << true << 300 << 860 << false;
    // 18 point is 6.35 mm: a column at 93.6 mm ends at 99.95 mm, at 93.7 mm it ends past 100.
    QTest::newRow("column just inside the right edge") << "東" << true << 300 << 936 << false;
    QTest::newRow("column past the right edge") << "東" << true << 300 << 937 << true;
    QTest::newRow("column running below the card") << ten << true << 1000 << 500 << true;
    // Two characters one em apart: 12.7 mm, from 135.3 mm they end on the bottom edge.
    QTest::newRow("column ending on the bottom edge") << "東京" << true << 1353 << 500 << false;
    QTest::newRow("column a tenth past the bottom edge") << "東京" << true << 1354 << 500 << true;
    QTest::newRow("line past the right edge") << ten << false << 300 << 500 << true;
    QTest::newRow("line at the bottom edge") << "東" << false << 1480 << 0 << true;
    QTest::newRow("empty item at the bottom edge") << "" << false << 1480 << 0 << false;
    QTest::newRow("stored before the card's edge") << "東" << false << -10 << 0 << true;
}

void TestCardView::beyondCard()
{
    QFETCH(QString, text);
    QFETCH(bool, downwards);
    QFETCH(int, top);
    QFETCH(int, left);
    const QSizeF extent = CardPicture::textExtentMm(text, Fonts::Mincho, 18, downwards);
    QTEST(CardPicture::beyondCard(top, left, extent), "beyond");
}

// ---- the window ----

void TestCardView::opens_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::newRow("vertical") << 0 << "30" << "86";
    QTest::newRow("horizontal") << 1 << "30" << "25";
}

void TestCardView::opens()
{
    QFETCH(int, direction);
    View v(direction);
    CardView &view = v.open();
    const int b = direction * 10;
    QCOMPARE(view.windowTitle(), QStringLiteral("葉書印刷位置設定"));
    QCOMPARE(view.width(), Twips::toPixelsX(5900));
    QCOMPARE(view.palette().color(QPalette::Window), QColor(192, 192, 192));
    QVERIFY(view.Picture1[direction]->isVisibleTo(&view));
    QVERIFY(!view.Picture1[1 - direction]->isVisibleTo(&view));
    QCOMPARE(view.Picture1[1]->pos(), view.Picture1[0]->pos());
    // The card at 0.6: 60 x 88.8 mm of the screen.
    QVERIFY(qAbs(mmOf(view.Picture1[direction]->width()) - 60.0) <= pixelMm());
    QVERIFY(qAbs(mmOf(view.Picture1[direction]->height()) - 88.8) <= pixelMm());

    const QStringList captions = {"住所１", "住所２", "氏名１", "氏名２", "差住１", "差住２", "差名１", "差名２", "差郵No"};
    for (int i = 0; i < 9; ++i)
        QCOMPARE(view.Option1[i]->text(), captions[i]);
    QVERIFY(view.Option1[0]->isChecked());
    QCOMPARE(view.SelectedItem(), b);
    QCOMPARE(view.Label6->text(), QStringLiteral("位置"));
    QCOMPARE(view.Label3->text(), QStringLiteral("単位:ﾐﾘﾒｰﾄﾙ"));
    QCOMPARE(view.Label7->text(), QStringLiteral("縦:"));
    QCOMPARE(view.Label8->text(), QStringLiteral("横:"));
    QCOMPARE(view.Command1->text(), QStringLiteral("保存終了(&S)"));
    QCOMPARE(view.Command2->text(), QStringLiteral("標準に戻す(&H)"));
    QCOMPARE(view.Command3->text(), QStringLiteral("閉じる"));
    QCOMPARE(view.HScroll1->orientation(), Qt::Vertical);
    QCOMPARE(view.HScroll2->orientation(), Qt::Horizontal);
    for (auto [bar, max] : {std::pair{view.HScroll1, 1480}, std::pair{view.HScroll2, 1000}}) {
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), max);
        QCOMPARE(bar->singleStep(), 1);
        QCOMPARE(bar->pageStep(), 10);
    }

    // Address 1 selected at its stored place.
    QTEST(view.Label9[0]->text(), "top");
    QTEST(view.Label9[1]->text(), "left");
    QCOMPARE(view.HScroll1->value(), 300);
    QCOMPARE(view.HScroll2->value(), direction == 0 ? 860 : 250);
    const QPoint address1 = view.Label2[b]->pos();
    QVERIFY(qAbs(mmOf(address1.y()) - 18.0) <= pixelMm());
    QVERIFY(qAbs(mmOf(address1.x()) - (direction == 0 ? 51.6 : 15.0)) <= pixelMm());
    // The measuring lines end at its corner.
    QCOMPARE(view.Line4[direction]->geometry(), QRect(address1.x(), 0, 1, address1.y()));
    QCOMPARE(view.Line3[direction]->geometry(), QRect(0, address1.y(), address1.x(), 1));
    // The card shows the dialog's texts, downwards only on a vertical card,
    // the sender's postal code across on both.
    const CardTexts texts = sampleTexts();
    for (int item = 0; item < 9; ++item) {
        QCOMPARE(view.Label2[b + item]->text(), texts.Items[item]);
        QCOMPARE(view.Label2[b + item]->downwards(), direction == 0 && item != 8);
    }
    // Every item at its stored place; a vertical column as tall as its characters print.
    for (int item = 0; item < 9; ++item) {
        const QPoint at = view.Label2[b + item]->pos();
        QVERIFY(qAbs(mmOf(at.x()) - v.env.dm->Settings.LayoutLeft[b + item] * 0.06) <= pixelMm());
        QVERIFY(qAbs(mmOf(at.y()) - v.env.dm->Settings.LayoutTop[b + item] * 0.06) <= pixelMm());
    }
    const QSizeF printed = CardPicture::textExtentMm(texts.Items[0], Fonts::Mincho, direction == 0 ? 18 : 14, direction == 0);
    QCOMPARE(view.Label2[b]->extentMm(), printed);
    QVERIFY(qAbs(mmOf(view.Label2[b]->height()) - printed.height() * 0.6) <= pixelMm());
    QCOMPARE(view.StatusLabel->text(), QString());
    view.Command3->click();
    QCOMPARE(view.result(), int(QDialog::Rejected));
}

void TestCardView::postalDigits_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("postalDigits");
    QTest::newRow("five, vertical") << 0 << 5;
    QTest::newRow("seven, vertical") << 0 << 7;
    QTest::newRow("five, horizontal") << 1 << 5;
    QTest::newRow("seven, horizontal") << 1 << 7;
}

void TestCardView::postalDigits()
{
    QFETCH(int, direction);
    QFETCH(int, postalDigits);
    View v(direction, postalDigits);
    CardView &view = v.open();
    const std::array<QLabel *, 8> &digits = direction == 0 ? view.Lab1 : view.Lab2;
    int shown = 0;
    for (int k = 1; k <= 7; ++k) {
        if (!digits[k]->isVisibleTo(view.Picture1[direction]))
            continue;
        ++shown;
        QCOMPARE(digits[k]->text(), QString::number(k));
        // Seven stand in the card's boxes; five stand 10 mm further right.
        const double boxLeft = CardPicture::postalBox(CardPicture::picture(), k).left();
        const double expected = boxLeft + (postalDigits == 5 ? 10.0 : 0.0);
        QVERIFY2(qAbs(mmOf(digits[k]->x()) - expected) <= pixelMm(), qPrintable(QString::number(k)));
        QVERIFY(qAbs(mmOf(digits[k]->y()) - 7.2) <= pixelMm());
    }
    QCOMPARE(shown, postalDigits);
}

void TestCardView::movesAndStores_data()
{
    QTest::addColumn<int>("direction");
    QTest::newRow("vertical") << 0;
    QTest::newRow("horizontal") << 1;
}

void TestCardView::movesAndStores()
{
    QFETCH(int, direction);
    View v(direction);
    const int b = direction * 10;
    const SettingsRecord before = v.env.dm->Settings;
    CardView &view = v.open();
    view.Option1[8]->click(); // 差郵No
    QCOMPARE(view.SelectedItem(), b + 8);
    QCOMPARE(view.Label9[0]->text(), QStringLiteral("123"));
    QCOMPARE(view.Label9[1]->text(), QStringLiteral("8"));
    view.HScroll1->setValue(1480);
    QCOMPARE(view.WorkTop()[b + 8], qint16(1480));
    QCOMPARE(view.Label9[0]->text(), QStringLiteral("148"));
    // Its label stands on the card's bottom edge; the lines follow it.
    QCOMPARE(view.Label2[b + 8]->y(), view.Picture1[direction]->height());
    QCOMPARE(view.Line4[direction]->height(), view.Picture1[direction]->height());
    QCOMPARE(view.Line3[direction]->y(), view.Picture1[direction]->height());
    // Its text would print below the card: allowed, and said.
    QCOMPARE(view.StatusLabel->text(), QStringLiteral("印刷範囲外です"));
    view.HScroll2->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(view.WorkLeft()[b + 8], qint16(90));
    QCOMPARE(view.Label9[1]->text(), QStringLiteral("9"));
    // Another item on the card: the status is its own.
    view.Option1[0]->click();
    QCOMPARE(view.StatusLabel->text(), QString());
    QCOMPARE(view.HScroll1->value(), 300);
    view.Option1[8]->click();
    QCOMPARE(view.StatusLabel->text(), QStringLiteral("印刷範囲外です"));
    QCOMPARE(view.HScroll1->value(), 1480);

    view.Command1->click();
    QCOMPARE(view.result(), int(QDialog::Accepted));
    const SettingsRecord &after = v.env.dm->Settings;
    for (int i = 0; i < 20; ++i) {
        const bool moved = i == b + 8;
        QCOMPARE(after.LayoutTop[i], moved ? qint16(1480) : before.LayoutTop[i]);
        QCOMPARE(after.LayoutLeft[i], moved ? qint16(90) : before.LayoutLeft[i]);
    }
}

void TestCardView::factoryPositions_data()
{
    QTest::addColumn<int>("direction");
    QTest::newRow("vertical") << 0;
    QTest::newRow("horizontal") << 1;
}

void TestCardView::factoryPositions()
{
    QFETCH(int, direction);
    View v(direction);
    const int b = direction * 10;
    SettingsRecord &settings = v.env.dm->Settings;
    for (int i = 0; i < 20; ++i) {
        settings.LayoutTop[i] = qint16(100 + i);
        settings.LayoutLeft[i] = qint16(200 + i);
    }
    const SettingsRecord moved = settings;
    const LayoutDefaults factory = LayoutDefaults::factory();
    {
        // 標準に戻す then 閉じる: the factory places are shown, nothing is stored.
        CardView &view = v.open();
        view.Option1[3]->click();
        view.Command2->click();
        QCOMPARE(view.SelectedItem(), b);
        QVERIFY(view.Option1[0]->isChecked());
        QCOMPARE(view.Label9[0]->text(), QStringLiteral("30"));
        QCOMPARE(view.HScroll2->value(), int(factory.Left[b]));
        for (int item = 0; item < 9; ++item) {
            const QPoint at = view.Label2[b + item]->pos();
            QVERIFY(qAbs(mmOf(at.y()) - factory.Top[b + item] * 0.06) <= pixelMm());
            QVERIFY(qAbs(mmOf(at.x()) - factory.Left[b + item] * 0.06) <= pixelMm());
        }
        view.Command3->click();
        QCOMPARE(settings.LayoutTop, moved.LayoutTop);
        QCOMPARE(settings.LayoutLeft, moved.LayoutLeft);
    }
    {
        // 標準に戻す then 保存終了: the factory places of this direction only.
        CardView &view = v.open();
        view.Command2->click();
        view.Command1->click();
        for (int i = 0; i < 20; ++i) {
            const bool thisDirection = i >= b && i < b + 9;
            QCOMPARE(settings.LayoutTop[i], thisDirection ? factory.Top[i] : moved.LayoutTop[i]);
            QCOMPARE(settings.LayoutLeft[i], thisDirection ? factory.Left[i] : moved.LayoutLeft[i]);
        }
    }
}

void TestCardView::clickOnCard()
{
    for (int direction : {0, 1}) {
        View v(direction);
        CardView &view = v.open();
        view.show();
        const int b = direction * 10;
        // 氏名２ is empty, yet it can be found and clicked on the card.
        QTest::mouseClick(view.Label2[b + 3], Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(view.Option1[3]->isChecked());
        QCOMPARE(view.SelectedItem(), b + 3);
        QCOMPARE(view.Label9[0]->text(), Layout::millimetreText(LayoutDefaults::factory().Top[b + 3]));
        QCOMPARE(view.HScroll2->value(), int(LayoutDefaults::factory().Left[b + 3]));
        view.HScroll1->setValue(700);
        QCOMPARE(view.WorkTop()[b + 3], qint16(700));
        QCOMPARE(view.WorkTop()[b + 2], LayoutDefaults::factory().Top[b + 2]);
        view.Command3->click();
        QCOMPARE(v.env.dm->Settings.LayoutTop[b + 3], LayoutDefaults::factory().Top[b + 3]);
    }
}

void TestCardView::positionsBeyondTheBars()
{
    // A position no bar can hold (a settings file written elsewhere) is shown
    // as it is and stored as it is, until the user moves that item.
    View v(0);
    v.env.dm->Settings.LayoutTop[0] = 2000;
    v.env.dm->Settings.LayoutLeft[1] = -30;
    CardView &view = v.open();
    QCOMPARE(view.Label9[0]->text(), QStringLiteral("200"));
    QCOMPARE(view.HScroll1->value(), 1480);
    QCOMPARE(view.WorkTop()[0], qint16(2000));
    QCOMPARE(view.StatusLabel->text(), QStringLiteral("印刷範囲外です"));
    view.Option1[1]->click();
    QCOMPARE(view.Label9[1]->text(), QStringLiteral("-3"));
    QCOMPARE(view.HScroll2->value(), 0);
    QCOMPARE(view.StatusLabel->text(), QStringLiteral("印刷範囲外です"));
    view.HScroll1->setValue(400);
    view.Command1->click();
    QCOMPARE(v.env.dm->Settings.LayoutTop[0], qint16(2000));
    QCOMPARE(v.env.dm->Settings.LayoutLeft[1], qint16(-30));
    QCOMPARE(v.env.dm->Settings.LayoutTop[1], qint16(400));
}

void TestCardView::openedFromPrintDialog()
{
    TestEnv env;
    env.writeFile("a.kno", fixedRecord({"山田太郎", "ﾔﾏﾀﾞ", "105-0014", "東京都港区芝１－２", "", "", "", "", "", ""}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    useFactorySettings(env);
    env.dm->Settings.SenderNumber = 0;
    PrinCard card(*env.dm);
    QVERIFY(card.Command4->isEnabled());
    card.Option2->click();
    card.Text08->setText(QStringLiteral("編集した名前"));
    card.Text06->setText(QStringLiteral("編集した住所"));
    env.modal.then([](QDialog &dialog) {
        auto &view = static_cast<CardView &>(dialog);
        // The horizontal card with the boxes as they stand, in the horizontal fonts.
        if (!view.Picture1[1]->isVisibleTo(&view) || view.Label2[10]->text() != QStringLiteral("編集した住所")
            || view.Label2[12]->text() != QStringLiteral("編集した名前") || view.Label2[10]->downwards()
            || view.Lab2[1]->text() != QStringLiteral("1") || view.Lab2[7]->text() != QStringLiteral("4"))
            return int(QDialog::Rejected);
        view.Option1[2]->click();
        view.HScroll1->setValue(555);
        view.Command1->click();
        return view.result();
    });
    card.Command4->click();
    QCOMPARE(env.modal.ran, QStringList({"CardView"}));
    QCOMPARE(env.dm->Settings.LayoutTop[12], qint16(555));
    QCOMPARE(env.dm->Settings.LayoutTop[2], LayoutDefaults::factory().Top[2]);
    card.close();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestCardView::pictureIsThePrintedCard_data()
{
    QTest::addColumn<bool>("glyphs");
    QTest::addColumn<bool>("align");
    QTest::newRow("vertical glyphs, names aligned") << true << true;
    QTest::newRow("both off") << false << false;
}

void TestCardView::pictureIsThePrintedCard()
{
    QFETCH(bool, glyphs);
    QFETCH(bool, align);
    View v(0);
    CardTexts texts = sampleTexts();
    texts.Items[0] = QStringLiteral("コーポ");
    texts.Items[2] = "山" + IS + "田" + IS + "太" + IS + "郎" + IS + "様";
    texts.Items[3] = "花" + IS + "子" + IS + "様";
    const VerticalChoices choices{glyphs, true, align, QStringLiteral("様")};
    CardView view(*v.env.dm, texts, storedGroupFonts(v.env.dm->Settings, 0), choices);
    const QImage picture = view.Picture1[0]->grab().toImage();
    // Picture pixels of a place on the card (millimetres).
    const double perMm = Twips::toPixelsX(Twips::PerInch) / 25.4 * 0.6;
    const auto cell = [&](double leftMm, double topMm, double emMm) {
        return QRect(qRound(leftMm * perMm), qRound(topMm * perMm), qRound(emMm * perMm), qRound(emMm * perMm));
    };
    // The ー of address 1 (18 point, from 30.0 mm at 86.0 mm), second cell:
    // along the column with the vertical glyphs, across without.
    const double em18 = 18 * 25.4 / 72;
    const QRect bar = Ink::box(picture, cell(86.0, 30.0 + em18, em18));
    QVERIFY(!bar.isEmpty());
    if (glyphs)
        QVERIFY2(bar.height() >= 2 * bar.width(), qPrintable(QStringLiteral("%1x%2").arg(bar.width()).arg(bar.height())));
    else
        QVERIFY2(bar.width() >= 2 * bar.height(), qPrintable(QStringLiteral("%1x%2").arg(bar.width()).arg(bar.height())));
    // The second name line (24 point, at 48.0 mm from 34.0 mm): moved down
    // four cells, 花 level with 太, when aligned; the label that chooses it
    // covers the moved line.
    const double em24 = 24 * 25.4 / 72;
    const int lead = align ? 4 : 0;
    // (Below the card's outline and the measuring line of address 1 at 30 mm.)
    const QRect column(qRound(48.0 * perMm), qRound(33.0 * perMm), qRound(em24 * perMm), qRound(100 * perMm));
    const QRect secondLine = Ink::box(picture, column);
    QVERIFY(!secondLine.isEmpty());
    const double firstInkMm = secondLine.top() / perMm;
    QVERIFY2(firstInkMm > 34.0 + lead * em24 && firstInkMm < 34.0 + (lead + 0.3) * em24,
             qPrintable(QString::number(firstInkMm)));
    const QRect taro = Ink::box(picture, cell(60.0, 34.0 + 4 * em24, em24));
    if (align)
        QVERIFY(qAbs(taro.top() - secondLine.top()) <= 1);
    QVERIFY(qAbs(view.Label2[3]->extentMm().height() - (lead + 5) * em24) < 1e-6);
    QVERIFY(qAbs(mmOf(view.Label2[3]->height()) - (lead + 5) * em24 * 0.6) <= pixelMm());

    // The engine's own page of the same card shows the same ー.
    ImagePrinter page(QSizeF(95.9, 142.8), 300);
    const PrintTable table = PrepareLayout(page, v.env.dm->Settings, 0, storedGroupFonts(v.env.dm->Settings, 0));
    PrintEngine engine(page, table, CardCorrections{15.2, 48.2, 0, 7}, choices);
    QCOMPARE(engine.PrintCard(texts, true), CardResult::Printed);
    page.endDoc();
    const double perMmPage = 300 / 25.4;
    const QRect printedBar = Ink::box(page.pages().value(0),
                                      QRect(qRound(86.0 * perMmPage), qRound((30.0 + em18) * perMmPage),
                                            qRound(em18 * perMmPage), qRound(em18 * perMmPage)));
    QCOMPARE(printedBar.height() >= 2 * printedBar.width(), glyphs);
}

QTEST_MAIN(TestCardView)
#include "tst_cardview.moc"
