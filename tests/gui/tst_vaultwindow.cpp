#include "app/mainwindow.h"
#include "common/hublog.h"
#include "common/hubworker.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "common/vaultseed.h"
#include "data/interfacepublicdata.h"
#include "vault/aesaccountupdatedialog.h"
#include "vault/userinfodetaildialog.h"
#include "vault/userstab.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
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

template <typename T = QLineEdit> T *child(QObject *parent, const char *name)
{
    T *widget = parent->findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

} // namespace

// The Users tab driven by object name, on a real worker and database: registration, login and logout,
// and the two vault dialogs.
class TestVaultWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramDir> dir;
    std::unique_ptr<HubWorker> worker;
    std::unique_ptr<MainWindow> window;

    // A vault with that many accounts (unregistered when negative) and the main window over it, on the
    // Users tab; prepare() leaves the file to be changed before start().
    void open(int accounts, int logoutSeconds = 60)
    {
        prepare(accounts, logoutSeconds);
        start(accounts);
    }
    void prepare(int accounts, int logoutSeconds = 60)
    {
        dir = std::make_unique<TestProgramDir>();
        QVERIFY(dir->isValid());
        QVERIFY(accounts < 0 || VaultSeed::seed(dir->databaseFile(), Owner, OwnerKey, accounts));
        QVERIFY(dir->execute(QStringLiteral("UPDATE USERS_CONFIG SET NoActiveLogoutSec = %1").arg(logoutSeconds)));
    }
    void start(int accounts)
    {
        worker = std::make_unique<HubWorker>();
        window = std::make_unique<MainWindow>();
        window->show();
        find<QTabWidget>("tabWidget")->setCurrentWidget(find<QWidget>("tabUsers"));
        QTRY_COMPARE(find<QTableWidget>("tableWidget_Users")->rowCount(), qMax(accounts, 0));
        QTRY_COMPARE(interfacePublicData.registered, accounts >= 0);
    }

    template <typename T = QLineEdit> T *find(const char *name) { return child<T>(window.get(), name); }

    // Types the account and presses the button, then waits for the worker's verdict.
    void login(const QString &user, const QString &key)
    {
        QSignalSpy verdict(&interfacePublicData, &InterfacePublicData::SIGNALAesLogin);
        find("lineEdit_User")->setText(user);
        find("lineEdit_Key")->setText(key);
        QTest::mouseClick(find<QPushButton>("pushButton_Login"), Qt::LeftButton);
        QVERIFY(verdict.count() > 0 || verdict.wait(5000));
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

    void registerThenVerify()
    {
        open(-1);
        ModalDismisser dismisser(QMessageBox::Ok);
        dismisser.setInput(QStringLiteral("春夏秋冬"));
        login(QStringLiteral("张三丰"), QStringLiteral("春夏秋冬"));
        QCOMPARE(dismisser.titles, (QStringList{QStringLiteral("确认密钥"), QStringLiteral("确认注册该账号吗？")}));
        QVERIFY(dismisser.texts.last().startsWith(QStringLiteral("张三丰\n")));
        QTRY_VERIFY(interfacePublicData.registered);

        login(QStringLiteral("张三丰"), QStringLiteral("春夏秋冬东"));
        QCOMPARE(status(), QStringLiteral("验证失败"));
        login(QStringLiteral("张三丰"), QStringLiteral("春夏秋冬"));
        QVERIFY(interfacePublicData.loggedIn);
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
        HubLog log;
        find("lineEdit_User")->setText(QStringLiteral("张三丰"));
        find("lineEdit_Key")->setText(QStringLiteral("春夏秋冬"));
        QTest::mouseClick(find<QPushButton>("pushButton_Login"), Qt::LeftButton);
        QCOMPARE(dismisser.titles.last(), lastTitle);
        QCOMPARE(log.count(UsersVerifyUpdate), 0);
    }

    // However a login ends, neither field gives back by undo what was typed, and the key is hidden again.
    void loginFieldsForget_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("automatic");
        QTest::newRow("manual logout") << OwnerKey << false;
        QTest::newRow("automatic logout") << OwnerKey << true;
        QTest::newRow("failed verification") << QStringLiteral("wrong.key.2024") << false;
    }
    void loginFieldsForget()
    {
        QFETCH(QString, key);
        QFETCH(bool, automatic);
        open(0, 30);
        auto *eye = find<QPushButton>("pushButton_ShowKey");
        QTest::mouseClick(eye, Qt::LeftButton);
        login(Owner, key);
        if (interfacePublicData.loggedIn && !automatic)
            QTest::mouseClick(find<QPushButton>("pushButton_Login"), Qt::LeftButton);
        for (int i = 0; automatic && i < 30; ++i)
            window->findChild<UsersTab *>()->slotTimerLoginOutTimeout();
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
        start(3);
        ModalDismisser dismisser;
        dismisser.setInput(repeated);
        login(Owner, QStringLiteral("春夏秋冬"));
        QCOMPARE(dismisser.titles.value(0), QStringLiteral("确认密钥"));
        QTRY_COMPARE(interfacePublicData.loggedIn, loggedIn);
        QTRY_VERIFY(interfacePublicData.reencryptIdle);
        QCOMPARE(VaultSeed::verifies(dir->databaseFile(), Owner, QStringLiteral("春夏秋冬")), upgraded);
        if (loggedIn)
            QTRY_COMPARE(interfacePublicData.aesDecrypt(interfacePublicData.pageUsers.value(2).Pwd),
                         VaultSeed::plainAccount(2).Pwd);
    }

    // Logged out, the secrets are hidden and Ok writes nothing. Logged in, the password can be neither
    // copied nor cut; edits are stored encrypted, and a logout closes the dialog and clears it.
    void detailDialog()
    {
        open(3);
        auto *dialog = window->findChild<UserInfoDetailDialog *>();
        QVERIFY(dialog->loadUserInfo(1));
        auto *pwd = child(dialog, "lineEdit_Pwd");
        QCOMPARE(pwd->text(), QStringLiteral("请验证后查看加密信息"));
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
        pwd->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("untouched"));
        pwd->selectAll();
        QTest::keySequence(pwd, QKeySequence::Copy);
        QTest::keySequence(pwd, QKeySequence::Cut);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("untouched"));
        QCOMPARE(pwd->text(), plain.Pwd);
        auto *note = child(dialog, "lineEdit_PwdNote");

        pwd->setText(QStringLiteral("n3w-passw0rd"));
        QMetaObject::invokeMethod(dialog, "on_pushButton_Ok_clicked");
        QVERIFY(!dialog->isVisible());
        UsersUserInfoData changed = plain;
        changed.Pwd = QStringLiteral("n3w-passw0rd");
        QTRY_COMPARE(VaultSeed::read(dir->databaseFile(), Owner, OwnerKey).value(2), changed);

        QVERIFY(dialog->loadUserInfo(0));
        dialog->show();
        interfacePublicData.aesLogout(LogoutInactive);
        QVERIFY(!dialog->isVisible());
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
        start(3);
        login(Owner, OwnerKey);
        auto *dialog = window->findChild<UserInfoDetailDialog *>();
        QVERIFY(dialog->loadUserInfo(1));
        auto *pwd = child(dialog, "lineEdit_Pwd");
        QCOMPARE(pwd->text(), QString());
        QCOMPARE(child(dialog, "lineEdit_PwdNote")->text(), VaultSeed::plainAccount(1).PwdNote);
        QCOMPARE(dialog->enteredUser().Pwd, QStringLiteral("damaged*"));
        QTest::keyClicks(pwd, QStringLiteral("typed"));
        QCOMPARE(interfacePublicData.aesDecrypt(dialog->enteredUser().Pwd), QStringLiteral("typed"));
    }

    // Settings fields take digits only.
    void idleLimitTakesDigits()
    {
        open(0);
        auto *field = find("lineEdit_NoActiveLogoutSec");
        field->clear();
        QTest::keyClicks(field, QStringLiteral("1a2-b"));
        QCOMPARE(field->text(), QStringLiteral("12"));
    }

    void masterChange()
    {
        open(3);
        login(Owner, OwnerKey);
        auto *dialog = window->findChild<AesAccountUpdateDialog *>();
        child(dialog, "lineEdit_KeyNew")->setText(QStringLiteral("fresh.key.1"));
        child(dialog, "lineEdit_KeyNewRepeat")->setText(QStringLiteral("fresh.key.1"));
        // Opened by the button, confirmed, run by the worker, closed by the logout; only the confirmation is
        // answered, the dialog stays open while the worker runs.
        auto dismisser = std::make_unique<ModalDismisser>(QMessageBox::Ok);
        QStringList asked;
        QTimer::singleShot(0, dialog, [&]() {
            QMetaObject::invokeMethod(dialog, "on_pushButton_Ok_clicked");
            asked = dismisser->titles + dismisser->texts;
            dismisser.reset();
        });
        QTest::mouseClick(find<QPushButton>("pushButton_AesAccountUpdate"), Qt::LeftButton);
        QCOMPARE(asked, (QStringList{"请确认更改", "更改信息: \n<密钥>将被更新"}));
        QTRY_VERIFY(!dialog->isVisible());
        QTRY_VERIFY(interfacePublicData.reencryptIdle);
        QVERIFY(!interfacePublicData.loggedIn);
        QVERIFY(!QFile::exists(dir->backupFile()));
        QVERIFY(!VaultSeed::verifies(dir->databaseFile(), Owner, OwnerKey));

        login(Owner, QStringLiteral("fresh.key.1"));
        QVERIFY(interfacePublicData.loggedIn);
        QTRY_COMPARE(find<QTableWidget>("tableWidget_Users")->rowCount(), 3);
    }
};

QTEST_MAIN(TestVaultWindow)
#include "tst_vaultwindow.moc"
