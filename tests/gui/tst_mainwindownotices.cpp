#include "app/appglobals.h"
#include "app/mainwindow.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "data/records.h"
#include "notices/centralnotice.h"
#include "notices/normalnoticemanager.h"
#include "notices/noticeconfig.h"
#include "platform/displaychangewatcher.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

namespace {
NormalNoticeManager *manager(MainWindow &window)
{
    return window.findChild<NormalNoticeManager *>(QStringLiteral("normalNoticeManager"));
}

QList<CentralNotice *> centralNotices()
{
    QList<CentralNotice *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *notice = qobject_cast<CentralNotice *>(widget))
            found.append(notice);
    }
    return found;
}
} // namespace

class TestMainWindowNotices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void init()
    {
        currentNoticeConfig = NoticeConfigData();
        dir.reset(new TestProgramDir());
        QVERIFY(dir->isValid());
        window.reset(new MainWindow());
    }

    void cleanup()
    {
        window.reset();
        dir.reset();
        QCOMPARE(centralNotices().size(), 0);
    }

    void screenSetUp()
    {
        const QList<QScreen *> screens = QGuiApplication::screens();
        const QList<CentralNotice *> notices = centralNotices();
        QCOMPARE(notices.size(), screens.size());
        for (int i = 0; i < screens.size(); ++i)
            QCOMPARE(notices.at(i)->geometry(), screens.at(i)->availableGeometry());

        const QRect first = screens.first()->availableGeometry();
        QCOMPARE(AppGlobals::screenWidth, first.width());
        QCOMPARE(AppGlobals::screenHeight, first.height());
        QCOMPARE(manager(*window)->maxShowCount(), first.height() / (74 + 10));
    }

    void hubNoticesReachTheWindows_data()
    {
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("strs");
        QTest::newRow("task") << int(NoticeWhatTask) << "喝水|2024-05-19 08:30:00|keepNo|src/icon/task/default.png";
        QTest::newRow("birthday") << int(NoticeWhatBirthday)
                                  << QStringLiteral("小明|male|8|solar|5.19|生日快乐|src/icon/birthday/default.png");
    }

    void hubNoticesReachTheWindows()
    {
        QFETCH(int, what);
        QFETCH(QString, strs);
        const QStringList list = strs.split(QLatin1Char('|'));
        emit interfacePublicData.SIGNALShowNormalNotice(what, list);
        emit interfacePublicData.SIGNALShowNormalNotice(what, list);
        QCOMPARE(manager(*window)->shownNotices().size(), 2);
        QVERIFY(manager(*window)->shownNotices().first()->isVisible());

        emit interfacePublicData.SIGNALShowCentralNotice(what, {list.first()});
        for (CentralNotice *notice : centralNotices()) {
            QCOMPARE(notice->state(), int(CentralNotice::Appearing));
            QCOMPARE(notice->findChild<QLabel *>(QStringLiteral("label"))->text(), list.first());
        }
    }

    void rebuildAfterDisplayChange()
    {
        QList<QPointer<CentralNotice>> old;
        for (CentralNotice *notice : centralNotices())
            old.append(notice);
        QSignalSpy changed(&interfacePublicData, &InterfacePublicData::SIGNALScreenSizeChanged);
        QSignalSpy sent(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);

        window->findChild<DisplayChangeWatcher *>()->notifyChange();
        QVERIFY(changed.wait(2000));
        QVERIFY(std::all_of(old.begin(), old.end(), [](const QPointer<CentralNotice> &notice) { return !notice; }));
        QCOMPARE(centralNotices().size(), QGuiApplication::screens().size());
        const QRect first = QGuiApplication::screens().first()->availableGeometry();
        QCOMPARE(changed.first().at(3).toInt(), first.width());
        QCOMPARE(changed.first().at(4).toInt(), first.height());
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.first().at(0).value<SqlOperateType>(), TaskConfigSelect);

        // The new windows listen to the settings dialog, so the stored settings reach them.
        NoticeConfigData stored;
        stored.CN_AppearSec = 5;
        emit interfacePublicData.SIGNALReceiveQueryData(TaskConfigSelect, QVariant::fromValue(stored));
        for (CentralNotice *notice : centralNotices())
            QTRY_COMPARE(notice->appearStep(), 100);
    }

    void settingsDialogFromSettingsTab()
    {
        auto *open = window->findChild<QPushButton *>(QStringLiteral("pushButtonNoticeCfg"));
        QVERIFY(open->isEnabled());

        // The user switches off task popups and saves.
        QString title;
        QTimer::singleShot(0, this, [&title]() {
            auto *dialog = qobject_cast<NoticeConfig *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            title = dialog->windowTitle();
            dialog->findChild<QPushButton *>(QStringLiteral("pushButton_NormalNoticeSwitchTask"))->click();
            dialog->findChild<QPushButton *>(QStringLiteral("pushButton_Ok"))->click();
        });
        ModalDismisser fallback(QMessageBox::Cancel);
        open->click();
        QCOMPARE(title, QStringLiteral("提示配置"));
        QVERIFY(!currentNoticeConfig.NN_EnableTask && currentNoticeConfig.CN_EnableTask);
        // Centre notices still come.
        emit interfacePublicData.SIGNALShowCentralNotice(NoticeWhatTask, {QStringLiteral("喝水")});
        for (CentralNotice *notice : centralNotices())
            QCOMPARE(notice->state(), int(CentralNotice::Appearing));
    }

private:
    QScopedPointer<TestProgramDir> dir;
    QScopedPointer<MainWindow> window;
};

QTEST_MAIN(TestMainWindowNotices)
#include "tst_mainwindownotices.moc"
