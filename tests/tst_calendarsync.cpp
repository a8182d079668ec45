#include "common/cannedserver.h"
#include "common/hubworker.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "models/tasktiming.h"
#include "sync/caldavclient.h"
#include "sync/memorykeyring.h"
#include "sync/syncengine.h"
#include "sync/syncmapping.h"
#include "sync/syncservice.h"
#include "tasks/taskfiring.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

// A Radicale server of the test's own on 127.0.0.1 (user "tester"), over TLS with its own certificate if asked.
class Radicale
{
public:
    bool start(bool tls = false)
    {
        QTcpServer probe;
        port = port ? port : (probe.listen(QHostAddress::LocalHost), probe.serverPort());
        probe.close();
        if (tls && QProcess::execute("openssl", {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:P-256",
                                                 "-nodes", "-subj", "/CN=127.0.0.1", "-keyout", dir.filePath("key.pem"),
                                                 "-out", dir.filePath("cert.pem")}))
            return false;
        QFile users(dir.filePath("users")), config(dir.filePath("config"));
        users.open(QIODevice::WriteOnly), config.open(QIODevice::WriteOnly);
        users.write("tester:secret\n");
        config.write(QStringLiteral("[server]\nhosts = 127.0.0.1:%1\nssl = %4\ncertificate = %5\nkey = %6\n[auth]\n"
                                    "type = htpasswd\nhtpasswd_filename = %2\nhtpasswd_encryption = plain\n[storage]\n"
                                    "filesystem_folder = %3\n[logging]\nlevel = critical\n")
                         .arg(port)
                         .arg(users.fileName(), dir.filePath("collections"), tls ? "True" : "False",
                              dir.filePath("cert.pem"), dir.filePath("key.pem"))
                         .toUtf8());
        config.close();
        process.start(QStandardPaths::findExecutable("radicale"), {"--config", config.fileName()});
        QTcpSocket socket;
        for (int i = 0; i < 100 && socket.state() != QAbstractSocket::ConnectedState; ++i)
            QTest::qWait(100), socket.connectToHost(QHostAddress::LocalHost, port), socket.waitForConnected(100);
        return socket.state() == QAbstractSocket::ConnectedState;
    }
    void stop() { process.terminate(), process.waitForFinished(); }
    ~Radicale() { stop(); }
    QUrl url(const QString &path = QString()) const { return QUrl(QString("http://127.0.0.1:%1/").arg(port) + path); }

    QTemporaryDir dir;
    QProcess process;
    quint16 port = 0;
};

// The sync of tasks and birthdays with a real CalDAV server, which the test changes by plain HTTP.
class TestCalendarSync : public QObject
{
    Q_OBJECT

    Radicale server;
    QNetworkAccessManager network;
    std::unique_ptr<TestProgramDir> dir;
    std::unique_ptr<HubWorker> hub;
    MemoryKeyring keyring;
    std::unique_ptr<SyncService> sync;
    QString calendar;
    int calendars = 0;

