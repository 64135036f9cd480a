#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "ui/main/about_window.h"
#include "ui/main/artwork.h"

using namespace tolm::ui;

class AboutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void threeLinesNoMore() {
        const QString text = AboutWindow::AboutText();
        QVERIFY(!text.endsWith(QLatin1Char('\n')) && !text.endsWith(QLatin1Char('\r')));
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 3);
        for (const QString& line : lines) {
            // No stray breaks of another kind hiding a fourth line.
            QVERIFY(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')));
            QVERIFY(!line.trimmed().isEmpty());
        }
    }

    void eachLineSaysItsPart_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("name and version") << 0 << QString() << QStringLiteral(" (Tolm) v0.3 beta");
        QTest::newRow("credit") << 1 << QStringLiteral("Written by ") << QString();
        QTest::newRow("years") << 2 << QString() << QString();
    }

    void eachLineSaysItsPart() {
        QFETCH(int, line);
        QFETCH(QString, prefix);
        QFETCH(QString, suffix);
        const QString text = AboutWindow::AboutText().split(QStringLiteral("\r\n")).value(line);
        QVERIFY2(text.startsWith(prefix), qPrintable(text));
        QVERIFY2(text.endsWith(suffix), qPrintable(text));
        // Something of our own stands beside the fixed words.
        QVERIFY2(text.size() > prefix.size() + suffix.size(), qPrintable(text));
        if (line == 2) {
            QVERIFY2(text.contains(QRegularExpression(QStringLiteral("\\b(19|20)\\d\\d\\b"))),
                     qPrintable(text));
        }
    }

    void showsLogoAndText() {
        AboutWindow about(nullptr);
        QCOMPARE(about.objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(about.windowTitle(), QStringLiteral("about"));
        QVERIFY(!about.windowIcon().isNull());

        auto* label = about.findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(label != nullptr);
        QCOMPARE(label->text(), AboutWindow::AboutText());

        auto* picture = about.findChild<QLabel*>(QStringLiteral("Picture1"));
        QVERIFY(picture != nullptr);
        QCOMPARE(picture->pixmap().size(), QSize(240, 192));
        QCOMPARE(picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 Logo().convertToFormat(QImage::Format_RGB32));

        auto* ok = about.findChild<QPushButton*>(QStringLiteral("Command1"));
        QVERIFY(ok != nullptr);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
    }

    void cannotBeResized() {
        AboutWindow about(nullptr);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const QSize natural = about.size();
        QCOMPARE(about.minimumSize(), natural);
        QCOMPARE(about.maximumSize(), natural);
        about.resize(natural + QSize(200, 100));
        QCOMPARE(about.size(), natural);
        // Everything fits: the logo is shown whole.
        auto* picture = about.findChild<QLabel*>(QStringLiteral("Picture1"));
        QCOMPARE(picture->size(), QSize(240, 192));
    }

    void okCloses() {
        QWidget owner;
        owner.show();
        auto* about = new AboutWindow(&owner);
        about->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<AboutWindow> guard = about;
        QTimer::singleShot(0, about, [about] {
            QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        });
        QCOMPARE(about->exec(), int(QDialog::Accepted));
        QTRY_VERIFY(guard.isNull());
    }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
