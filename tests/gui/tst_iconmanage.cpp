#include "app/appglobals.h"
#include "common/hublog.h"
#include "common/hubworker.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "icons/iconmanage.h"
#include "icons/iconwidgetitem.h"

#include <QDragEnterEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace {

const QString Cake = QStringLiteral("src/icon/birthday/7_cake.png");
const QString BirthdayDefault = QStringLiteral("src/icon/birthday/default.png");
const QString Scratch = QStringLiteral("src/icon/convert.png");

void savePicture(const QString &path, QSize size, const char *format = "PNG")
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(path, format));
}

} // namespace

// The dialog on a fresh program directory, talking to a real worker through the hub.
class TestIconManage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramDir> dir;
    std::unique_ptr<HubWorker> worker;
    std::unique_ptr<QWidget> window;
    IconManage *manage = nullptr;
    std::unique_ptr<HubLog> requests;
    std::unique_ptr<QSignalSpy> answers;

    template <typename T = QWidget> T *child(const char *name) { return manage->findChild<T *>(QLatin1String(name)); }
    void click(const char *button) { QTest::mouseClick(child(button), Qt::LeftButton); }

    QList<QVariant> sent(SqlOperateType operate) const
    {
        QList<QVariant> payloads;
        for (const auto &query : qAsConst(requests->queries))
            if (query.first == operate)
                payloads.append(query.second);
        return payloads;
    }

    // Both lists came back (again, after a change).
    void waitForReload()
    {
        QTRY_COMPARE(std::count_if(answers->begin(), answers->end(),
                                   [](const QList<QVariant> &call) {
                                       return call.at(0).value<SqlOperateType>() == IconListSelect;
                                   }),
                     2);
    }

    // Starts the worker and the dialog (after the test stored its pictures) and waits for both lists.
    void open()
    {
        worker.reset(new HubWorker());
        window.reset(new QWidget());
        manage = IconManage::instance(window.get());
        QVERIFY(manage);
        waitForReload();
        requests.reset(new HubLog());
        answers->clear();
    }

    // The birthday tile with that note.
    IconWidgetItem *tile(const QString &notice)
    {
        for (IconWidgetItem *item : child<QScrollArea>("scrollArea_Birthday")->findChildren<IconWidgetItem *>())
            if (item->toolTip() == notice)
                return item;
        return nullptr;
    }

    void addCatalogued(int id, int kind, const QString &path, const QString &notice)
    {
        savePicture(path, QSize(20, 20));
        QVERIFY(dir->execute(
            QStringLiteral("INSERT INTO ICON_LIST VALUES (%1, %2, '%3', '%4')").arg(id).arg(kind).arg(path, notice)));
    }

    void drop(const QString &file)
    {
        auto *field = child("lineEdit_PicPath");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QDir::current().absoluteFilePath(file))});
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction | Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(QPointF(2, 2), Qt::CopyAction | Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &dropped);
    }

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void init()
    {
        dir.reset(new TestProgramDir());
        QVERIFY(dir->isValid());
        answers.reset(new QSignalSpy(&interfacePublicData, &InterfacePublicData::SIGNALReceiveQueryData));
    }

    void cleanup()
    {
        window.reset();
        QVERIFY(!IconManage::instance());
        requests.reset();
        answers.reset();
        worker.reset();
        dir.reset();
        AppGlobals::showIconNoticeAlways = false;
    }

    // A picture whose catalogue row cannot be written is not left behind.
    void add_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::newRow("stored") << true;
        QTest::newRow("row refused") << false;
    }

    void add()
    {
        QFETCH(bool, stored);
        const QString path = QStringLiteral("src/icon/birthday/8_cake.png");
        addCatalogued(7, 1, Cake, QStringLiteral("old"));
        savePicture(QStringLiteral("pic.png"), QSize(300, 150));
        if (!stored)
            QVERIFY(
                dir->execute("CREATE TRIGGER refuse BEFORE INSERT ON ICON_LIST BEGIN SELECT RAISE(ABORT, 'no'); END"));
        open();
        click("pushButton_AddIcon");
        child<QRadioButton>("radioButton_Birthday")->setChecked(true);
        child<QLineEdit>("lineEdit_Notice")->setText(QStringLiteral("  cake "));
        drop(QStringLiteral("pic.png"));
        click("pushButton_AddOk");

        QCOMPARE(sent(IconListInsert), QList<QVariant>{QStringList({"8", "1", path, "cake"})});
        QVERIFY(!QFile::exists(Scratch));
        waitForReload();
        QCOMPARE(tile(QStringLiteral("cake")) != nullptr, stored);
        QCOMPARE(QFile::exists(path), stored);
        if (stored)
            QCOMPARE(QImage(path).size(), QSize(144, 144));
    }

    void remove_data()
    {
        QTest::addColumn<QString>("tileNote");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<bool>("fileGone");
        const QString cake = QStringLiteral("cake"), confirm = QStringLiteral("确认删除？");
        // clang-format off
        QTest::newRow("confirmed") << cake << int(QMessageBox::Ok) << confirm << true << false;
        QTest::newRow("cancelled") << cake << int(QMessageBox::Cancel) << confirm << false << false;
        QTest::newRow("default picture stays") << QStringLiteral("默认") << int(QMessageBox::Ok) << QStringLiteral("无法删除") << false << false;
        // clang-format on
        // A picture removed behind the program's back must not keep its entry forever.
        // clang-format off
        QTest::newRow("file already gone") << cake << int(QMessageBox::Ok) << confirm << true << true;
        // clang-format on
    }

    void remove()
    {
        QFETCH(QString, tileNote);
        QFETCH(int, answer);
        QFETCH(QString, title);
        QFETCH(bool, deleted);
        QFETCH(bool, fileGone);
        addCatalogued(7, 1, Cake, QStringLiteral("cake"));
        if (fileGone)
            QVERIFY(QFile::remove(Cake));
        open();
        ModalDismisser dismisser(static_cast<QMessageBox::StandardButton>(answer));
        QTest::mouseClick(tile(tileNote), Qt::LeftButton);
        click("pushButton_DeleteIcon");

        QCOMPARE(dismisser.titles, QStringList{title});
        const QList<QVariant> expected{QStringList{"7", Cake, BirthdayDefault}};
        QCOMPARE(sent(IconListDelete), deleted ? expected : QList<QVariant>());
        QCOMPARE(QFile::exists(Cake), !deleted);
        if (deleted) {
            waitForReload();
            QVERIFY(!tile(QStringLiteral("cake")));
        }
    }

    // The lists may come back while the question is open, which clears the selection: OK still deletes the
    // picture that was asked about.
    void deleteAfterReloadDuringQuestion()
    {
        addCatalogued(7, 1, Cake, QStringLiteral("cake"));
        open();
        QTest::mouseClick(tile(QStringLiteral("cake")), Qt::LeftButton);
        std::unique_ptr<ModalDismisser> dismisser;
        QTimer::singleShot(0, manage, [&]() {
            QTRY_VERIFY(QApplication::activeModalWidget());
            answers->clear();
            emit interfacePublicData.SIGNALShowIconNoticeAlways(false);
            waitForReload();
            dismisser = std::make_unique<ModalDismisser>(QMessageBox::Ok);
        });
        click("pushButton_DeleteIcon");
        QCOMPARE(sent(IconListDelete), QList<QVariant>{QStringList({"7", Cake, BirthdayDefault})});
        QVERIFY(!QFile::exists(Cake));
    }
};

QTEST_MAIN(TestIconManage)
#include "tst_iconmanage.moc"
