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
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlDatabase>
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

// The Users tab on a real worker and database: registration, login and logout, and the two vault dialogs.
class TestVaultWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramDir> dir;
    std::unique_ptr<HubWorker> worker;
    std::unique_ptr<MainWindow> window;

    // A vault with that many accounts (none registered when negative) under that key, changed by the SQL,
    // and the main window over it on the Users tab.
    void open(int accounts, const QString &change = QString(), const QString &key = OwnerKey, bool latin1 = false)
    {
        dir = std::make_unique<TestProgramDir>();
        QVERIFY(dir->isValid());
        QVERIFY(accounts < 0 || VaultSeed::seed(dir->databaseFile(), Owner, key, accounts, latin1));
        QVERIFY(dir->execute(QStringLiteral("UPDATE USERS_CONFIG SET NoActiveLogoutSec = 30")));
        QVERIFY(change.isEmpty() || dir->execute(change));
        worker = std::make_unique<HubWorker>();
        window = std::make_unique<MainWindow>();
        window->show();
        find<QTabWidget>("tabWidget")->setCurrentWidget(find<QWidget>("tabUsers"));
        QTRY_COMPARE(find<QTableWidget>("tableWidget_Users")->rowCount(), qMax(accounts, 0));
        QTRY_COMPARE(interfacePublicData.registered, accounts >= 0);
    }
    template <typename T = QLineEdit> T *find(const char *name) { return child<T>(window.get(), name); }
    void type(const QString &user, const QString &key)
    {
        find("lineEdit_User")->setText(user);
        find("lineEdit_Key")->setText(key);
        QTest::mouseClick(find<QPushButton>("pushButton_Login"), Qt::LeftButton);
    }
    // Types the account, presses the button and waits for the worker's verdict.
    void login(const QString &user, const QString &key)
    {
        QSignalSpy verdict(&interfacePublicData, &InterfacePublicData::SIGNALAesLogin);
        type(user, key);
        QVERIFY(verdict.count() > 0 || verdict.wait(5000));
    }

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

    // A key is stored only when typed the same twice: at registration, and when an older vault (Latin-1
    // credential hashes), opened with its Chinese key, is stored anew under the UTF-8 form.
    void keyTypedTwice_data()
    {
        QTest::addColumn<bool>("older");
        QTest::addColumn<QString>("repeated");
        QTest::addColumn<bool>("stored");
        QTest::newRow("registered") << false << QStringLiteral("春夏秋冬") << true;
        QTest::newRow("registration typed otherwise") << false << QStringLiteral("春夏秋东") << false;
        QTest::newRow("older vault upgraded") << true << QStringLiteral("春夏秋冬") << true;
        QTest::newRow("older vault declined") << true << QString() << false;
        QTest::newRow("older vault typed otherwise") << true << QStringLiteral("春夏秋东") << false;
    }
    void keyTypedTwice()
    {
        QFETCH(bool, older);
        QFETCH(QString, repeated);
        QFETCH(bool, stored);
        const QString key = QStringLiteral("春夏秋冬");
        open(older ? 3 : -1, QString(), key, true);
        ModalDismisser dismisser(QMessageBox::Ok);
        dismisser.setInput(repeated);
        HubLog log;
        type(Owner, key);
        QTRY_COMPARE(dismisser.titles.value(0), QStringLiteral("确认密钥"));
        QTRY_COMPARE(interfacePublicData.registered, older || stored);
        QVERIFY(older || log.count(UsersVerifyUpdate) == int(stored));
        QTRY_VERIFY(interfacePublicData.reencryptIdle);
        QTRY_COMPARE(VaultSeed::verifies(dir->databaseFile(), Owner, key), stored);
        // Declining the upgrade still opens the older vault.
        const bool opens = older && repeated != QStringLiteral("春夏秋东");
        QTRY_COMPARE(interfacePublicData.loggedIn, opens);
        // The page is read anew after the upgrade.
        QTRY_VERIFY(!opens || interfacePublicData.aesDecrypt(interfacePublicData.pageUsers.value(2).Pwd) ==
                                  VaultSeed::plainAccount(2).Pwd);
    }

    // The eye shows the key; however a login ends, no field of the tab or of the open detail dialog gives back
    // by undo what it held, and the key is hidden again.
    void logoutForgets_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("idle");
        QTest::newRow("manual logout") << OwnerKey << false;
        QTest::newRow("idle logout") << OwnerKey << true;
        QTest::newRow("failed verification") << QStringLiteral("wrong.key.2024") << false;
    }
    void logoutForgets()
    {
        QFETCH(QString, key);
        QFETCH(bool, idle);
        open(1);
        auto *eye = find<QPushButton>("pushButton_ShowKey");
        QTest::mouseClick(eye, Qt::LeftButton);
        QCOMPARE(find("lineEdit_Key")->echoMode(), QLineEdit::Normal);
        login(Owner, key);
        auto *dialog = window->findChild<UserInfoDetailDialog *>();
        const bool loggedIn = interfacePublicData.loggedIn;
        if (loggedIn) {
            QVERIFY(dialog->loadUserInfo(0));
            dialog->show();
        }
        if (loggedIn && !idle)
            QTest::mouseClick(find<QPushButton>("pushButton_Login"), Qt::LeftButton);
        for (int i = 0; idle && i < 30; ++i)
            window->findChild<UsersTab *>()->slotTimerLoginOutTimeout();
        QVERIFY(!interfacePublicData.loggedIn && !dialog->isVisible());
        for (QLineEdit *field : {find("lineEdit_User"), find("lineEdit_Key"), child(dialog, "lineEdit_Pwd"),
                                 child(dialog, "lineEdit_PwdNote")}) {
            field->undo();
            QCOMPARE(field->text(), QString());
        }
        QVERIFY(!eye->isChecked() && find("lineEdit_Key")->echoMode() == QLineEdit::Password);
    }

    // A secret that cannot be decoded is kept as stored unless replaced (a trailing line break still reads);
    // the password can be neither copied nor cut; an edit is stored encrypted.
    void detailDialog()
    {
        open(3, QStringLiteral("UPDATE USERS_USER_INFO SET Pwd = 'damaged*', PwdNote = PwdNote || char(10) "
                               "WHERE ID = 2"));
        login(Owner, OwnerKey);
        auto *dialog = window->findChild<UserInfoDetailDialog *>();
        auto *pwd = child(dialog, "lineEdit_Pwd");
        // Unticking every kind of the generator leaves its menu open and the last kind ticked.
        auto *menu = child<QMenu>(dialog, "menu_GeneratePwd");
        menu->popup(QPoint());
        for (QAction *kind : menu->actions().mid(1))
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(kind).center());
        QVERIFY(menu->isVisible());
        menu->hide();
        QMetaObject::invokeMethod(dialog, "on_toolButton_GeneratePwd_clicked");
        QVERIFY(QRegularExpression("^[!@#$%^&*_.?]{20}$").match(pwd->text()).hasMatch());
        QVERIFY(dialog->loadUserInfo(1));
        QCOMPARE(pwd->text(), QString());
        QCOMPARE(child(dialog, "lineEdit_PwdNote")->text(), VaultSeed::plainAccount(1).PwdNote);
        QCOMPARE(dialog->enteredUser().Pwd, QStringLiteral("damaged*"));
        QTest::keyClicks(pwd, QStringLiteral("typed"));
        QCOMPARE(interfacePublicData.aesDecrypt(dialog->enteredUser().Pwd), QStringLiteral("typed"));
        QMetaObject::invokeMethod(dialog, "on_pushButton_Cancel_clicked");
        QVERIFY(dialog->loadUserInfo(2));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        pwd->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("untouched"));
        pwd->selectAll();
        QTest::keySequence(pwd, QKeySequence::Copy);
        QTest::keySequence(pwd, QKeySequence::Cut);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("untouched"));
        QCOMPARE(pwd->text(), VaultSeed::plainAccount(2).Pwd);
        // A NUL, which would end the encrypted text, is taken out; a paste beyond the limit is cut where it went in.
        pwd->clear();
        pwd->insert(QStringLiteral("n3w-pass") + QChar(0) + QStringLiteral("w0rd"));
        auto *title = child(dialog, "lineEdit_Title");
        title->setCursorPosition(1);
        title->insert(QString(FieldLength::Account, QLatin1Char('x')));
        QCOMPARE(title->text().size(), FieldLength::Account);
        QVERIFY(title->text().startsWith(QStringLiteral("站x")) && title->text().endsWith(QStringLiteral("x点 2")));
        QMetaObject::invokeMethod(dialog, "on_pushButton_Ok_clicked");
        const QString stored = QStringLiteral("SELECT Pwd FROM USERS_USER_INFO WHERE ID = 3");
        QTRY_COMPARE(interfacePublicData.aesDecrypt(dir->value(stored).toString()), QStringLiteral("n3w-passw0rd"));
        QVERIFY(!dir->value(stored).toString().contains(QStringLiteral("n3w")));
    }

    // Letters never reach the idle limit, where they used to be stored as 0, never log out.
    void idleLimitTakesDigits()
    {
        open(0);
        find("lineEdit_NoActiveLogoutSec")->clear();
        QTest::keyClicks(find("lineEdit_NoActiveLogoutSec"), QStringLiteral("1a2-b"));
        QCOMPARE(find("lineEdit_NoActiveLogoutSec")->text(), QStringLiteral("12"));
    }

    // Confirmed, run by the worker, closed by the logout: the old key no longer opens the vault, the new one does.
    void masterChange()
    {
        open(3);
        login(Owner, OwnerKey);
        auto *dialog = window->findChild<AesAccountUpdateDialog *>();
        child(dialog, "lineEdit_KeyNew")->setText(QStringLiteral("fresh.key.1"));
        child(dialog, "lineEdit_KeyNewRepeat")->setText(QStringLiteral("fresh.key.1"));
        // Only the confirmation is answered; the dialog stays open while the worker runs.
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
        QVERIFY(!interfacePublicData.loggedIn && !QFile::exists(dir->backupFile()));
        QVERIFY(!VaultSeed::verifies(dir->databaseFile(), Owner, OwnerKey));
        login(Owner, QStringLiteral("fresh.key.1"));
        QVERIFY(interfacePublicData.loggedIn);
        QTRY_COMPARE(find<QTableWidget>("tableWidget_Users")->rowCount(), 3);
    }
};

QTEST_MAIN(TestVaultWindow)
#include "tst_vaultwindow.moc"
