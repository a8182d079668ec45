#include "app/mainwindow.h"
#include "common/modaldismisser.h"
#include "common/sqlrequest.h"
#include "common/storeworker.h"
#include "common/testprogramdir.h"
#include "common/vaultseed.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"
#include "vault/aesaccountupdatedialog.h"
#include "vault/logoutcountdown.h"
#include "vault/userinfodetaildialog.h"
#include "vault/usersconfiggroup.h"
#include "vault/userstab.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <memory>

namespace {

const QString Owner = QStringLiteral("owner2024");
const QString OwnerKey = QStringLiteral("owner.key.2024");
const QString RedBorder = QStringLiteral("#MainWindow{border:4px solid #ff0000;}");

template <typename T = QLineEdit> T *child(QObject *parent, const char *name)
{
    T *widget = parent->findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

} // namespace

// The Users tab driven by object name, on a real worker and database: login and logout, the
// inactivity countdown, paging and search, the settings, and the two vault dialogs.
class TestVaultWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramDir> dir;
    std::unique_ptr<StoreWorker<>> worker;
    std::unique_ptr<MainWindow> window;

    // A vault with that many accounts (unregistered when negative) and those settings, and the main
    // window over it, on the Users tab; prepare() leaves the file to be changed before start().
    void open(int accounts, int limitOnePage = 20, int logoutSeconds = 60)
    {
        prepare(accounts, limitOnePage, logoutSeconds);
        start();
    }
    void prepare(int accounts, int limitOnePage = 20, int logoutSeconds = 60)
    {
        dir = std::make_unique<TestProgramDir>();
        QVERIFY(dir->isValid());
        QVERIFY(accounts < 0 || VaultSeed::seed(dir->databaseFile(), Owner, OwnerKey, accounts));
        QVERIFY(dir->execute(QStringLiteral("UPDATE USERS_CONFIG SET UserLimitOnePage = %1, NoActiveLogoutSec = %2")
                                 .arg(limitOnePage)
                                 .arg(logoutSeconds)));
    }
    void start()
    {
        worker = std::make_unique<StoreWorker<>>();
        connectToHub(*worker);
        window = std::make_unique<MainWindow>();
        window->show();
        child<QTabWidget>(window.get(), "tabWidget")->setCurrentWidget(child<QWidget>(window.get(), "tabUsers"));
    }

    template <typename T = QLineEdit> T *find(const char *name) { return child<T>(window.get(), name); }

    void login(const QString &user, const QString &key)
    {
        find("lineEdit_User")->setText(user);
        find("lineEdit_Key")->setText(key);
        QTest::mouseClick(find<QPushButton>("pushButton_Login"), Qt::LeftButton);
    }

