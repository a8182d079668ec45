#include "vault/passwordgenerator.h"

#include <QRegularExpression>
#include <QTest>

class TestPasswordGenerator : public QObject
{
    Q_OBJECT

private slots:
    void generate_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("kinds");
        QTest::addColumn<int>("expectedLength");
        QTest::addColumn<QString>("allowed");
        QTest::addColumn<QStringList>("present");
        const QString lower = "a-z", upper = "A-Z", digits = "0-9", symbols = "!@#$%^&*_.?";
        QTest::newRow("default, every kind") << 20 << int(PasswordGenerator::AllKinds) << 20 << "a-zA-Z0-9!@#$%^&*_.?"
                                             << QStringList{lower, upper, digits, symbols};
        QTest::newRow("shortest, digits and symbols")
            << 8 << int(PasswordGenerator::Digits | PasswordGenerator::Symbols) << 8 << "0-9!@#$%^&*_.?"
            << QStringList{digits, symbols};
        QTest::newRow("too short grows to 8")
            << 3 << int(PasswordGenerator::Letters) << 8 << "a-zA-Z" << QStringList{lower, upper};
        QTest::newRow("too long stops at 64")
            << 200 << int(PasswordGenerator::Digits) << 64 << "0-9" << QStringList{digits};
        QTest::newRow("no kind means letters") << 12 << 0 << 12 << "a-zA-Z" << QStringList{lower, upper};
    }

    void generate()
    {
        QFETCH(int, length);
        QFETCH(int, kinds);
        QFETCH(int, expectedLength);
        QFETCH(QString, allowed);
        QFETCH(QStringList, present);
        const QRegularExpression only("^[" + QRegularExpression::escape(allowed).replace("\\-", "-") + "]+$");
        QSet<QString> seen;
        // Many draws with a fixed seed: a kind left out now and then would show.
        QRandomGenerator random(42);
        for (int i = 0; i < 500; ++i) {
            const QString password = PasswordGenerator::generate(length, kinds, &random);
            QCOMPARE(password.size(), expectedLength);
            QVERIFY2(only.match(password).hasMatch(), qPrintable(password));
            for (const QString &kind : present)
                QVERIFY2(password.contains(
                             QRegularExpression("[" + QRegularExpression::escape(kind).replace("\\-", "-") + "]")),
                         qPrintable(password + " lacks " + kind));
            seen.insert(password);
        }
        QCOMPARE(seen.size(), 500);
        // The first characters are no fixed pattern of kinds.
        QSet<QChar> firsts;
        for (const QString &password : seen)
            firsts.insert(password.at(0));
        QVERIFY(firsts.size() > 5);
    }

    void strength_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "" << 0 << "";
        QTest::newRow("digits") << "12345678" << 26 << "强度：弱（约 26 位）";
        QTest::newRow("lower and digits") << "abc12345xyz" << 56 << "强度：中（约 56 位）";
        QTest::newRow("every kind, 20") << "aB3!aB3!aB3!aB3!aB3!" << 123 << "强度：强（约 123 位）";
        QTest::newRow("other punctuation") << "abcdefgh-" << 52 << "强度：中（约 52 位）";
        QTest::newRow("Chinese") << "密码安全" << 57 << "强度：中（约 57 位）";
    }

    void strength()
    {
        QFETCH(QString, password);
        QFETCH(int, bits);
        QFETCH(QString, text);
        QCOMPARE(PasswordGenerator::estimatedBits(password), bits);
        QCOMPARE(PasswordGenerator::strengthText(password), text);
    }
};

QTEST_GUILESS_MAIN(TestPasswordGenerator)
#include "tst_passwordgenerator.moc"
