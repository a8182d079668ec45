#include "app/mainwindow.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "common/vaultseed.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"
#include "vault/aesaccountupdatedialog.h"
#include "vault/logoutcountdown.h"
#include "vault/userinfodetaildialog.h"
#include "vault/vaultcipher.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <memory>

namespace {

const QString Owner = QStringLiteral("owner2024");
const QString OwnerKey = QStringLiteral("owner.key.2024");

} // namespace

// The Users tab driven by object name, on a real worker and database: login and logout, the
// inactivity countdown, paging and search, the settings, and the two vault dialogs.
class TestVaultWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramDir> dir;
    std::unique_ptr<SqlThread> worker;
    std::unique_ptr<MainWindow> window;

    // A registered vault with that many accounts and those settings, and the main window over it.
    // Worker and hub share the test thread, so every request is answered before it returns.
    void open(int accounts, int limitOnePage = 20, int logoutSeconds = 60, bool registered = true)
    {
        dir = std::make_unique<TestProgramDir>();
        QVERIFY(dir->isValid());
        if (registered)
            QVERIFY(VaultSeed::seed(dir->databaseFile(), Owner, OwnerKey, accounts));
        QVERIFY(dir->execute(QStringLiteral("UPDATE USERS_CONFIG SET UserLimitOnePage = %1, NoActiveLogoutSec = %2")
                                 .arg(limitOnePage)
                                 .arg(logoutSeconds)));
        worker = std::make_unique<SqlThread>();
        connect(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery, worker.get(),
                &SqlThread::SLOTReceiveQuery);
        connect(worker.get(), &SqlThread::SIGNALSendQueryData, &interfacePublicData,
                &InterfacePublicData::SIGNALReceiveQueryData);
        window = std::make_unique<MainWindow>();
        window->setSystemTrayAvailable(false);
        window->show();
        window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))
            ->setCurrentWidget(window->findChild<QWidget *>(QStringLiteral("tabUsers")));
    }

    template <typename T> T *child(const char *name)
    {
        T *widget = window->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }

    void login(const QString &user, const QString &key)
    {
        child<QLineEdit>("lineEdit_User")->setText(user);
        child<QLineEdit>("lineEdit_Key")->setText(key);
        QTest::mouseClick(child<QPushButton>("pushButton_Login"), Qt::LeftButton);
    }

    void tick(int times)
    {
        for (int i = 0; i < times; ++i)
            window->slotTimerLoginOutTimeout();
    }

    QString status() { return window->statusBar()->currentMessage(); }

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void cleanup()
    {
        window.reset();
        worker.reset();
        QSqlDatabase::removeDatabase(QString::fromLatin1(SqlThread::DatabasePath));
        dir.reset();
        interfacePublicData.aesLogout(LogoutManual);
        interfacePublicData.registered = false;
        interfacePublicData.reencryptIdle = true;
    }

    void countdownRule_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("remaining");
        QTest::newRow("30: ten quiet ticks are calm") << 30 << 10 << int(LogoutCountdown::Calm) << 20;
        QTest::newRow("30: the eleventh warns with 19") << 30 << 11 << int(LogoutCountdown::Warn) << 19;
        QTest::newRow("30: the last warning shows 1") << 30 << 29 << int(LogoutCountdown::Warn) << 1;
        QTest::newRow("30: logout at 30, then full again") << 30 << 30 << int(LogoutCountdown::Logout) << 30;
        QTest::newRow("300: warns after 11") << 300 << 11 << int(LogoutCountdown::Warn) << 289;
    }
    void countdownRule()
    {
        QFETCH(int, limit);
        QFETCH(int, ticks);
        QFETCH(int, action);
        QFETCH(int, remaining);
        LogoutCountdown countdown;
        countdown.setLimit(limit);
        countdown.reset();
        LogoutCountdown::Action last = LogoutCountdown::None;
        for (int i = 0; i < ticks; ++i)
            last = countdown.tick(true, true);
        QCOMPARE(int(last), action);
        QCOMPARE(countdown.remaining(), remaining);
        QCOMPARE(countdown.tick(false, true), LogoutCountdown::Frozen);
        QCOMPARE(countdown.remaining(), remaining);
    }

    void registerThenVerify()
    {
        open(0, 20, 60, false);
        QCOMPARE(child<QPushButton>("pushButton_Login")->text(), QStringLiteral("注册"));
        auto *showKey = child<QPushButton>("pushButton_ShowKey");
        QTest::mouseClick(showKey, Qt::LeftButton);
        QCOMPARE(child<QLineEdit>("lineEdit_Key")->echoMode(), QLineEdit::Normal);
        QTest::mouseClick(showKey, Qt::LeftButton);
        QCOMPARE(child<QLineEdit>("lineEdit_Key")->echoMode(), QLineEdit::Password);
        ModalDismisser dismisser(QMessageBox::Ok);
        login(QStringLiteral("张三丰"), QStringLiteral("春夏秋冬"));
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("确认注册该账号吗？")});
        QCOMPARE(status(), QStringLiteral("注册成功，请尝试用刚才的信息进行验证！"));
        QCOMPARE(child<QLineEdit>("lineEdit_User")->text(), QStringLiteral("张三丰"));
        QCOMPARE(child<QLineEdit>("lineEdit_Key")->text(), QString());
        QCOMPARE(child<QPushButton>("pushButton_Login")->text(), QStringLiteral("验证"));
        QVERIFY(window->styleSheet().isEmpty());

        login(QStringLiteral("张三丰"), QStringLiteral("春夏秋冬东"));
        QCOMPARE(status(), QStringLiteral("验证失败"));
        QCOMPARE(child<QLineEdit>("lineEdit_User")->text(), QString());
        QCOMPARE(child<QPushButton>("pushButton_Login")->text(), QStringLiteral("验证"));
        QVERIFY(child<QPushButton>("pushButton_Login")->isEnabled());

        child<QLineEdit>("lineEdit_User")->setText(QStringLiteral("张三丰"));
        child<QLineEdit>("lineEdit_Key")->setText(QStringLiteral("春夏秋冬"));
        QTest::keyClick(child<QLineEdit>("lineEdit_Key"), Qt::Key_Return);
        QTRY_VERIFY(interfacePublicData.loggedIn);
        QCOMPARE(window->styleSheet(), QStringLiteral("#MainWindow{border:4px solid #ff0000;}"));
        QCOMPARE(child<QPushButton>("pushButton_Login")->text(), QStringLiteral("退出验证"));
        QVERIFY(child<QPushButton>("pushButton_AddUser")->isEnabled());
        QVERIFY(!child<QLineEdit>("lineEdit_Key")->isVisible());
        QVERIFY(child<QPushButton>("pushButton_AesAccountUpdate")->isVisible());

        QTest::mouseClick(child<QPushButton>("pushButton_Login"), Qt::LeftButton);
        QVERIFY(!interfacePublicData.loggedIn);
        QCOMPARE(status(), QStringLiteral("正常退出"));
        QVERIFY(!child<QPushButton>("pushButton_DelUser")->isEnabled());
    }

    void invalidLoginInput_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("title");
        QTest::newRow("user too short") << QStringLiteral("abc") << OwnerKey << QStringLiteral("用户名无效");
        QTest::newRow("one Chinese character") << QStringLiteral("张") << OwnerKey << QStringLiteral("用户名无效");
        QTest::newRow("key too short") << Owner << QStringLiteral("short.1") << QStringLiteral("密钥无效");
        QTest::newRow("three Chinese key") << Owner << QStringLiteral("春夏秋") << QStringLiteral("密钥无效");
    }
    void invalidLoginInput()
    {
        QFETCH(QString, user);
        QFETCH(QString, key);
        QFETCH(QString, title);
        open(0);
        ModalDismisser dismisser;
        login(user, key);
        QCOMPARE(dismisser.titles, QStringList{title});
        QVERIFY(!interfacePublicData.loggedIn);
        QCOMPARE(child<QLineEdit>("lineEdit_User")->text(), user);
    }

    void inactivityLogout()
    {
        open(0, 20, 30);
        login(Owner, OwnerKey);
        QVERIFY(interfacePublicData.loggedIn);
        auto *tips = child<QLabel>("label_LoginTips");
        tick(10);
        QVERIFY(!tips->isVisible());
        tick(1);
        QVERIFY(tips->isVisible());
        QCOMPARE(tips->text(), QStringLiteral("19 秒后自动退出验证"));

        // Activity hides the warning at once; the blinking stops at the next tick.
        window->slotTimerWarnBorderTimeout();
        QVERIFY(window->styleSheet().contains(QStringLiteral("rgba(255,0,0,")));
        emit interfacePublicData.SIGNALUserActiveStatusChanged();
        QVERIFY(!tips->isVisible());
        tick(1);
        QCOMPARE(window->styleSheet(), QStringLiteral("#MainWindow{border:4px solid #ff0000;}"));

        // A running master change freezes the countdown however long it takes.
        interfacePublicData.reencryptIdle = false;
        tick(100);
        QVERIFY(interfacePublicData.loggedIn);
        interfacePublicData.reencryptIdle = true;

        tick(28);
        QVERIFY(interfacePublicData.loggedIn);
        QCOMPARE(tips->text(), QStringLiteral("1 秒后自动退出验证"));
        tick(1);
        QVERIFY(!interfacePublicData.loggedIn);
        QCOMPARE(status(), QStringLiteral("为了你的账号安全，已自动退出验证"));
        QVERIFY(!tips->isVisible());
        QVERIFY(window->styleSheet().isEmpty());
    }

    void neverLogoutWithZero()
    {
        open(0, 20, 0);
        login(Owner, OwnerKey);
        QVERIFY(interfacePublicData.loggedIn);
        const QList<QTimer *> timers = window->findChildren<QTimer *>();
        for (QTimer *timer : timers)
            QVERIFY(!(timer->interval() == 1000 && timer->isActive()));
    }

    void paging()
    {
        open(45);
        auto *table = child<QTableWidget>("tableWidget_Users");
        QCOMPARE(table->rowCount(), 20);
        QCOMPARE(child<QLabel>("label_TotalPage")->text(), QStringLiteral("/ 3"));
        QVERIFY(!child<QPushButton>("pushButton_PrePage")->isEnabled());
        QVERIFY(child<QPushButton>("pushButton_NextPage")->isEnabled());
        QCOMPARE(table->item(0, 0)->text(), VaultSeed::plainAccount(0).Title);
        QCOMPARE(table->item(0, 5)->text(), QStringLiteral("2024-05-19"));

        ModalDismisser dismisser;
        auto *goPage = child<QLineEdit>("lineEdit_GoPage");
        goPage->setText(QStringLiteral("4"));
        QTest::mouseClick(child<QPushButton>("pushButton_GoPage"), Qt::LeftButton);
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("输入无效")});
        QCOMPARE(goPage->text(), QStringLiteral("1"));

        goPage->setText(QStringLiteral("3"));
        QTest::keyClick(goPage, Qt::Key_Return);
        QTRY_COMPARE(table->rowCount(), 5);
        QCOMPARE(table->item(0, 0)->text(), VaultSeed::plainAccount(40).Title);
        QVERIFY(!child<QPushButton>("pushButton_NextPage")->isEnabled());
        QTest::mouseClick(child<QPushButton>("pushButton_PrePage"), Qt::LeftButton);
        QCOMPARE(goPage->text(), QStringLiteral("2"));
        QCOMPARE(interfacePublicData.pageUsers.first().ID, 21);
    }

    void search()
    {
        open(45);
        child<QRadioButton>("radioButton_SearchWayUser")->setChecked(true);
        auto *text = child<QLineEdit>("lineEdit_SearchText");
        text->setText(QStringLiteral("user4"));
        QTest::keyClick(text, Qt::Key_Return);
        // user4 and user40 to user44
        QTRY_COMPARE(child<QTableWidget>("tableWidget_Users")->rowCount(), 6);
        QCOMPARE(child<QLabel>("label_TotalPage")->text(), QStringLiteral("/ 1"));
        QVERIFY(!child<QPushButton>("pushButton_GoPage")->isEnabled());

        // A change of the list keeps the filter and goes back to page 1.
        login(Owner, OwnerKey);
        child<QTableWidget>("tableWidget_Users")->setCurrentCell(0, 0);
        ModalDismisser dismisser(QMessageBox::Ok);
        QTest::mouseClick(child<QPushButton>("pushButton_DelUser"), Qt::LeftButton);
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("警告")});
        QCOMPARE(child<QTableWidget>("tableWidget_Users")->rowCount(), 5);
    }

    void settings_data()
    {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("storedLimit");
        QTest::addColumn<int>("storedSeconds");
        QTest::newRow("valid") << QStringLiteral("5") << QStringLiteral("45") << QString() << 5 << 45;
        QTest::newRow("letters count as 0") << QStringLiteral("0") << QStringLiteral("abc") << QString() << 0 << 0;
        QTest::newRow("limit 101") << QStringLiteral("101") << QStringLiteral("60") << QStringLiteral("输入无效") << 20
                                   << 60;
        QTest::newRow("negative limit") << QStringLiteral("-1") << QStringLiteral("60") << QStringLiteral("输入无效")
                                        << 20 << 60;
        QTest::newRow("29 seconds") << QStringLiteral("20") << QStringLiteral("29") << QStringLiteral("输入无效") << 20
                                    << 60;
        QTest::newRow("301 seconds") << QStringLiteral("20") << QStringLiteral("301") << QStringLiteral("输入无效")
                                     << 20 << 60;
    }
    void settings()
    {
        QFETCH(QString, limit);
        QFETCH(QString, seconds);
        QFETCH(QString, box);
        QFETCH(int, storedLimit);
        QFETCH(int, storedSeconds);
        open(45);
        auto *limitEdit = child<QLineEdit>("lineEdit_UserLimitOnePage");
        auto *secondsEdit = child<QLineEdit>("lineEdit_NoActiveLogoutSec");
        auto *button = child<QPushButton>("pushButton_UsersSetUpdate");
        QCOMPARE(limitEdit->text(), QStringLiteral("20"));
        QVERIFY(!button->isEnabled());
        limitEdit->setText(limit);
        secondsEdit->setText(seconds);
        QVERIFY(button->isEnabled());
        ModalDismisser dismisser;
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(dismisser.titles, box.isEmpty() ? QStringList() : QStringList{box});
        QVERIFY(!button->isEnabled());
        QCOMPARE(limitEdit->text(), QString::number(storedLimit));
        QCOMPARE(secondsEdit->text(), QString::number(storedSeconds));
        const int rows = storedLimit == 0 ? 45 : qMin(storedLimit, 45);
        QCOMPARE(child<QTableWidget>("tableWidget_Users")->rowCount(), rows);
    }

    void detailLoggedOut()
    {
        open(3);
        auto *dialog = window->findChild<UserInfoDetailDialog *>();
        QVERIFY(dialog->loadUserInfo(1));
        auto *pwd = dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit_Pwd"));
        QCOMPARE(dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit_Title"))->text(),
                 VaultSeed::plainAccount(1).Title);
        QCOMPARE(pwd->text(), QStringLiteral("请验证后查看加密信息"));
        QCOMPARE(pwd->echoMode(), QLineEdit::Normal);
        QVERIFY(!pwd->isEnabled());
        QVERIFY(!dialog->findChild<QPlainTextEdit *>(QStringLiteral("textEdit_NotePrivate"))->isEnabled());
        QVERIFY(!dialog->loadUserInfo(3));

        // Ok while logged out closes without writing anything.
        QSignalSpy requests(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        dialog->show();
        QMetaObject::invokeMethod(dialog, "on_pushButton_Ok_clicked");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(requests.count(), 0);
        QCOMPARE(pwd->text(), QString());
    }

    void detailRevealAndCopy()
    {
        open(3);
        login(Owner, OwnerKey);
        auto *dialog = window->findChild<UserInfoDetailDialog *>();
        QVERIFY(dialog->loadUserInfo(2));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        auto *pwd = dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit_Pwd"));
        QCOMPARE(pwd->text(), VaultSeed::plainAccount(2).Pwd);
        QCOMPARE(dialog->findChild<QPlainTextEdit *>(QStringLiteral("textEdit_NotePrivate"))->toPlainText(),
                 VaultSeed::plainAccount(2).NotePrivate);
        QCOMPARE(pwd->echoMode(), QLineEdit::Password);

        pwd->setFocus();
        QTRY_COMPARE(pwd->echoMode(), QLineEdit::Normal);
        QApplication::clipboard()->setText(QStringLiteral("untouched"));
        pwd->selectAll();
        QTest::keySequence(pwd, QKeySequence::Copy);
        QTest::keySequence(pwd, QKeySequence::Cut);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("untouched"));
        QCOMPARE(pwd->text(), VaultSeed::plainAccount(2).Pwd);
        // The note may be copied.
        auto *note = dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit_PwdNote"));
        note->setFocus();
        QTRY_COMPARE(note->echoMode(), QLineEdit::Normal);
        QTRY_COMPARE(pwd->echoMode(), QLineEdit::Password);
        note->selectAll();
        QTest::keySequence(note, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), VaultSeed::plainAccount(2).PwdNote);

        // Editing stores the secrets encrypted and stamps the row.
        pwd->setText(QStringLiteral("n3w-passw0rd"));
        QMetaObject::invokeMethod(dialog, "on_pushButton_Ok_clicked");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(VaultSeed::read(dir->databaseFile(), Owner, OwnerKey).at(2).Pwd, QStringLiteral("n3w-passw0rd"));
        QCOMPARE(VaultSeed::read(dir->databaseFile(), Owner, OwnerKey).at(2).NotePrivate,
                 VaultSeed::plainAccount(2).NotePrivate);
    }

    void logoutClosesDetail()
    {
        open(3);
        login(Owner, OwnerKey);
        auto *dialog = window->findChild<UserInfoDetailDialog *>();
        QVERIFY(dialog->loadUserInfo(0));
        dialog->show();
        interfacePublicData.aesLogout(LogoutInactive);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit_Pwd"))->text(), QString());
        QVERIFY(!dialog->findChild<QPushButton *>(QStringLiteral("pushButton_Ok"))->isEnabled());
    }

    void masterChangeChecks_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("repeat");
        QTest::addColumn<QString>("title");
        QTest::newRow("nothing") << QString() << QString() << QString() << QStringLiteral("未填写更改项");
        QTest::newRow("bad user") << QStringLiteral("ab") << QString() << QString() << QStringLiteral("用户名无效");
        QTest::newRow("bad key") << QString() << QStringLiteral("short") << QStringLiteral("short")
                                 << QStringLiteral("密钥无效");
        QTest::newRow("keys differ") << QString() << QStringLiteral("fresh.key.1") << QStringLiteral("fresh.key.2")
                                     << QStringLiteral("密钥不一致");
        QTest::newRow("cancelled confirmation")
            << QStringLiteral("newowner") << QString() << QString() << QStringLiteral("请确认更改");
    }
    void masterChangeChecks()
    {
        QFETCH(QString, user);
        QFETCH(QString, key);
        QFETCH(QString, repeat);
        QFETCH(QString, title);
        open(3);
        login(Owner, OwnerKey);
        auto *dialog = window->findChild<AesAccountUpdateDialog *>();
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit_UserNew"))->setText(user);
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit_KeyNew"))->setText(key);
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit_KeyNewRepeat"))->setText(repeat);
        ModalDismisser dismisser(QMessageBox::Cancel);
        QSignalSpy requests(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        QMetaObject::invokeMethod(dialog, "on_pushButton_Ok_clicked");
        QCOMPARE(dismisser.titles, QStringList{title});
        QCOMPARE(requests.count(), 0);
        QVERIFY(interfacePublicData.loggedIn);
        QVERIFY(VaultSeed::verifies(dir->databaseFile(), Owner, OwnerKey));
    }

    void masterChange()
    {
        open(3);
        login(Owner, OwnerKey);
        auto *dialog = window->findChild<AesAccountUpdateDialog *>();
        QSignalSpy requests(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit_KeyNew"))->setText(QStringLiteral("fresh.key.1"));
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit_KeyNewRepeat"))->setText(QStringLiteral("fresh.key.1"));
        {
            ModalDismisser dismisser(QMessageBox::Ok);
            // Opened by the button, confirmed by the dismisser, run by the worker, closed by the logout.
            QTimer::singleShot(0, dialog,
                               [dialog]() { QMetaObject::invokeMethod(dialog, "on_pushButton_Ok_clicked"); });
            QTest::mouseClick(child<QPushButton>("pushButton_AesAccountUpdate"), Qt::LeftButton);
            QCOMPARE(dismisser.titles, QStringList{QStringLiteral("请确认更改")});
            QCOMPARE(dismisser.texts.value(0), QStringLiteral("更改信息: \n<密钥>将被更新"));
        }
        QVERIFY(!dialog->isVisible());
        QVERIFY(interfacePublicData.reencryptIdle);
        QVERIFY(!interfacePublicData.loggedIn);
        QCOMPARE(status(), QStringLiteral("管理账号已修改，请重新验证！"));
        QVERIFY(!QFile::exists(dir->backupFile()));
        // The change, then the reload of page 1 under the new master account.
        QList<int> codes;
        for (const QList<QVariant> &request : requests)
            codes << request.at(0).toInt();
        QVERIFY(codes.contains(AesAccountUpdate));
        QVERIFY(codes.contains(UsersUserQuery));

        login(Owner, OwnerKey);
        QCOMPARE(status(), QStringLiteral("验证失败"));
        login(Owner, QStringLiteral("fresh.key.1"));
        QVERIFY(interfacePublicData.loggedIn);
        QCOMPARE(VaultSeed::read(dir->databaseFile(), Owner, QStringLiteral("fresh.key.1")).value(1),
                 VaultSeed::plainAccount(1));
    }

    void dialogRefusesToCloseWhileRunning()
    {
        open(0);
        login(Owner, OwnerKey);
        auto *dialog = window->findChild<AesAccountUpdateDialog *>();
        dialog->show();
        interfacePublicData.reencryptIdle = false;
        ModalDismisser dismisser;
        dialog->close();
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dismisser.titles, (QStringList{QStringLiteral("请等待"), QStringLiteral("请等待")}));
        emit interfacePublicData.SIGNALReceiveQueryData(AesAccountUpdate, QVariant::fromValue(AesUpdateBackupFailed));
        QVERIFY(interfacePublicData.reencryptIdle);
        QVERIFY(interfacePublicData.loggedIn);
        dialog->close();
        QVERIFY(!dialog->isVisible());
    }
};

QTEST_MAIN(TestVaultWindow)
#include "tst_vaultwindow.moc"
