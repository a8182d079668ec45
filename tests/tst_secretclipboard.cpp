#include "data/interfacepublicdata.h"
#include "vault/secretclipboard.h"

#include <QGuiApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestSecretClipboard : public QObject
{
    Q_OBJECT

private slots:
    // What the clipboard holds after the countdown, a logout or the program's end: only the program's own text goes.
    void clearsOnlyItsOwn_data()
    {
        QTest::addColumn<QString>("userCopies"); // copied by the user after the program, empty for nothing
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("then"); // "logout" or "quit", empty to let the countdown run
        QTest::addColumn<QString>("left");
        QTest::addColumn<QList<int>>("shown"); // the seconds the countdown showed
        // clang-format off
        QTest::newRow("countdown ends") << "" << 5 << "" << "" << QList<int>{5, 4, 3, 2, 1, 0};
        QTest::newRow("user copied since") << "mine" << 5 << "" << "mine" << QList<int>{5, 0};
        QTest::newRow("logout after the user copied") << "mine" << 0 << "logout" << "mine" << QList<int>{0};
        QTest::newRow("never cleared by time") << "" << 0 << "" << "s3cret!" << QList<int>{0};
        QTest::newRow("out of range means the default, logout") << "" << 500 << "logout" << "" << QList<int>{10, 0};
        QTest::newRow("quit") << "" << 0 << "quit" << "" << QList<int>{0};
        // clang-format on
    }
    void clearsOnlyItsOwn()
    {
        QFETCH(QString, userCopies);
        QFETCH(int, seconds);
        QFETCH(QString, then);
        QFETCH(QString, left);
        QFETCH(QList<int>, shown);
        QClipboard *clipboard = QGuiApplication::clipboard();
        // The program's own, wired to the logout and the end of the program.
        SecretClipboard &secret = *SecretClipboard::instance();
        secret.setTickMsec(20);
        QSignalSpy countdown(&secret, &SecretClipboard::SIGNALCountdown);
        secret.copy("s3cret!", seconds);
        QCOMPARE(clipboard->text(), QString("s3cret!"));
        QCOMPARE(clipboard->mimeData()->data("x-kde-passwordManagerHint"), QByteArray("secret"));
        if (!userCopies.isEmpty())
            clipboard->setText(userCopies);
        if (then == "logout") {
            interfacePublicData.aesLogout(LogoutManual);
        } else if (then == "quit") {
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            QCoreApplication::exec();
        } else if (seconds > 0) {
            QTRY_COMPARE(secret.secondsLeft(), 0);
        }
        QCOMPARE(clipboard->text(), left);
        QList<int> counted;
        for (const QList<QVariant> &second : countdown)
            counted.append(second.at(0).toInt());
        QCOMPARE(counted, shown);
    }
};

QTEST_MAIN(TestSecretClipboard)
#include "tst_secretclipboard.moc"
