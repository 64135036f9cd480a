#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include "ui/main/artwork.h"
#include "ui/main/splash_window.h"

using namespace tolm::ui;

namespace {

// What the load callback saw.
struct LoadProbe {
    int calls = 0;
    QWidget* passed = nullptr;
    bool visibleDuringLoad = false;
    QElapsedTimer sinceLoad;

    std::function<void(QWidget*)> callback() {
        return [this](QWidget* splash) {
            ++calls;
            passed = splash;
            visibleDuringLoad = splash != nullptr && splash->isVisible();
            sinceLoad.start();
        };
    }
};

} // namespace

class SplashTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void looksLikeTheTitle() {
        SplashWindow splash({}, 0, nullptr);
        QCOMPARE(splash.objectName(), QStringLiteral("frmSplash"));
        QCOMPARE(splash.size(), QSize(240, 192));
        QCOMPARE(splash.minimumSize(), splash.maximumSize());
        QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(splash.windowType(), Qt::SplashScreen);

        auto* picture = splash.findChild<QLabel*>(QStringLiteral("Picture1"));
        QVERIFY(picture != nullptr);
        QCOMPARE(picture->geometry(), QRect(0, 0, 240, 192));
        QCOMPARE(picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 TitlePicture().convertToFormat(QImage::Format_RGB32));

        auto* caption = splash.findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(caption != nullptr);
        QCOMPARE(caption->text(), QStringLiteral("Tolm v0.3 beta"));
        QVERIFY(QRect(0, 0, 240, 192).contains(caption->geometry()));

        auto* timer = splash.findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer != nullptr);
        QVERIFY(timer->isSingleShot());
        QVERIFY(!timer->isActive()); // nothing runs before the splash is shown
    }

    void loadsThenClosesAfterTheDelay_data() {
        QTest::addColumn<int>("delayMs");
        QTest::newRow("at once") << 0;
        QTest::newRow("short") << 150;
        QTest::newRow("longer") << 500;
    }

    void loadsThenClosesAfterTheDelay() {
        QFETCH(int, delayMs);
        LoadProbe probe;
        SplashWindow splash(probe.callback(), delayMs, nullptr);

        const int result = splash.exec();

        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(probe.calls, 1);
        QCOMPARE(probe.passed, &splash);
        QVERIFY(probe.visibleDuringLoad);
        QVERIFY(!splash.isVisible());
        // The pause counts from the end of loading (a coarse timer may fire 5% early).
        const qint64 waited = probe.sinceLoad.elapsed();
        QVERIFY2(waited >= delayMs * 94 / 100, qPrintable(QString::number(waited)));
        QVERIFY2(waited < delayMs + 5000, qPrintable(QString::number(waited)));
    }

    void aSlowLoadDoesNotShortenThePause() {
        LoadProbe probe;
        auto inner = probe.callback();
        SplashWindow splash(
            [&](QWidget* w) {
                QTest::qWait(200);
                inner(w);
            },
            300, nullptr);
        splash.exec();
        QVERIFY(probe.sinceLoad.elapsed() >= 300 * 94 / 100);
    }

    void showingAgainDoesNotLoadAgain() {
        LoadProbe probe;
        SplashWindow splash(probe.callback(), 0, nullptr);
        splash.show();
        QTRY_VERIFY_WITH_TIMEOUT(!splash.isVisible(), 5000);
        splash.show();
        QTest::qWait(100);
        QCOMPARE(probe.calls, 1);
        QVERIFY(splash.isVisible()); // the timer is not started again either
    }
};

QTEST_MAIN(SplashTest)
#include "splash_test.moc"
