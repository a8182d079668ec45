#include "vault/secretclipboard.h"

#include <QGuiApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

class TestSecretClipboard : public QObject
{
    Q_OBJECT

private slots:
    // What the clipboard holds after the countdown or a logout: only the program's own text goes.
    void clearsOnlyItsOwn_data()
    {
        QTest::addColumn<QString>("userCopies"); // copied by the user after the program, empty for nothing
        QTest::addColumn<int>("seconds");
        QTest::addColumn<bool>("logout");
        QTest::addColumn<QString>("left");
        QTest::newRow("countdown ends") << "" << 5 << false << "";
        QTest::newRow("user copied since") << "mine" << 5 << false << "mine";
        QTest::newRow("logout after the user copied") << "mine" << 0 << true << "mine";
        QTest::newRow("never cleared by time") << "" << 0 << false << "s3cret!";
        QTest::newRow("out of range means the default, logout") << "" << 500 << true << "";
    }
    void clearsOnlyItsOwn()
    {
        QFETCH(QString, userCopies);
        QFETCH(int, seconds);
        QFETCH(bool, logout);
        QFETCH(QString, left);
        QClipboard *clipboard = QGuiApplication::clipboard();
        SecretClipboard secret(clipboard);
        secret.setTickMsec(20);
        QSignalSpy countdown(&secret, &SecretClipboard::SIGNALCountdown);
        secret.copy("s3cret!", seconds);
        QCOMPARE(clipboard->text(), QString("s3cret!"));
        QCOMPARE(clipboard->mimeData()->data("x-kde-passwordManagerHint"), QByteArray("secret"));
        if (!userCopies.isEmpty())
            clipboard->setText(userCopies);
        if (logout)
            secret.clear();
        else if (seconds > 0)
            QTRY_COMPARE(secret.secondsLeft(), 0);
        QCOMPARE(clipboard->text(), left);
        QCOMPARE((QList<int>{countdown.first().at(0).toInt(), countdown.last().at(0).toInt()}),
                 (QList<int>{SecretClipboard::clearSecondsValid(seconds) ? seconds : 10, 0}));
    }
};

QTEST_MAIN(TestSecretClipboard)
#include "tst_secretclipboard.moc"