    void tick(int times)
    {
        for (int i = 0; i < times; ++i)
            window->findChild<UsersTab *>()->slotTimerLoginOutTimeout();
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

    // The warning starts after ten quiet ticks, whatever the limit.
    void countdownWarnsAfterTenTicks()
    {
        LogoutCountdown countdown;
        countdown.setLimit(300);
        countdown.reset();
        for (int i = 0; i < 10; ++i)
            QCOMPARE(countdown.tick(true, true), LogoutCountdown::Calm);
        QCOMPARE(countdown.tick(true, true), LogoutCountdown::Warn);
        QCOMPARE(countdown.remaining(), 289);
    }

    void registerThenVerify()
    {
        open(-1);
        ModalDismisser dismisser(QMessageBox::Ok);
        dismisser.setInput(QStringLiteral("春夏秋冬"));
        login(QStringLiteral("张三丰"), QStringLiteral("春夏秋冬"));
        QCOMPARE(dismisser.titles, (QStringList{QStringLiteral("确认密钥"), QStringLiteral("确认注册该账号吗？")}));
        QVERIFY(dismisser.texts.last().startsWith(QStringLiteral("张三丰\n")));
        QVERIFY(dismisser.texts.last().contains(QStringLiteral("无法恢复")));
        QCOMPARE(status(), QStringLiteral("注册成功，请尝试用刚才的信息进行验证！"));
        QCOMPARE(find("lineEdit_User")->text(), QStringLiteral("张三丰"));
        QCOMPARE(find("lineEdit_Key")->text(), QString());

        login(QStringLiteral("张三丰"), QStringLiteral("春夏秋冬东"));
        QCOMPARE(status(), QStringLiteral("验证失败"));
        QCOMPARE(find("lineEdit_User")->text(), QString());
        QVERIFY(window->styleSheet().isEmpty());

        find("lineEdit_User")->setText(QStringLiteral("张三丰"));
        find("lineEdit_Key")->setText(QStringLiteral("春夏秋冬"));
        QTest::keyClick(find("lineEdit_Key"), Qt::Key_Return);
        QTRY_VERIFY(interfacePublicData.loggedIn);
        QCOMPARE(window->styleSheet(), RedBorder);
        QVERIFY(find<QPushButton>("pushButton_DelUser")->isEnabled());

        QTest::mouseClick(find<QPushButton>("pushButton_Login"), Qt::LeftButton);
        QVERIFY(!interfacePublicData.loggedIn);
        QCOMPARE(status(), QStringLiteral("正常退出"));
        QVERIFY(!find<QPushButton>("pushButton_DelUser")->isEnabled());
    }

    // Nothing is stored unless the key was typed the same twice.
    void registrationNeedsTheKeyTwice_data()
    {
        QTest::addColumn<QString>("repeated");
        QTest::addColumn<QString>("lastTitle");
        QTest::newRow("typed otherwise") << QStringLiteral("春夏秋东") << "密钥不一致";
        QTest::newRow("cancelled") << QString() << "确认密钥";
    }
    void registrationNeedsTheKeyTwice()
    {
        QFETCH(QString, repeated);
        QFETCH(QString, lastTitle);
        open(-1);
        ModalDismisser dismisser(QMessageBox::Ok);
        dismisser.setInput(repeated);
        login(QStringLiteral("张三丰"), QStringLiteral("春夏秋冬"));
        QCOMPARE(dismisser.titles.last(), lastTitle);
        QVERIFY(!interfacePublicData.registered);
        QCOMPARE(dir->value(QStringLiteral("SELECT DecryptText FROM USERS_VERIFY")), QVariant(QString()));
    }

    // However a login ends, neither field gives back by undo what was typed, and the key is hidden again.
    void loginFieldsForget_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("ticks");
        QTest::newRow("manual logout") << OwnerKey << 0;
        QTest::newRow("automatic logout") << OwnerKey << 30;
        QTest::newRow("failed verification") << QStringLiteral("wrong.key.2024") << -1;
    }
    void loginFieldsForget()
    {
        QFETCH(QString, key);
        QFETCH(int, ticks);
        open(0, 20, 30);
        auto *eye = find<QPushButton>("pushButton_ShowKey");
        QTest::mouseClick(eye, Qt::LeftButton);
        login(Owner, key);
        if (ticks == 0)
            QTest::mouseClick(find<QPushButton>("pushButton_Login"), Qt::LeftButton);
        tick(qMax(ticks, 0));
        QVERIFY(!interfacePublicData.loggedIn);
        for (const char *name : {"lineEdit_User", "lineEdit_Key"}) {
            find(name)->undo();
            QCOMPARE(find(name)->text(), QString());
        }
        QVERIFY(!eye->isChecked());
        QCOMPARE(find("lineEdit_Key")->echoMode(), QLineEdit::Password);
    }

