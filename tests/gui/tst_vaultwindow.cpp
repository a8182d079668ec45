#include "app/mainwindow.h"
#include "common/hublog.h"
#include "common/hubworker.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "common/vaultseed.h"
#include "data/interfacepublicdata.h"
#include "vault/aesaccountupdatedialog.h"
#include "vault/secretclipboard.h"
#include "vault/userinfodetaildialog.h"
#include "vault/userstab.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {
const QString Owner = QStringLiteral("owner2024");
const QString OwnerKey = QStringLiteral("owner.key.2024");

template <typename T = QLineEdit> T *child(QObject *parent, const char *name)
{
    if (T *widget = parent->findChild<T *>(QString::fromLatin1(name)))
        return widget;
    qFatal("no widget %s", name);
}
} // namespace

// The Users tab on a real worker and database: registration, login and logout, the two vault dialogs, the clipboard.
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
    // credential hashes), opened with its Chinese key, is stored anew under the UTF-8 form, which a backup left
    // from before stops.
    void keyTypedTwice_data()
    {
        QTest::addColumn<bool>("older");
        QTest::addColumn<QString>("repeated");
        QTest::addColumn<bool>("stale"); // a backup left from before
        QTest::addColumn<bool>("stored");
        QTest::newRow("registered") << false << QStringLiteral("春夏秋冬") << false << true;
        QTest::newRow("registration typed otherwise") << false << QStringLiteral("春夏秋东") << false << false;
        QTest::newRow("older vault upgraded") << true << QStringLiteral("春夏秋冬") << false << true;
        QTest::newRow("older vault, no backup") << true << QStringLiteral("春夏秋冬") << true << false;
        QTest::newRow("older vault declined") << true << QString() << false << false;
        QTest::newRow("older vault typed otherwise") << true << QStringLiteral("春夏秋东") << false << false;
    }
    void keyTypedTwice()
    {
        QFETCH(bool, older);
        QFETCH(QString, repeated);
        QFETCH(bool, stale);
        QFETCH(bool, stored);
        const QString key = QStringLiteral("春夏秋冬");
        open(older ? 3 : -1, QString(), key, true);
        QVERIFY(!stale || QFile::copy(dir->databaseFile(), dir->backupFile()));
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
        // Registered or not, the name typed stays for the next try.
        QVERIFY(older || find("lineEdit_User")->text() == Owner);
    }

    // The eye shows the key; however a login ends, no field of the tab or of the open detail dialog gives back
    // by undo what it held, and the key is hidden again. The status bar says why, for a while or until the next.
    void logoutForgets_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("idle");
        QTest::addColumn<QString>("status"); // the text and for how many milliseconds
        QTest::newRow("manual logout") << OwnerKey << false << "正常退出 10000";
        QTest::newRow("idle logout") << OwnerKey << true << "为了你的账号安全，已自动退出验证 0";
        QTest::newRow("failed verification") << QStringLiteral("wrong.key.2024") << false << "验证失败 10000";
    }
    void logoutForgets()
    {
        QFETCH(QString, key);
        QFETCH(bool, idle);
        QFETCH(QString, status);
        open(1);
        QSignalSpy told(window->findChild<UsersTab *>(), &UsersTab::SIGNALStatusMessage);
        auto *eye = find<QPushButton>("pushButton_ShowKey");
        QTest::mouseClick(eye, Qt::LeftButton);
        QCOMPARE(find("lineEdit_Key")->echoMode(), QLineEdit::Normal);
        login(Owner, key);
        auto *dialog = window->findChild<UserInfoDetailDialog *>();
        const bool loggedIn = interfacePublicData.loggedIn;
        QVERIFY(!loggedIn || dialog->loadUserInfo(0));
        dialog->setVisible(loggedIn);
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
        QCOMPARE(told.last().at(0).toString() + " " + told.last().at(1).toString(), status);
    }

    // A secret that cannot be decoded is kept as stored unless replaced (a trailing line break still reads); the
    // password shows only while it has the focus and can be neither copied nor cut; an edit is stored encrypted.
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
        // The arrows go from kind to kind; Return, Enter and Space on a kind tick and untick it alike.
        menu->setActiveAction(menu->actions().at(2));
        for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Return, Qt::Key_Space, Qt::Key_Enter})
            QTest::keyClick(menu, key);
        QVERIFY(menu->isVisible() && menu->actions().at(1)->isChecked());
        menu->hide();
        QVERIFY(!dialog->loadUserInfo(3) && dialog->loadUserInfo(1));
        QCOMPARE(pwd->text(), QString());
        QCOMPARE(child(dialog, "lineEdit_PwdNote")->text(), VaultSeed::plainAccount(1).PwdNote);
        QCOMPARE(dialog->enteredUser().Pwd, QStringLiteral("damaged*"));
        QMetaObject::invokeMethod(dialog, "on_toolButton_GeneratePwd_clicked");
        QVERIFY(QRegularExpression("^(?=.*[!@#$%^&*_.?])[a-zA-Z!@#$%^&*_.?]{20}$").match(pwd->text()).hasMatch());
        QCOMPARE(interfacePublicData.aesDecrypt(dialog->enteredUser().Pwd), pwd->text());
        QMetaObject::invokeMethod(dialog, "on_pushButton_Cancel_clicked");
        QVERIFY(dialog->loadUserInfo(2));
        dialog->show();
        dialog->activateWindow();
        QTRY_VERIFY(QApplication::activeWindow() == dialog);
        pwd->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("untouched"));
        pwd->selectAll();
        QTest::keySequence(pwd, QKeySequence::Copy);
        QTest::keySequence(pwd, QKeySequence::Cut);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("untouched"));
        QCOMPARE(pwd->text(), VaultSeed::plainAccount(2).Pwd);
        QCOMPARE(pwd->echoMode(), QLineEdit::Normal);
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

    // A key too short is refused (Return in the key field logs in). One account a page: the page buttons and the
    // jump; a search by site; copying and deleting the chosen row; the idle limit.
    void browse()
    {
        open(3);
        auto *table = find<QTableWidget>("tableWidget_Users");
        QVERIFY(!table->actions().constFirst()->isEnabled());
        ModalDismisser dismisser(QMessageBox::Cancel);
        find("lineEdit_User")->setText(Owner);
        find("lineEdit_Key")->setText(QStringLiteral("short"));
        QTest::keyClick(find("lineEdit_Key"), Qt::Key_Return);
        QTRY_COMPARE(dismisser.titles.size(), 1);
        login(Owner, OwnerKey);
        auto *tab = window->findChild<UsersTab *>();
        tab->slotReceiveQueryData(UsersConfigSelect, QVariant::fromValue(UsersConfigData{1, 0}));
        const auto page = [this, table]() {
            return QStringLiteral("%1 %2 %3 %4%5%6")
                .arg(table->rowCount() ? table->item(0, 0)->text() : QString(), find("lineEdit_GoPage")->text(),
                     find<QLabel>("label_TotalPage")->text())
                .arg(find<QPushButton>("pushButton_PrePage")->isEnabled())
                .arg(find<QPushButton>("pushButton_NextPage")->isEnabled())
                .arg(find<QPushButton>("pushButton_GoPage")->isEnabled());
        };
        QTRY_COMPARE(page(), QStringLiteral("站点 0 1 / 3 011"));
        QTest::mouseClick(find<QPushButton>("pushButton_NextPage"), Qt::LeftButton);
        QTRY_COMPARE(page(), QStringLiteral("站点 1 2 / 3 111"));
        find("lineEdit_GoPage")->setText(QStringLiteral("3"));
        QTest::keyClick(find("lineEdit_GoPage"), Qt::Key_Return);
        QTRY_COMPARE(page(), QStringLiteral("站点 2 3 / 3 101"));
        find("lineEdit_GoPage")->setText(QStringLiteral("4"));
        QTest::mouseClick(find<QPushButton>("pushButton_GoPage"), Qt::LeftButton);
        QTest::mouseClick(find<QPushButton>("pushButton_PrePage"), Qt::LeftButton);
        QTRY_COMPARE(page(), QStringLiteral("站点 1 2 / 3 111"));
        find<QRadioButton>("radioButton_SearchWaySite")->setChecked(true);
        QTest::keyClicks(find("lineEdit_SearchText"), QStringLiteral("example2.com"));
        QTest::keyClick(find("lineEdit_SearchText"), Qt::Key_Enter);
        QTRY_COMPARE(page(), QStringLiteral("站点 2 1 / 1 000"));
        // No row chosen yet: nothing to copy or delete.
        QApplication::clipboard()->clear();
        table->actions().constFirst()->trigger();
        QTest::mouseClick(find<QPushButton>("pushButton_DelUser"), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), QString());
        table->setCurrentCell(0, 0);
        QStringList copied;
        for (QAction *copy : table->actions()) {
            copy->trigger();
            copied << QApplication::clipboard()->text();
        }
        QCOMPARE(copied, (QStringList{VaultSeed::plainAccount(2).User, VaultSeed::plainAccount(2).Pwd}));
        QTest::mouseClick(find<QPushButton>("pushButton_DelUser"), Qt::LeftButton);
        dismisser.setAnswer(QMessageBox::Ok);
        QTest::mouseClick(find<QPushButton>("pushButton_DelUser"), Qt::LeftButton);
        QTRY_COMPARE(table->rowCount(), 0);
        QCOMPARE(dismisser.titles, (QStringList{"密钥无效", "输入无效", "警告", "警告"}));
        QCOMPARE(VaultSeed::read(dir->databaseFile(), Owner, OwnerKey).size(), 2);
        // The idle limit 0 never logs out. Letters never reach the limit, where they used to be stored as 0.
        for (int i = 0; i < 40; ++i)
            tab->slotTimerLoginOutTimeout();
        QVERIFY(interfacePublicData.loggedIn);
        find("lineEdit_NoActiveLogoutSec")->clear();
        QTest::keyClicks(find("lineEdit_NoActiveLogoutSec"), QStringLiteral("1a2-b"));
        QCOMPARE(find("lineEdit_NoActiveLogoutSec")->text(), QStringLiteral("12"));
    }

    // Confirmed, run by the worker, closed by the logout: the old account no longer opens the vault, the new one does.
    void masterChange()
    {
        open(3);
        login(Owner, OwnerKey);
        auto *dialog = window->findChild<AesAccountUpdateDialog *>();
        child(dialog, "lineEdit_UserNew")->setText(QStringLiteral("newowner"));
        child(dialog, "lineEdit_KeyNew")->setText(QStringLiteral("fresh.key.1"));
        child(dialog, "lineEdit_KeyNewRepeat")->setText(QStringLiteral("fresh.key.1"));
        // Only the confirmation is answered; while the worker runs the dialog stays open, its buttons off.
        const auto buttons = [dialog]() {
            return QStringLiteral("%1%2")
                .arg(child<QPushButton>(dialog, "pushButton_Ok")->isEnabled())
                .arg(child<QPushButton>(dialog, "pushButton_Cancel")->isEnabled());
        };
        auto dismisser = std::make_unique<ModalDismisser>(QMessageBox::Ok);
        QStringList asked;
        QTimer::singleShot(0, dialog, [&]() {
            QMetaObject::invokeMethod(dialog, "on_pushButton_Ok_clicked");
            asked = dismisser->titles + dismisser->texts << buttons();
            dismisser.reset();
        });
        QTest::mouseClick(find<QPushButton>("pushButton_AesAccountUpdate"), Qt::LeftButton);
        QCOMPARE(asked, (QStringList{"请确认更改", "更改信息: \n<用户>将被更新为: newowner\n<密钥>将被更新", "00"}));
        QTRY_VERIFY(!dialog->isVisible());
        QTRY_VERIFY(interfacePublicData.reencryptIdle);
        QVERIFY(!interfacePublicData.loggedIn && !QFile::exists(dir->backupFile()));
        // Opened again, it takes the next change.
        QCOMPARE(buttons(), QStringLiteral("11"));
        QVERIFY(!VaultSeed::verifies(dir->databaseFile(), Owner, OwnerKey));
        login(QStringLiteral("newowner"), QStringLiteral("fresh.key.1"));
        QVERIFY(interfacePublicData.loggedIn);
        QTRY_COMPARE(find<QTableWidget>("tableWidget_Users")->rowCount(), 3);
    }

    // Nothing to change, a name or key of the wrong form, a key typed otherwise the second time: the dialog says
    // so and stays. Confirmed, the change runs only while the vault is open.
    void masterChangeRefused_data()
    {
        QTest::addColumn<QStringList>("typed"); // new user, key, key again
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("open");
        QTest::addColumn<QStringList>("asked");
        const QString confirm = QStringLiteral("请确认更改");
        // clang-format off
        QTest::newRow("nothing") << QStringList{"", "", ""} << int(QMessageBox::Ok) << true << QStringList{"未填写更改项"};
        QTest::newRow("user too short") << QStringList{"ab", "", ""} << int(QMessageBox::Ok) << true << QStringList{"用户名无效"};
        QTest::newRow("key too short") << QStringList{"", "short", "short"} << int(QMessageBox::Ok) << true << QStringList{"密钥无效"};
        QTest::newRow("keys differ") << QStringList{"newowner", "fresh.key.1", "fresh.key.2"} << int(QMessageBox::Ok) << true << QStringList{"密钥不一致"};
        QTest::newRow("declined") << QStringList{"newowner", "", ""} << int(QMessageBox::Cancel) << true << QStringList{confirm};
        QTest::newRow("vault closed meanwhile") << QStringList{"", "fresh.key.1", "fresh.key.1"} << int(QMessageBox::Ok) << false << QStringList{confirm};
        // clang-format on
    }
    void masterChangeRefused()
    {
        QFETCH(QStringList, typed);
        QFETCH(int, answer);
        QFETCH(bool, open);
        QFETCH(QStringList, asked);
        interfacePublicData.loggedIn = open;
        AesAccountUpdateDialog dialog;
        for (const char *name : {"lineEdit_UserNew", "lineEdit_KeyNew", "lineEdit_KeyNewRepeat"})
            child(&dialog, name)->setText(typed.takeFirst());
        auto *eye = child<QPushButton>(&dialog, "pushButton_ShowKey");
        eye->click();
        ModalDismisser dismisser(static_cast<QMessageBox::StandardButton>(answer));
        HubLog log;
        QMetaObject::invokeMethod(&dialog, "on_pushButton_Ok_clicked");
        QCOMPARE(dismisser.titles, asked);
        QVERIFY(log.queries.isEmpty() && interfacePublicData.reencryptIdle);
        QVERIFY(!child<QWidget>(&dialog, "widget_AesInfo")->isHidden());
        // Closed, it forgets what was typed and hides the keys again.
        dialog.reject();
        QVERIFY(!eye->isChecked() && child(&dialog, "lineEdit_KeyNew")->text().isEmpty() &&
                child(&dialog, "lineEdit_KeyNewRepeat")->echoMode() == QLineEdit::Password);
    }

    // What the clipboard holds after the countdown, a logout or the program's end: only the program's own text goes.
    void clearsOnlyItsOwn_data()
    {
        QTest::addColumn<QString>("userCopies"); // copied by the user after the program, empty for nothing
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("then"); // "logout" or "quit", empty to let the countdown run
        QTest::addColumn<QString>("left");
        QTest::addColumn<QList<int>>("shown"); // the seconds the countdown showed
        // clang-format off
        QTest::newRow("countdown ends") << "" << 5 << "" << "" << QList<int>{5, 4, 3, 2, 1, 0};
        QTest::newRow("user copied since, the longest time") << "mine" << 120 << "" << "mine" << QList<int>{120, 0};
        QTest::newRow("logout after the user copied") << "mine" << 0 << "logout" << "mine" << QList<int>{0};
        QTest::newRow("never cleared by time") << "" << 0 << "" << "s3cret!" << QList<int>{0};
        QTest::newRow("out of range means the default, logout") << "" << 500 << "logout" << "" << QList<int>{10, 0};
        QTest::newRow("quit") << "" << 0 << "quit" << "" << QList<int>{0};
        // clang-format on
    }
    void clearsOnlyItsOwn()
    {
        QFETCH(QString, userCopies);
        QFETCH(int, seconds);
        QFETCH(QString, then);
        QFETCH(QString, left);
        QFETCH(QList<int>, shown);
        QClipboard *clipboard = QGuiApplication::clipboard();
        // The program's own, wired to the logout and the end of the program.
        SecretClipboard &secret = *SecretClipboard::instance();
        secret.setTickMsec(20);
        QSignalSpy countdown(&secret, &SecretClipboard::SIGNALCountdown);
        secret.copy("s3cret!", seconds);
        QCOMPARE(clipboard->mimeData()->data("x-kde-passwordManagerHint"), QByteArray("secret"));
        if (!userCopies.isEmpty())
            clipboard->setText(userCopies);
        if (then == "logout") {
            interfacePublicData.aesLogout(LogoutManual);
        } else if (then == "quit") {
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            QCoreApplication::exec();
        } else if (seconds > 0) {
            QTRY_COMPARE(secret.secondsLeft(), 0);
        }
        QCOMPARE(clipboard->text(), left);
        QList<int> counted;
        for (const QList<QVariant> &second : countdown)
            counted.append(second.at(0).toInt());
        QCOMPARE(counted, shown);
    }
};

QTEST_MAIN(TestVaultWindow)
#include "tst_vaultwindow.moc"
