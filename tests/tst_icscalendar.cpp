#include "data/icscalendar.h"

#include <QTest>

class TestIcsCalendar : public QObject
{
    Q_OBJECT

private slots:
    void foldLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("folded");
        const QString a75(75, QLatin1Char('a'));
        QTest::newRow("75 octets stay whole") << a75 << (a75.toLatin1() + "\r\n");
        QTest::newRow("76th octet goes on") << a75 + "b" << (a75.toLatin1() + "\r\n b\r\n");
        QTest::newRow("continuations hold 74")
            << a75 + QString(75, 'c') << (a75.toLatin1() + "\r\n " + QByteArray(74, 'c') + "\r\n c\r\n");
        // 74 + a three-octet character would end at octet 77: the character moves whole to the next line.
        QTest::newRow("UTF-8 sequence not split")
            << QString(74, 'a') + "节日" << (QByteArray(74, 'a') + "\r\n " + QString("节日").toUtf8() + "\r\n");
        QTest::newRow("Chinese only") << QString(26, QChar(0x751f))
                                      << (QString(25, QChar(0x751f)).toUtf8() + "\r\n " +
                                          QString(QChar(0x751f)).toUtf8() + "\r\n");
    }

    void foldLine()
    {
        QFETCH(QString, line);
        QFETCH(QByteArray, folded);
        QCOMPARE(IcsCalendar::foldLine(line), folded);
    }

    void escapeText_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("plain") << "生日"
                               << "生日";
        QTest::newRow("comma semicolon backslash") << "a,b;c\\d"
                                                   << "a\\,b\\;c\\\\d";
        QTest::newRow("line breaks") << "a\nb\r\nc\rd"
                                     << "a\\nb\\nc\\nd";
        QTest::newRow("escaped backslash before n") << "C:\\new"
                                                    << "C:\\\\new";
    }

    void escapeText()
    {
        QFETCH(QString, plain);
        QFETCH(QString, escaped);
        QCOMPARE(IcsCalendar::escapeText(plain), escaped);
        QCOMPARE(IcsCalendar::unescapeText(escaped), QString(plain).replace("\r\n", "\n").replace('\r', '\n'));
    }

    void writeThenRead()
    {
        IcsCalendar::Event allDay;
        allDay.uid = "birthday-1-20250506@pemmora";
        allDay.summary = QString("王小明, \"明明\"; 的生日\\") + QString(40, QChar(0x751f));
        allDay.description = "农历4月1日\n第二行";
        allDay.date = QDate(2025, 5, 6);
        IcsCalendar::Event timed;
        timed.uid = "task-x@pemmora";
        timed.summary = "喝水";
        timed.start = QDateTime(QDate(2025, 1, 2), QTime(8, 30));
        timed.rrule = "FREQ=DAILY";
        timed.alarm = true;
        const QByteArray text = IcsCalendar::write({allDay, timed}, QDateTime(QDate(2025, 1, 1), QTime(0, 0), Qt::UTC));

        QVERIFY(text.contains("\r\nDTSTART;VALUE=DATE:20250506\r\nDTEND;VALUE=DATE:20250507\r\n"));
        QVERIFY(text.contains("\r\nDTSTART:20250102T083000\r\nRRULE:FREQ=DAILY\r\n"));
        QVERIFY(text.contains("\r\nDTSTAMP:20250101T000000Z\r\n"));
        for (const QByteArray &line : text.split('\n'))
            QVERIFY2(line.size() <= IcsCalendar::MaxLineOctets + 1, line.constData());
        QVERIFY(!text.contains("\n\n") && text.count('\n') == text.count("\r\n"));

        QList<IcsCalendar::Event> read;
        QVERIFY(IcsCalendar::read(text, &read));
        QCOMPARE(read.size(), 2);
        QCOMPARE(read.at(0).summary, allDay.summary);
        QCOMPARE(read.at(0).description, allDay.description);
        QCOMPARE(read.at(0).date, allDay.date);
        QCOMPARE(read.at(0).endDate, QDate(2025, 5, 7));
        QCOMPARE(read.at(1).uid, timed.uid);
        QCOMPARE(read.at(1).start, timed.start);
        QVERIFY(!read.at(1).isAllDay());
        // The alarm's description is not the event's.
        QCOMPARE(read.at(1).description, QString());
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("events"); // summary=first day..day after, per event
        const QByteArray head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
        const QByteArray tail = "END:VCALENDAR\r\n";
        QTest::newRow("no calendar") << QByteArray("hello\r\n") << false << "";
        QTest::newRow("cut short") << head + "BEGIN:VEVENT\r\nSUMMARY:a\r\n" << false << "";
        QTest::newRow("empty calendar") << head + tail << true << "";
        QTest::newRow("LF only, BOM, folded with a tab, split UTF-8")
            << "\xEF\xBB\xBF" +
                   QByteArray("BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART;VALUE=DATE:20251001\nDTEND;VALUE=DATE:"
                              "20251009\nSUMMARY:国\xE5\n\t\xBA\x86\\, 休\nEND:VEVENT\nEND:VCALENDAR\n")
            << true << "国庆, 休=20251001..20251009";
        QTest::newRow("date without VALUE, no end, quoted parameter")
            << head + "BEGIN:VEVENT\r\nDTSTART:20250928\r\nSUMMARY;X-A=\"a:b;c\":补班\r\nEND:VEVENT\r\n" + tail << true
            << "补班=20250928..";
        QTest::newRow("UTC time") << head + "BEGIN:VEVENT\r\nDTSTART:20250101T000000Z\r\nSUMMARY:x\r\nEND:VEVENT\r\n" +
                                         tail
                                  << true << "x=..";
    }

    void read()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(QString, events);
        QList<IcsCalendar::Event> read;
        QCOMPARE(IcsCalendar::read(text, &read), valid);
        QStringList found;
        for (const IcsCalendar::Event &e : read)
            found << e.summary + "=" + e.date.toString("yyyyMMdd") + ".." + e.endDate.toString("yyyyMMdd");
        QCOMPARE(found.join(' '), events);
        if (text.contains("T000000Z"))
            QCOMPARE(read.value(0).start, QDateTime(QDate(2025, 1, 1), QTime(0, 0), Qt::UTC).toLocalTime());
    }
};

QTEST_GUILESS_MAIN(TestIcsCalendar)
#include "tst_icscalendar.moc"