    // An older vault (Latin-1 credential hashes) opens with its Chinese credentials; with the key typed
    // again it is stored anew under their UTF-8 form.
    void olderVault_data()
    {
        QTest::addColumn<QString>("repeated");
        QTest::addColumn<bool>("loggedIn");
        QTest::addColumn<bool>("upgraded");
        QTest::newRow("key typed again") << QStringLiteral("春夏秋冬") << true << true;
        QTest::newRow("declined") << QString() << true << false;
        QTest::newRow("typed otherwise") << QStringLiteral("春夏秋东") << false << false;
    }
    void olderVault()
    {
        QFETCH(QString, repeated);
        QFETCH(bool, loggedIn);
        QFETCH(bool, upgraded);
        prepare(-1);
        // Only the key is outside Latin-1, which is enough to try that form.
        QVERIFY(VaultSeed::seed(dir->databaseFile(), Owner, QStringLiteral("春夏秋冬"), 3, true));
        start();
        ModalDismisser dismisser;
        dismisser.setInput(repeated);
        login(Owner, QStringLiteral("春夏秋冬"));
        QCOMPARE(dismisser.titles.value(0), QStringLiteral("确认密钥"));
        QCOMPARE(interfacePublicData.loggedIn, loggedIn);
        QCOMPARE(VaultSeed::verifies(dir->databaseFile(), Owner, QStringLiteral("春夏秋冬")), upgraded);
        QVERIFY(!QFile::exists(dir->backupFile()));
        // The change ran behind the login: the master change dialog shows nothing of it later.
        QVERIFY(window->findChild<QTextEdit *>(QStringLiteral("textEdit_UpdataInfo"))->toPlainText().isEmpty());
        if (loggedIn)
            QCOMPARE(interfacePublicData.aesDecrypt(interfacePublicData.pageUsers.value(2).Pwd),
                     VaultSeed::plainAccount(2).Pwd);
    }