    // The answer's body; a PUT's the ETag.
    QByteArray http(const QByteArray &verb, const QString &path, const QByteArray &body = "",
                    const QByteArray &etag = {})
    {
        QNetworkRequest request(server.url(path.mid(1)));
        request.setRawHeader("Authorization", "Basic " + QByteArray("tester:secret").toBase64());
        request.setRawHeader("Depth", "1");
        request.setRawHeader("If-Match", etag); // none when null
        std::unique_ptr<QNetworkReply> reply(network.sendCustomRequest(request, verb, body));
        QSignalSpy(reply.get(), &QNetworkReply::finished).wait(10000);
        return verb == "PUT" ? reply->rawHeader("ETag") : reply->readAll();
    }
    struct Event
    {
        QString path;
        QByteArray etag, data;
        bool operator==(const Event &o) const { return path == o.path && etag == o.etag; }
    };
    // Every event of the calendar, by its summary.
    QMap<QString, Event> events()
    {
        QMap<QString, Event> found;
        QRegularExpression item("<href>([^<]+\\.ics)</href>.*?<getetag>([^<]+)</getetag>");
        for (auto it = item.globalMatch(http("PROPFIND", calendar)); it.hasNext();) {
            const auto match = it.next();
            const QByteArray data = http("GET", match.captured(1));
            found.insert(QRegularExpression("SUMMARY:([^\r]*)").match(data).captured(1),
                         {match.captured(1), match.captured(2).replace("&quot;", "\"").toUtf8(), data});
        }
        return found;
    }
    static QByteArray event(const QString &uid, const QString &summary, const QDateTime &start, const QByteArray &rule)
    {
        return QString("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//phone//EN\r\nBEGIN:VEVENT\r\nUID:%1\r\nDTSTAMP:"
                       "20260101T000000Z\r\nDTSTART:%2\r\nSUMMARY:%3\r\nRRULE:%4\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
            .arg(uid, start.toString("yyyyMMdd'T'HHmmss"), summary, rule)
            .toUtf8();
    }
    QList<TaskListData> tasks() { return ask(hub->worker, TaskListSelect).value<QList<TaskListData>>(); }
    QStringList taskNames()
    {
        QStringList names;
        for (const TaskListData &task : tasks())
            names.append(task.TaskName + QString::number(task.NoticeCycle));
        names.sort();
        return names;
    }
    void addTask(const QString &name, int cycle)
    {
        const TaskListData task{-1, name, QDateTime::currentDateTime().addSecs(3600), "", cycle};
        emit interfacePublicData.SIGNALSendQuery(TaskListInsert, QVariant::fromValue(task));
    }
    // A sync asked for while one runs follows it.
    bool syncs(int runs = 1)
    {
        QSignalSpy finished(sync.get(), &SyncService::SIGNALFinished);
        for (int i = 0; i < runs; ++i)
            sync->syncNow();
        return QTest::qWaitFor([&]() { return finished.count() >= runs; }, runs * 20000) && finished.count() == runs &&
               std::all_of(finished.cbegin(), finished.cend(),
                           [](const QVariantList &a) { return a.first().toBool(); });
    }

private slots:
    void initTestCase() { QVERIFY2(server.start(), "radicale (Debian package radicale) did not start"); }

    void init()
    {
        dir = std::make_unique<TestProgramDir>();
        hub = std::make_unique<HubWorker>();
        sync = std::make_unique<SyncService>(&keyring);
        calendar = QString("/tester/c%1/").arg(++calendars);
        http("MKCALENDAR", calendar);
        QVERIFY(sync->setAccount({server.url().toString(), "tester", server.url(calendar.mid(1)), "c"}));
        sync->setPassword("secret");
    }
    void cleanup() { sync.reset(), hub.reset(), dir.reset(); }

    // Tasks and birthdays go up, changes and new events come down, deletions go either way; nothing of the
    // vault and no password leaves the machine, and the database keeps its tables.
    void publishAndPull()
    {
        const QVariant tables = dir->value("SELECT group_concat(sql) FROM sqlite_master");
        addTask("Once", CycleOnce), addTask("Daily", CycleDaily), addTask("Workdays", CycleWorkday);
        const BirthdayInfoData birthday{-1, "Ming", "null", true, false};
        emit interfacePublicData.SIGNALSendQuery(BirthdayInfoInsert, QVariant::fromValue(birthday));
        UsersUserInfoData account;
        account.Title = account.Pwd = QStringLiteral("Vault");
        emit interfacePublicData.SIGNALSendQuery(UsersUserInfoInsert, QVariant::fromValue(account));
        QVERIFY(syncs(2));
        QMap<QString, Event> up = events();
        QCOMPARE(up.size(), 3 + 10);
        // Nothing changed: nothing written again. The state lost: the events are known again, nothing doubled.
        QVERIFY(syncs() && events() == up);
        QVERIFY(QFile::remove(SyncState::DefaultFile));
        sync = std::make_unique<SyncService>(&keyring);
        QVERIFY(syncs());
        QCOMPARE(events().keys(), up.keys());
        QCOMPARE(tasks().size(), 3);
        QVERIFY(up.value("Workdays").data.contains("RRULE:FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR"));
        QVERIFY(up.last().data.contains("TRIGGER:-P1D")); // a birthday, reminded a day ahead
        for (const Event &e : qAsConst(up))
            QVERIFY(!e.data.contains("Vault") && !e.data.contains("secret"));
        QVERIFY(!fileContents(dir->filePath("src/config/config.ini")).contains("secret"));
        QCOMPARE(dir->value("SELECT group_concat(sql) FROM sqlite_master"), tables);

        // Another client renames a task, adds two events and removes one.
        const QDateTime soonest = QDateTime::currentDateTime().addSecs(1800), tomorrow = soonest.addDays(1);
        const auto renamed =
            http("PUT", up["Once"].path, up["Once"].data.replace("SUMMARY:Once", "SUMMARY:Renamed"), up["Once"].etag);
        http("PUT", calendar + "p1.ics", event("p1@phone", "Phone", soonest, "FREQ=WEEKLY"));
        http("PUT", calendar + "p2.ics", event("p2@phone", "Monthly", tomorrow, "FREQ=MONTHLY"));
        http("DELETE", up.value("Daily").path);
        http("PUT", up.last().path, up.last().data.replace("SUMMARY:", "SUMMARY:Changed "), up.last().etag);
        // A task that could not be stored here leaves its event there, to be taken at the next run.
        QVERIFY(dir->execute("CREATE TRIGGER full BEFORE INSERT ON TASK_LIST WHEN NEW.TaskName = 'Phone' "
                             "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        QVERIFY(syncs() && dir->execute("DROP TRIGGER full") && syncs());
        QTRY_COMPARE(taskNames(), QStringList({"Phone3", "Renamed0", "Workdays2"}));
        QVERIFY(sync->notTaken().size() == 1 && sync->notTaken().first().startsWith("Monthly"));
        QVERIFY(!events().firstKey().startsWith("Changed")); // a birthday is written from here only
        // The soonest task renamed here before any other run: still the other client's event.
        TaskListData phone = tasks().first();
        phone.TaskName = "Phone here";
        emit interfacePublicData.SIGNALSendQuery(TaskListUpdate, QVariant::fromValue(phone));
        QVERIFY(syncs());
        QCOMPARE(events().value("Phone here").path, calendar + "p1.ics");
        // The other client makes its monthly event weekly: a task now.
        Event monthly = events().value("Monthly");
        http("PUT", monthly.path, monthly.data.replace("FREQ=MONTHLY", "FREQ=WEEKLY"), monthly.etag);
        QVERIFY(syncs());
        QTRY_VERIFY(taskNames().contains("Monthly3") && sync->notTaken().isEmpty());
        QCOMPARE(events().value("Renamed").etag, renamed); // the other client's event, not written over

        // Deleted here: gone there, the other client's events too, one of them deleted there meanwhile.
        for (const TaskListData &task : tasks())
            if (task.TaskName != QLatin1String("Workdays"))
                emit interfacePublicData.SIGNALSendQuery(TaskListDelete, QVariant::fromValue(QList<int>{task.id}));
        http("DELETE", calendar + "p2.ics");
        QVERIFY(syncs());
        up = events();
        QVERIFY(up.contains("Workdays") && sync->notTaken().isEmpty());
        QCOMPARE(up.size(), 1 + 10);
    }

    // Changed on both sides since the last sync: the later change wins; deleted there, the change here is kept.
    void conflict_data()
    {
        QTest::addColumn<int>("serverChangedSecs"); // from now; 0: deleted there
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("told");
        // clang-format off
        QTest::newRow("server's later") << 3600 << "There" << "服务器上的修改较晚";
        QTest::newRow("this one's later") << -3600 << "Here" << "本机的修改较晚";
        QTest::newRow("deleted there") << 0 << "Here" << "在服务器上已删除";
        // clang-format on
    }
    void conflict()
    {
        QFETCH(int, serverChangedSecs);
        QFETCH(QString, kept);
        QFETCH(QString, told);
        addTask("Meeting", CycleDaily);
        QVERIFY(syncs());
        // It falls due here first: the next one is another row.
        TaskListData task = tasks().value(0);
        TaskFiring::fireTask(task, task.TaskTimeSee, NoticeConfigData(), interfacePublicData);
        emit interfacePublicData.SIGNALSendQuery(TaskListDelete, QVariant::fromValue(QList<int>{task.id}));
        QVERIFY(syncs());
        task = tasks().value(0);
        task.TaskName = QStringLiteral("Here");
        emit interfacePublicData.SIGNALSendQuery(TaskListUpdate, QVariant::fromValue(task));
        Event there = events().value("Meeting");
        const QByteArray changed =
            QDateTime::currentDateTimeUtc().addSecs(serverChangedSecs).toString("yyyyMMdd'T'HHmmss'Z'").toUtf8();
        http(serverChangedSecs ? "PUT" : "DELETE", there.path,
             there.data.replace("SUMMARY:Meeting", "LAST-MODIFIED:" + changed + "\r\nSUMMARY:There"), there.etag);
        QSignalSpy conflicts(sync.get(), &SyncService::SIGNALConflicts);
        QVERIFY(syncs());
        QTRY_COMPARE(taskNames(), QStringList{kept + "1"});
        QCOMPARE(events().keys(), QStringList{kept});
        QVERIFY(conflicts.count() == 1 && conflicts.first().first().toStringList().first().contains(told));
    }

    // Offline, a change waits and the status bar says why; once the server is back it goes up. A token the
    // server does not know lists everything again.
    void unreachableAndBack()
    {
        addTask("First", CycleOnce);
        QVERIFY(syncs());
        server.stop();
        addTask("Second", CycleOnce);
        QVERIFY(!syncs());
        QVERIFY2(sync->statusText().contains("无法连接服务器") && sync->statusText().contains("上次成功"),
                 qPrintable(sync->statusText()));
        SyncState state;
        QString error;
        QVERIFY(state.load(SyncState::DefaultFile) && !state.syncToken.isEmpty());
        state.syncToken = "http://radicale.org/ns/sync/0";
        QVERIFY(state.save(SyncState::DefaultFile, &error));
        sync = std::make_unique<SyncService>(&keyring);
        QVERIFY(server.start());
        // Started, it syncs by itself, and again a few seconds after a change here.
        QSignalSpy finished(sync.get(), &SyncService::SIGNALFinished);
        sync->start();
        QVERIFY(finished.wait(SyncService::AfterStartMs + 20000) && finished.last().first().toBool());
        QCOMPARE(events().keys(), QStringList({"First", "Second"}));
        emit interfacePublicData.SIGNALSendQuery(TaskListSelect, QVariant()); // reading changes nothing
        QVERIFY(!finished.wait(SyncService::AfterChangeMs + 500));
        addTask("Third", CycleOnce);
        QVERIFY(finished.wait(SyncService::AfterChangeMs + 20000));
        QCOMPARE(events().keys(), QStringList({"First", "Second", "Third"}));
    }

    // A write the server refuses is told, also when the writes after it go through; a password refused stops them.
    void refusedWrite()
    {
        addTask("First", CycleOnce), addTask("Second", CycleOnce);
        for (const QByteArray refusal : {"403", "401"}) {
            int puts = 0;
            CannedServer other([&](const QByteArray &request) {
                return CannedServer::response(request.startsWith("PUT") ? (puts++ ? "201" : refusal) : "207",
                                              "<multistatus xmlns=\"DAV:\"/>");
            });
            QVERIFY(sync->setAccount({other.url().toString(), "tester", other.url(), "c"}));
            QVERIFY(!syncs() && puts == (refusal == "403" ? 2 : 1) &&
                    sync->lastError().contains(refusal == "403" ? "403" : "密码"));
        }
    }

    // With no password kept the user is asked, once while the program runs; declining, or a password the
    // server refuses, leaves the sync waiting until the user asks again.
    void keyringStandIn()
    {
        keyring.write(sync->account().keyringKey(), QString(), [](Keyring::Status) {});
        for (const QString answer : {"secret", "wrong", ""}) {
            sync = std::make_unique<SyncService>(&keyring);
            int asked = 0;
            sync->setPasswordPrompt([&]() { return ++asked, answer; });
            const bool right = answer == "secret";
            QCOMPARE((QList<int>{syncs() + syncs(), asked, sync->lastError().contains("密码")}),
                     (QList<int>{right ? 2 : 0, right ? 1 : 2, !right}));
        }
        // Declined at a sync, the prompt comes again in the settings' search for calendars, which takes its password.
        int found = -1;
        sync->setPasswordPrompt([]() { return QString("secret"); });
        sync->findCalendars(server.url().toString(), "tester", "", [&](auto, auto c, auto) { found = c.size(); });
        QTRY_VERIFY_WITH_TIMEOUT(found > 0, 20000);
    }

    // The calendars are found from the server's address, also where it moves the request, and a new one gets a
    // folder of its own; an address that would send the password readable, a certificate the system does not
    // trust, or a server without calendars is refused.
    void findCalendars_data()
    {
        QTest::addColumn<QString>("address"); // a status: an address answering it, with no DAV resources
        QTest::addColumn<QString>("refusal");
        // clang-format off
        QTest::newRow("server") << "" << "";
        QTest::newRow("user's folder") << "tester/" << "";
        QTest::newRow("a calendar") << "tester/c1/" << "";
        QTest::newRow("not a server address") << "ftp://127.0.0.1/" << "地址无效";
        QTest::newRow("no host") << "https:///dav/" << "地址无效";
        for (const char *moved : {"301", "302", "303", "307", "308"})
            QTest::addRow("moved %s", moved) << moved << "";
        QTest::newRow("no such address") << "404" << "没有找到日历服务";
        QTest::newRow("password refused") << "401" << "用户名和密码";
        QTest::newRow("not a success") << "300" << "拒绝了请求：300";
        QTest::newRow("no calendars") << "207" << "没有找到日历服务";
        QTest::newRow("plain http elsewhere") << "http://calendar.example.org/" << "https";
        QTest::newRow("untrusted certificate") << "https" << "self-signed";
        // clang-format on
    }
    void findCalendars()
    {
        QFETCH(QString, address);
        QFETCH(QString, refusal);
        Radicale tls;
        QVERIFY(address != "https" || tls.start(true));
        const QByteArray moved = CannedServer::response(address.toLatin1(), "<multistatus xmlns=\"DAV:\"/>",
                                                        "Location: " + server.url().toEncoded() + "\r\n");
        CannedServer other([moved](const QByteArray &) { return moved; });
        if (address.toInt() > 0)
            address = other.url().toString();
        address = address == "https"        ? tls.url().toString().replace("http:", "https:")
                  : address.contains("://") ? address
                                            : server.url(address).toString();
        CalDavClient::Result result;
        QUrl home;
        int found = -1;
        sync->findCalendars(address, "tester", "",
                            [&](auto r, auto c, QUrl h) { result = r, found = c.size(), home = h; });
        QTRY_VERIFY_WITH_TIMEOUT(found >= 0, 20000);
        QVERIFY2(result.error.contains(refusal), qPrintable(result.error));
        QVERIFY(!refusal.isEmpty() || (result.ok() && found > 0 && home == server.url("tester/")));
        if (QByteArray(QTest::currentDataTag()) != "server")
            return;
        QStringList made;
        for (int i = 0; i < 2; ++i)
            sync->makeCalendar(home, "Pemmora", [&](auto, CalDavClient::Calendar c) { made.append(c.url.path()); });
        // The second of the same name takes the next free folder; the first is the name's own.
        QTRY_COMPARE(QSet<QString>(made.cbegin(), made.cend()),
                     (QSet<QString>{home.path() + "pemmora-2/", home.path() + "pemmora/"}));
        QVERIFY(http("PROPFIND", made.last()).contains(">Pemmora</"));
    }

    // Where the server has no sync report, the calendar's ETags are listed instead, whole every time; where it
    // sends its list in parts, the rest is asked for against the token of the part before.
    void listing_data()
    {
        QTest::addColumn<bool>("syncReport");
        QTest::newRow("no sync report") << false;
        QTest::newRow("in two parts") << true;
    }
    void listing()
    {
        QFETCH(bool, syncReport);
        const auto item = [](const char *href, const char *props, const char *status = "200") {
            return QByteArray("<response><href>") + href + "</href>" +
                   (*props ? QByteArray("<propstat><prop>") + props + "</prop>" : QByteArray()) + "<status>HTTP/1.1 " +
                   status + " X</status>" + (*props ? "</propstat>" : "") + "</response>";
        };
        const QByteArray all = item("/c/", "<getetag>0</getetag><resourcetype><collection/></resourcetype>") +
                               item("/c/sub/", "<getetag>s</getetag><resourcetype><collection/></resourcetype>") +
                               item("/c/a.ics", "<getetag>2</getetag><resourcetype/>") +
                               item("/c/b.ics", "<resourcetype/>");
        const QByteArray first = item("/c/", "", "507") + item("/c/a.ics", "<getetag>1</getetag>") +
                                 item("/c/b.ics", "<getetag>2</getetag>") + "<sync-token>t1</sync-token>";
        const QByteArray rest = item("/c/a.ics", "", "404") + "<sync-token>t2</sync-token>";
        int reports = 0;
        CannedServer other([&](const QByteArray &request) {
            const QByteArray part = !request.startsWith("REPORT") ? all : request.contains(">t1<") ? rest : first;
            reports += request.startsWith("REPORT");
            return CannedServer::response(!syncReport && request.startsWith("REPORT") ? "501" : "207",
                                          "<multistatus xmlns=\"DAV:\">" + part + "</multistatus>");
        });
        CalDavClient client;
        for (int i = 0; i < 2; ++i) {
            CalDavClient::Listing listing;
            listing.complete = false;
            client.list(other.url().resolved(QUrl("c/")), "", [&](auto, CalDavClient::Listing got) { listing = got; });
            QTRY_VERIFY(listing.complete);
            QCOMPARE(listing.etags, (QHash<QString, QString>{{syncReport ? "/c/b.ics" : "/c/a.ics", "2"}}));
            QCOMPARE(listing.removed, syncReport ? QSet<QString>{"/c/a.ics"} : QSet<QString>());
            QCOMPARE(listing.syncToken, syncReport ? "t2" : "");
        }
        QCOMPARE(reports, syncReport ? 4 : 1);
    }
};

QTEST_GUILESS_MAIN(TestCalendarSync)
#include "tst_calendarsync.moc"
