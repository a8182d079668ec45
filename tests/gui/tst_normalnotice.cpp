#include "common/hublog.h"
#include "common/hubworker.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/appglobals.h"
#include "data/interfacepublicdata.h"
#include "data/records.h"
#include "notices/normalnotice.h"
#include "notices/normalnoticemanager.h"
#include "notices/noticeconfig.h"

#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

// A task popup, by default one that stays until closed.
QStringList taskStrs(const QString &name, const char *keep = "keepYes")
{
    return {name, QStringLiteral("2024-05-19 08:30:00"), QLatin1String(keep), QStringLiteral(":/img/icon.png")};
}

// Slide-in, fade-out, unlock, rearrange, refill: short enough to run the whole life of a popup in a test.
const NormalNotice::Timings Fast{30, 30, 150, 30, 300};

QString nameOf(NormalNotice *notice)
{
    return notice->findChild<QLabel *>(QStringLiteral("label_Task_Name"))->text();
}

// Where the popup number i from the bottom rests on a 1280×760 screen.
QPoint slot(int i)
{
    return QPoint(1280 - 400 - 10, 760 - (i + 1) * 84);
}

} // namespace

// Popups: snoozing, the stack with its queue, and their settings.
class TestNormalNotice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void init()
    {
        currentNoticeConfig = NoticeConfigData();
        currentNoticeConfig.NN_DisplaySec = 1;
        AppGlobals::screenWidth = 1280;
        AppGlobals::screenHeight = 760;
    }

    // The chosen delay becomes a one-shot task due that much later.
    void snooze_data()
    {
        // clang-format off
        QTest::addColumn<int>("what"); QTest::addColumn<QString>("strs"); QTest::addColumn<int>("choice"); QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("task"); // name|icon|keep, due the chosen minutes later
        QTest::newRow("task, 5 minutes") << int(NoticeWhatTask) << "喝水喝水喝水喝水喝水喝水喝水喝水喝水喝水喝水喝水喝水喝水喝水喝水|2024-05-19 08:30:00|keepNo|a.png" << 0 << 5 << "喝水喝水喝水喝水喝水喝水喝水喝水喝水喝水喝水喝水喝水喝水喝水喝水|a.png|0";
        QTest::newRow("birthday, 1 hour") << int(NoticeWhatBirthday) << "妈妈|famale|-|solar|9.20|明天 (2024-09-20)|b.png" << 3 << 60 << "妈妈：明天 (2024-09-20)|b.png|1";
        // clang-format on
    }
    void snooze()
    {
        QFETCH(int, what);
        QFETCH(QString, strs);
        QFETCH(int, choice);
        QFETCH(QString, task);
        QFETCH(int, minutes);
        auto notice = std::make_unique<NormalNotice>();
        notice->setTimings(Fast);
        notice->setNoticeData(what, strs.split('|'), QDateTime(QDate(2024, 5, 19), QTime(8, 30, 2)));
        notice->slideIn();
        QSignalSpy closed(notice.get(), &NormalNotice::SIGNALClose);
        QSignalSpy sent(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        const QDateTime before = QDateTime::currentDateTime();
        notice->findChild<QMenu *>("menu_Snooze")->actions().at(choice)->trigger();
        QCOMPARE(closed.count() + sent.count(), 2);
        QCOMPARE(sent.at(0).at(0).value<SqlOperateType>(), TaskListInsert);
        const TaskListData added = sent.at(0).at(1).value<TaskListData>();
        const QStringList expected = task.split('|');
        QCOMPARE(added, (TaskListData{-1, expected[0], added.TaskTimeSee, expected[1], 0, 0, 0, expected[2].toInt()}));
        QVERIFY(qAbs(before.secsTo(added.TaskTimeSee) - minutes * 60) <= 1);
        QCOMPARE(added.TaskTimeSee.time().msec(), 0);
        // A name too long for the popup is cut, and whole in the tooltip.
        QCOMPARE(notice->findChild<QLabel *>("label_Task_Name")->toolTip(),
                 what == NoticeWhatTask ? added.TaskName : "");
        // A birthday without its year ("-") shows no age.
        QCOMPARE(notice->findChild<QLabel *>("label_Birthday_Age")->text(), QString());
    }

    void stackAndQueue()
    {
        NormalNoticeManager manager;
        manager.setTimings(Fast);
        manager.setNoticeArea(QRect(0, 0, 1280, 3 * 84)); // room for three popups
        for (int i = 0; i < 5; ++i)
            manager.showNotice(NoticeWhatTask, taskStrs(QStringLiteral("任务%1").arg(i)));
        QCOMPARE(manager.shownNotices().size(), 3);
        QCOMPARE(manager.pendingCount(), 2);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(nameOf(manager.shownNotices().at(i)), QStringLiteral("任务%1").arg(i));
            QTRY_COMPARE(manager.shownNotices().at(i)->pos(), slot(i));
        }

        // Closing the lowest moves the others down; the next waits until the stack has settled.
        QPointer<NormalNotice> lowest = manager.shownNotices().first();
        lowest->findChild<QPushButton *>(QStringLiteral("pushButton_Task_Close"))->click();
        QCOMPARE(manager.shownNotices().size(), 2);
        QCOMPARE(manager.pendingCount(), 2);
        QTRY_VERIFY(lowest.isNull());
        for (int i = 0; i < 2; ++i)
            QTRY_COMPARE(manager.shownNotices().at(i)->pos(), slot(i));
        QTRY_COMPARE(manager.shownNotices().size(), 3);
        QCOMPARE(manager.pendingCount(), 1);
        QCOMPARE(nameOf(manager.shownNotices().at(2)), QStringLiteral("任务3"));
        QTRY_COMPARE(manager.shownNotices().at(2)->pos(), slot(2));
    }

    // Unlocked, a popup goes by itself once shown for the configured time, even when the stack moved while it slid
    // in; locked while still sliding in, or with its snooze menu open, it stays, also once the menu closed locked.
    void closesByItself()
    {
        NormalNoticeManager manager;
        manager.setTimings(Fast);
        for (int i = 0; i < 4; ++i) {
            manager.showNotice(NoticeWhatTask, taskStrs(QStringLiteral("任务"), "keepNo"));
            if (i == 2) // still sliding in
                manager.shownNotices().first()->findChild<QPushButton *>("pushButton_Task_Close")->click();
        }
        QPointer<NormalNotice> unlocked = manager.shownNotices().at(0);
        NormalNotice *locked = manager.shownNotices().at(1), *snoozed = manager.shownNotices().at(2);
        locked->findChild<QPushButton *>("pushButton_Task_KeepDisplay")->click();
        snoozed->findChild<QMenu *>("menu_Snooze")->popup(QPoint());
        currentNoticeConfig = NoticeConfigData();
        QTRY_VERIFY(unlocked.isNull());
        QTest::qWait(100);
        QCOMPARE(manager.shownNotices().size(), 2);
        snoozed->findChild<QPushButton *>("pushButton_Task_KeepDisplay")->click();
        snoozed->findChild<QMenu *>("menu_Snooze")->hide();
        QTest::qWait(300);
        QCOMPARE(manager.shownNotices().size(), 2);
    }

    void save_data()
    {
        QTest::addColumn<int>("field"); // fade-in, keep, fade-out, popup display
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal"); // empty: saved
        QTest::newRow("fade-in 5") << 0 << QStringLiteral("5") << QString();
        QTest::newRow("fade-in 0") << 0 << QStringLiteral("0") << QStringLiteral("范围: 1~5");
        QTest::newRow("display 1800") << 3 << QStringLiteral("1800") << QString();
    }
    void save()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        currentNoticeConfig = NoticeConfigData();
        NoticeConfig dialog;
        const QStringList fields = {"lineEdit_NoticeAppearTime", "lineEdit_NoticeKeepTime",
                                    "lineEdit_NoticeDisppearTime", "lineEdit_NormalNoticeDisplaySec"};
        const QStringList valid = {"3", "30", "4", "120"};
        for (int i = 0; i < fields.size(); ++i)
            dialog.findChild<QLineEdit *>(fields.at(i))->setText(i == field ? text : valid.at(i));
        QSignalSpy sent(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        ModalDismisser dismisser;
        dialog.findChild<QPushButton *>(QStringLiteral("pushButton_Ok"))->click();
        const bool saved = refusal.isEmpty();
        QCOMPARE(dismisser.texts, saved ? QStringList() : QStringList{refusal});
        QCOMPARE(sent.count(), int(saved));
        const int values[] = {currentNoticeConfig.CN_AppearSec, currentNoticeConfig.CN_KeepSec,
                              currentNoticeConfig.CN_DisappearSec, currentNoticeConfig.NN_DisplaySec};
        QVERIFY(saved ? values[field] == text.toInt() : currentNoticeConfig == NoticeConfigData());
    }

    // The stored background comes back chosen and is saved as shown; a colour picked is saved, one cancelled not.
    void appearance_data()
    {
        QTest::addColumn<int>("background");
        QTest::addColumn<bool>("picked");
        QTest::newRow("none, colour picked") << 0 << true;
        QTest::newRow("line, cancelled") << 1 << false;
        QTest::newRow("full screen") << 2 << false;
    }
    void appearance()
    {
        QFETCH(int, background);
        QFETCH(bool, picked);
        TestProgramDir dir;
        QVERIFY(dir.execute(QStringLiteral("UPDATE TASK_CONFIG SET CN_BgType = %1").arg(background)));
        HubWorker worker;
        NoticeConfig dialog;
        QSignalSpy loaded(&dialog, &NoticeConfig::SIGNALUpdateCentralNoticeCfg);
        QVERIFY(loaded.wait(5000));
        const char *shown[] = {"radioButton_NoBackground", "radioButton_LineBackground",
                               "radioButton_FullScreenBackground"};
        QVERIFY(dialog.findChild<QRadioButton *>(QLatin1String(shown[background]))->isChecked());
        HubLog log;
        emit interfacePublicData.SIGNALReceiveQueryData(TaskConfigUpdate, QVariant()); // saved elsewhere: read again
        QCOMPARE(log.operations(), QList<SqlOperateType>{TaskConfigSelect});
        const QColor stored = currentNoticeConfig.CN_Color;
        QTimer::singleShot(0, [picked]() {
            auto *colors = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
            colors->setCurrentColor(Qt::red);
            picked ? colors->accept() : colors->reject();
        });
        auto *button = dialog.findChild<QPushButton *>(QStringLiteral("pushButton_FontColor"));
        button->click();
        QCOMPARE(button->styleSheet().contains("rgb(255,0,0)"), picked);
        currentNoticeConfig = NoticeConfigData();
        dialog.findChild<QPushButton *>(QStringLiteral("pushButton_Ok"))->click();
        QCOMPARE(currentNoticeConfig.CN_Color, picked ? QColor(Qt::red) : stored);
    }
};

QTEST_MAIN(TestNormalNotice)
#include "tst_normalnotice.moc"