    void invalidLoginInput_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("title");
        QTest::newRow("one Chinese character") << QStringLiteral("张") << OwnerKey << "用户名无效";
        QTest::newRow("key too short") << Owner << QStringLiteral("short.1") << "密钥无效";
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
        QCOMPARE(find("lineEdit_User")->text(), user);
    }

    void inactivityLogout()
    {
        open(0, 20, 30);
        login(Owner, OwnerKey);
        QVERIFY(interfacePublicData.loggedIn);
        auto *tips = find<QLabel>("label_LoginTips");
        tick(10);
        QVERIFY(!tips->isVisible());
        tick(1);
        QVERIFY(tips->isVisible());
        QCOMPARE(tips->text(), QStringLiteral("19 秒后自动退出验证"));

        // Activity hides the warning at once; the blinking stops at the next tick.
        window->findChild<UsersTab *>()->slotTimerWarnBorderTimeout();
        QVERIFY(window->styleSheet().contains(QStringLiteral("rgba(255,0,0,")));
        emit interfacePublicData.SIGNALUserActiveStatusChanged();
        QVERIFY(!tips->isVisible());
        tick(1);
        QCOMPARE(window->styleSheet(), RedBorder);

        // A running master change freezes the countdown however long it takes.
        interfacePublicData.reencryptIdle = false;
        tick(100);
        QVERIFY(interfacePublicData.loggedIn);
        interfacePublicData.reencryptIdle = true;

        tick(28);
        QCOMPARE(tips->text(), QStringLiteral("1 秒后自动退出验证"));
        QVERIFY(interfacePublicData.loggedIn);
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
        for (QTimer *timer : window->findChildren<QTimer *>())
            QVERIFY(timer->interval() != 1000 || !timer->isActive());
    }

    void paging()
    {
        open(45);
        auto *table = find<QTableWidget>("tableWidget_Users");
        QCOMPARE(table->rowCount(), 20);
        QCOMPARE(find<QLabel>("label_TotalPage")->text(), QStringLiteral("/ 3"));
        QVERIFY(!find<QPushButton>("pushButton_PrePage")->isEnabled());
        QCOMPARE(table->item(0, 0)->text(), VaultSeed::plainAccount(0).Title);
        QCOMPARE(table->item(0, 5)->text(), QStringLiteral("2024-05-19"));

        ModalDismisser dismisser;
        auto *goPage = find("lineEdit_GoPage");
        goPage->setText(QStringLiteral("4"));
        QTest::mouseClick(find<QPushButton>("pushButton_GoPage"), Qt::LeftButton);
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("输入无效")});
        QCOMPARE(goPage->text(), QStringLiteral("1"));

        goPage->setText(QStringLiteral("3"));
        QTest::keyClick(goPage, Qt::Key_Return);
        QTRY_COMPARE(table->rowCount(), 5);
        QCOMPARE(table->item(0, 0)->text(), VaultSeed::plainAccount(40).Title);
        QVERIFY(!find<QPushButton>("pushButton_NextPage")->isEnabled());
        QTest::mouseClick(find<QPushButton>("pushButton_PrePage"), Qt::LeftButton);
        QCOMPARE(goPage->text(), QStringLiteral("2"));
        QCOMPARE(table->item(0, 0)->text(), VaultSeed::plainAccount(20).Title);
    }

    // A change of the list keeps the filter and goes back to page 1.
    void search()
    {
        open(45);
        find<QRadioButton>("radioButton_SearchWayUser")->setChecked(true);
        find("lineEdit_SearchText")->setText(QStringLiteral("user4"));
        QTest::keyClick(find("lineEdit_SearchText"), Qt::Key_Return);
        auto *table = find<QTableWidget>("tableWidget_Users");
        QTRY_COMPARE(table->rowCount(), 6); // user4 and user40 to user44
        QCOMPARE(find<QLabel>("label_TotalPage")->text(), QStringLiteral("/ 1"));

        login(Owner, OwnerKey);
        table->setCurrentCell(0, 0);
        ModalDismisser dismisser(QMessageBox::Ok);
        QTest::mouseClick(find<QPushButton>("pushButton_DelUser"), Qt::LeftButton);
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("警告")});
        QCOMPARE(dismisser.texts.first().split(QLatin1Char('\n')).mid(2),
                 (QStringList{QStringLiteral("项目: ") + VaultSeed::plainAccount(4).Title,
                              QStringLiteral("用户名: user4")}));
        QCOMPARE(table->rowCount(), 5);
    }

    // The limit and the seconds as typed, and what is stored after the button: the old values when refused.
    void settings_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("stored");
        QTest::newRow("valid") << "5|45" << false << "5|45";
        QTest::newRow("0 never logs out") << "0|0" << false << "0|0";
        QTest::newRow("letters are no number") << "20|abc" << true << "20|60";
        QTest::newRow("empty") << "|60" << true << "20|60";
        QTest::newRow("limit 101") << "101|60" << true << "20|60";
        QTest::newRow("no minus") << "-1|60" << false << "1|60";
        QTest::newRow("29 seconds") << "20|29" << true << "20|60";
        QTest::newRow("301 seconds") << "20|301" << true << "20|60";
    }
    void settings()
    {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        QFETCH(QString, stored);
        open(45);
        auto *group = window->findChild<UsersConfigGroup *>(QStringLiteral("groupBox_SettingUser"));
        auto *button = child<QPushButton>(group, "pushButton_UsersSetUpdate");
        auto *limit = child(group, "lineEdit_UserLimitOnePage");
        auto *seconds = child(group, "lineEdit_NoActiveLogoutSec");
        QCOMPARE(limit->text(), QStringLiteral("20"));
        QVERIFY(!button->isEnabled());
        limit->clear();
        seconds->clear();
        QTest::keyClicks(limit, typed.section(QLatin1Char('|'), 0, 0));
        QTest::keyClicks(seconds, typed.section(QLatin1Char('|'), 1));
        QVERIFY(button->isEnabled());
        ModalDismisser dismisser;
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(dismisser.titles, refused ? QStringList{QStringLiteral("输入无效")} : QStringList());
        QVERIFY(!button->isEnabled());
        QCOMPARE(limit->text() + QLatin1Char('|') + seconds->text(), stored);
        const int rows = limit->text().toInt();
        QCOMPARE(find<QTableWidget>("tableWidget_Users")->rowCount(), rows == 0 ? 45 : rows);
    }

    // Logged out, the secrets are hidden and Ok closes without writing anything. Logged in, the password
    // shows while it has the focus and can be neither copied nor cut; edits are stored encrypted, and a
    // logout closes the dialog and clears it.
    void detailDialog()
    {
        open(3);
        auto *dialog = window->findChild<UserInfoDetailDialog *>();
        QVERIFY(dialog->loadUserInfo(1));
        QVERIFY(!dialog->loadUserInfo(3));
        QCOMPARE(child(dialog, "lineEdit_Title")->text(), VaultSeed::plainAccount(1).Title);
        auto *pwd = child(dialog, "lineEdit_Pwd");
        QCOMPARE(pwd->text(), QStringLiteral("请验证后查看加密信息"));
        QVERIFY(!pwd->isEnabled());
        QVERIFY(!child<QPlainTextEdit>(dialog, "textEdit_NotePrivate")->isEnabled());
        QSignalSpy requests(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        dialog->show();
        QMetaObject::invokeMethod(dialog, "on_pushButton_Ok_clicked");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(requests.count(), 0);

        login(Owner, OwnerKey);
        QVERIFY(dialog->loadUserInfo(2));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        const UsersUserInfoData plain = VaultSeed::plainAccount(2);
        QCOMPARE(pwd->text(), plain.Pwd);
        QCOMPARE(child<QPlainTextEdit>(dialog, "textEdit_NotePrivate")->toPlainText(), plain.NotePrivate);
        QCOMPARE(pwd->echoMode(), QLineEdit::Password);

        pwd->setFocus();
        QTRY_COMPARE(pwd->echoMode(), QLineEdit::Normal);
        QApplication::clipboard()->setText(QStringLiteral("untouched"));
        pwd->selectAll();
        QTest::keySequence(pwd, QKeySequence::Copy);
        QTest::keySequence(pwd, QKeySequence::Cut);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("untouched"));
        QCOMPARE(pwd->text(), plain.Pwd);
        // Nor by its context menu.
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2), pwd->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(pwd, &menuEvent);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (const QAction *action : menu->actions()) {
            for (const auto key : {QKeySequence::Copy, QKeySequence::Cut})
                QVERIFY(!action->isEnabled() || !action->text().endsWith(QKeySequence(key).toString()));
        }
        menu->close();
        auto *note = child(dialog, "lineEdit_PwdNote");
        note->setFocus();
        QTRY_COMPARE(pwd->echoMode(), QLineEdit::Password);
        note->selectAll();
        QTest::keySequence(note, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), plain.PwdNote);

        pwd->setText(QStringLiteral("n3w-passw0rd"));
        QMetaObject::invokeMethod(dialog, "on_pushButton_Ok_clicked");
        QVERIFY(!dialog->isVisible());
        UsersUserInfoData changed = plain;
        changed.Pwd = QStringLiteral("n3w-passw0rd");
        QCOMPARE(VaultSeed::read(dir->databaseFile(), Owner, OwnerKey).value(2), changed);

        QVERIFY(dialog->loadUserInfo(0));
        dialog->show();
        interfacePublicData.aesLogout(LogoutInactive);
        QVERIFY(!dialog->isVisible());
        QVERIFY(!child<QPushButton>(dialog, "pushButton_Ok")->isEnabled());
        for (QLineEdit *secret : {pwd, note}) {
            secret->undo();
            QCOMPARE(secret->text(), QString());
        }
    }

    // A secret that cannot be decoded shows as unreadable and is saved back as stored unless replaced;
    // one with a line break added reads as usual.
    void unreadableSecret()
    {
        prepare(3);
        QVERIFY(dir->execute(
            QStringLiteral("UPDATE USERS_USER_INFO SET Pwd = 'damaged*', PwdNote = PwdNote || char(10) WHERE ID = 2")));
        start();
        login(Owner, OwnerKey);
        auto *dialog = window->findChild<UserInfoDetailDialog *>();
        QVERIFY(dialog->loadUserInfo(1));
        auto *pwd = child(dialog, "lineEdit_Pwd");
        QCOMPARE(pwd->text(), QString());
        QVERIFY(!pwd->placeholderText().isEmpty());
        QCOMPARE(child(dialog, "lineEdit_PwdNote")->text(), VaultSeed::plainAccount(1).PwdNote);
        QCOMPARE(dialog->enteredUser().Pwd, QStringLiteral("damaged*"));
        QTest::keyClicks(pwd, QStringLiteral("typed"));
        QCOMPARE(interfacePublicData.aesDecrypt(dialog->enteredUser().Pwd), QStringLiteral("typed"));
    }

    // New user, new key and its repetition, and the box that stops the change.
    void masterChangeChecks_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("title");
        QTest::newRow("nothing") << "||"
                                 << "未填写更改项";
        QTest::newRow("bad user") << "ab||"
                                  << "用户名无效";
        QTest::newRow("bad key") << "|short|short"
                                 << "密钥无效";
        QTest::newRow("keys differ") << "|fresh.key.1|fresh.key.2"
                                     << "密钥不一致";
        QTest::newRow("cancelled confirmation") << "newowner||"
                                                << "请确认更改";
    }
    void masterChangeChecks()
    {
        QFETCH(QString, typed);
        QFETCH(QString, title);
        open(3);
        login(Owner, OwnerKey);
        auto *dialog = window->findChild<AesAccountUpdateDialog *>();
        const QStringList fields = typed.split(QLatin1Char('|'));
        child(dialog, "lineEdit_UserNew")->setText(fields.at(0));
        child(dialog, "lineEdit_KeyNew")->setText(fields.at(1));
        child(dialog, "lineEdit_KeyNewRepeat")->setText(fields.at(2));
        ModalDismisser dismisser(QMessageBox::Cancel);
        QSignalSpy requests(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        QMetaObject::invokeMethod(dialog, "on_pushButton_Ok_clicked");
        QCOMPARE(dismisser.titles, QStringList{title});
        QCOMPARE(requests.count(), 0);
        QVERIFY(interfacePublicData.loggedIn);
    }

    void masterChange()
    {
        open(3);
        login(Owner, OwnerKey);
        auto *dialog = window->findChild<AesAccountUpdateDialog *>();
        child(dialog, "lineEdit_KeyNew")->setText(QStringLiteral("fresh.key.1"));
        child(dialog, "lineEdit_KeyNewRepeat")->setText(QStringLiteral("fresh.key.1"));
        {
            ModalDismisser dismisser(QMessageBox::Ok);
            // Opened by the button, confirmed by the dismisser, run by the worker, closed by the logout.
            QTimer::singleShot(0, dialog,
                               [dialog]() { QMetaObject::invokeMethod(dialog, "on_pushButton_Ok_clicked"); });
            QTest::mouseClick(find<QPushButton>("pushButton_AesAccountUpdate"), Qt::LeftButton);
            QCOMPARE(dismisser.titles, QStringList{QStringLiteral("请确认更改")});
            QCOMPARE(dismisser.texts, QStringList{QStringLiteral("更改信息: \n<密钥>将被更新")});
        }
        QVERIFY(!dialog->isVisible());
        QVERIFY(interfacePublicData.reencryptIdle);
        QVERIFY(!interfacePublicData.loggedIn);
        QCOMPARE(status(), QStringLiteral("管理账号已修改，请重新验证！"));
        QVERIFY(!QFile::exists(dir->backupFile()));

        login(Owner, OwnerKey);
        QCOMPARE(status(), QStringLiteral("验证失败"));
        login(Owner, QStringLiteral("fresh.key.1"));
        QVERIFY(interfacePublicData.loggedIn);
        QCOMPARE(find<QTableWidget>("tableWidget_Users")->rowCount(), 3);
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
        QVERIFY(interfacePublicData.reencryptIdle && interfacePublicData.loggedIn);
        dialog->close();
        QVERIFY(!dialog->isVisible());

        // A finished change whose backup cannot be removed says so.
        QVERIFY(QDir().mkpath(dir->backupFile() + QStringLiteral("/held")));
        emit interfacePublicData.SIGNALReceiveQueryData(AesAccountUpdate, QVariant::fromValue(AesUpdateSuccess));
        QCOMPARE(dismisser.titles.last(), QStringLiteral("备份文件未能删除"));
    }
};

QTEST_MAIN(TestVaultWindow)
#include "tst_vaultwindow.moc"
