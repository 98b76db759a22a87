// The hourglass guard: shown while it lives, the pointer before it back on
// every way out, at once when asked.
#include "platform/pointer.h"
#include "platform/runerror.h"

#include <QGuiApplication>
#include <QtTest>

class TestPointer : public QObject {
    Q_OBJECT
private slots:
    void hourglassComesOffOnEveryWayOut();
};

void TestPointer::hourglassComesOffOnEveryWayOut()
{
    int saved = -1;
    try {
        Pointer::Hourglass hourglass(saved);
        QCOMPARE(saved, 0);
        QCOMPARE(Pointer::current(), int(Qt::WaitCursor));
        throw RunError(QStringLiteral("x"));
    } catch (const RunError &) {
    }
    QVERIFY(!QGuiApplication::overrideCursor());

    {
        Pointer::Hourglass hourglass(saved);
        hourglass.restore();
        QVERIFY(!QGuiApplication::overrideCursor());
        // Another override shown after it is not taken away by the guard.
        QGuiApplication::setOverrideCursor(Qt::IBeamCursor);
    }
    QCOMPARE(Pointer::current(), int(Qt::IBeamCursor));
    QGuiApplication::restoreOverrideCursor();
}

QTEST_MAIN(TestPointer)
#include "tst_pointer.moc"
