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
        QTest::addColumn<QStringList>("present"); // character classes; together all that may occur
        const QString lower = "a-z", upper = "A-Z", digits = "0-9", symbols = "!@#$%^&*_.?";
        QTest::newRow("default, every kind")
            << 20 << int(PasswordGenerator::AllKinds) << 20 << QStringList{lower, upper, digits, symbols};
        QTest::newRow("digits and symbols")
            << 8 << int(PasswordGenerator::Digits | PasswordGenerator::Symbols) << 8 << QStringList{digits, symbols};
        QTest::newRow("too short grows to 8") << 3 << int(PasswordGenerator::Letters) << 8 << QStringList{lower, upper};
        QTest::newRow("too long stops at 64") << 200 << int(PasswordGenerator::Digits) << 64 << QStringList{digits};
        QTest::newRow("no kind means letters") << 12 << 0 << 12 << QStringList{lower, upper};
    }

    void generate()
    {
        QFETCH(int, length);
        QFETCH(int, kinds);
        QFETCH(int, expectedLength);
        QFETCH(QStringList, present);
        const auto charClass = [](const QString &chars) {
            return "[" + QRegularExpression::escape(chars).replace("\\-", "-") + "]";
        };
        const QRegularExpression only("^" + charClass(present.join(QString())) + "+$");
        QSet<QString> seen;
        QSet<QChar> firsts;
        // Many draws: a kind left out now and then, or always in the same place, would show.
        QRandomGenerator random(42);
        for (int i = 0; i < 500; ++i) {
            const QString password = PasswordGenerator::generate(length, kinds, &random);
            QCOMPARE(password.size(), expectedLength);
            QVERIFY2(only.match(password).hasMatch(), qPrintable(password));
            for (const QString &kind : present)
                QVERIFY2(password.contains(QRegularExpression(charClass(kind))), qPrintable(password + " " + kind));
            seen.insert(password);
            firsts.insert(password.at(0));
        }
        QCOMPARE(seen.size(), 500);
        QVERIFY(firsts.size() > 5);
    }

    void strength_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("digits") << "12345678"
                                << "强度：弱（约 26 位）";
        QTest::newRow("every kind, 20") << "aB3!aB3!aB3!aB3!aB3!"
                                        << "强度：强（约 123 位）";
        QTest::newRow("Chinese") << "密码安全"
                                 << "强度：中（约 57 位）";
    }

    void strength()
    {
        QFETCH(QString, password);
        QFETCH(QString, text);
        QCOMPARE(PasswordGenerator::strengthText(password), text);
    }
};

QTEST_GUILESS_MAIN(TestPasswordGenerator)
#include "tst_passwordgenerator.moc"
