#include "common/hublog.h"
#include "common/hubworker.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/appglobals.h"
#include "data/interfacepublicdata.h"
#include "icons/iconlibrary.h"
#include "icons/iconmanage.h"
#include "icons/iconwidgetitem.h"

#include <QDragEnterEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace {
const QString Cake = QStringLiteral("src/icon/birthday/7_cake.png");
const QList<QVariant> CakeDeleted{QStringList{"7", Cake, QStringLiteral("src/icon/birthday/default.png")}};

void savePicture(const QString &path, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(path, "PNG"));
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
        const auto isList = [](const QList<QVariant> &call) {
            return call.at(0).value<SqlOperateType>() == IconListSelect;
        };
        QTRY_COMPARE(std::count_if(answers->begin(), answers->end(), isList), 2);
    }
    // The cake picture catalogued as "old", the SQL run, the worker and the dialog started, both lists shown.
    void open(bool pictureKept = true, const QString &sql = QString())
    {
        savePicture(Cake, QSize(20, 20));
        QVERIFY(dir->execute(QStringLiteral("INSERT INTO ICON_LIST VALUES (7, 1, '%1', 'old')").arg(Cake)));
        QVERIFY((pictureKept || QFile::remove(Cake)) && (sql.isEmpty() || dir->execute(sql)));
        worker.reset(new HubWorker());
        window.reset(new QWidget());
        manage = IconManage::instance(window.get());
        QVERIFY(manage);
        waitForReload();
        requests.reset(new HubLog());
        answers->clear();
    }
    // The tile with that note, birthday tiles first.
    IconWidgetItem *tile(const QString &notice)
    {
        for (const char *area : {"scrollArea_Birthday", "scrollArea_Task"})
            for (IconWidgetItem *item : child<QScrollArea>(area)->findChildren<IconWidgetItem *>())
                if (item->toolTip() == notice)
                    return item;
        return nullptr;
    }

    // pic.png dragged onto the picture field and dropped.
    void dropPicture()
    {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("pic.png")))});
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(child("lineEdit_PicPath"), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(child("lineEdit_PicPath"), &dropped);
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

    // A dropped picture is stored scaled down; one whose catalogue row cannot be written is not left behind; a
    // file that is no picture is refused with a message.
    void add_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("picture");
        QTest::newRow("stored") << true << true;
        QTest::newRow("row refused") << false << true;
        QTest::newRow("no picture") << false << false;
    }
    void add()
    {
        QFETCH(bool, stored);
        QFETCH(bool, picture);
        const QString path = QStringLiteral("src/icon/birthday/8_cake.png");
        savePicture(QStringLiteral("pic.png"), QSize(300, 150));
        QVERIFY(picture || QFile::resize(QStringLiteral("pic.png"), 100));
        open(true, stored ? QString()
                          : QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON ICON_LIST BEGIN SELECT RAISE(ABORT, "
                                           "'no'); END"));
        // Opened on the list in view, for a picture of its kind, whatever kind was chosen last.
        child<QRadioButton>("radioButton_Birthday")->setChecked(true);
        child<QTabWidget>("tabWidget_IconArea")->setCurrentWidget(child(picture ? "tab_Birthday" : "tab_Task"));
        click("pushButton_AddIcon");
        QVERIFY(!child("widget_Add")->isHidden() &&
                child<QRadioButton>("radioButton_Birthday")->isChecked() == picture);
        child<QLineEdit>("lineEdit_Notice")->setText(QStringLiteral("  cake "));
        ModalDismisser dismisser;
        dropPicture();
        click("pushButton_AddOk");
        QCOMPARE(dismisser.titles, picture ? QStringList() : (QStringList{"无法读取图片", "请选择图片"}));
        if (!picture)
            return;
        QCOMPARE(sent(IconListInsert), QList<QVariant>{QStringList({"8", "1", path, "cake"})});
        QVERIFY(!QFile::exists(QString::fromLatin1(IconLibrary::ScratchPath)));
        waitForReload();
        QCOMPARE((QList<bool>{tile("cake") != nullptr, QFile::exists(path)}), (QList<bool>{stored, stored}));
        QVERIFY(!stored || QImage(path).size() == QSize(144, 144));
    }

    // Edited, a picture keeps its kind and is renamed by its note; the default picture takes only a new picture,
    // under its own name and note, and stays. Nothing chosen or nothing changed: the dialog says so.
    void edit_data()
    {
        QTest::addColumn<QString>("tile"); // the note of the tile chosen, empty for none
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("note"); // typed, empty to leave it
        QTest::addColumn<bool>("picture"); // a new picture dropped
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QStringList>("update");
        const QString edit = QStringLiteral("pushButton_EditIcon"), standard = "src/icon/birthday/default.png";
        // clang-format off
        QTest::newRow("renamed") << "old" << edit << "new" << false << QStringList() << QStringList{"checkOldYes", "7", "1", Cake, "src/icon/birthday/7_new.png", "new"};
        QTest::newRow("task picture") << "gear" << edit << "" << true << QStringList() << QStringList{"checkOldYes", "6", "0", "src/icon/task/6_gear.png", "src/icon/task/6_gear.png", "gear"};
        QTest::newRow("note only") << "old" << edit << "cake" << false << QStringList() << QStringList{"checkOldNo", "7", "1", Cake, Cake, "cake"};
        QTest::newRow("default replaced") << "默认" << edit << "x" << true << QStringList() << QStringList{"checkOldYes", "0", "1", standard, standard, "默认"};
        QTest::newRow("default unchanged") << "默认" << edit << "x" << false << QStringList{"无更改"} << QStringList();
        QTest::newRow("default kept") << "默认" << "pushButton_DeleteIcon" << "" << false << QStringList{"无法删除"} << QStringList();
        QTest::newRow("none chosen") << "" << edit << "" << false << QStringList{"未选择图标"} << QStringList();
        // clang-format on
    }
    void edit()
    {
        QFETCH(QString, tile);
        QFETCH(QString, button);
        QFETCH(QString, note);
        QFETCH(bool, picture);
        QFETCH(QStringList, asked);
        QFETCH(QStringList, update);
        savePicture(QStringLiteral("pic.png"), QSize(300, 150));
        open(true, QStringLiteral("INSERT INTO ICON_LIST VALUES (6, 0, 'src/icon/task/6_gear.png', 'gear')"));
        child<QRadioButton>("radioButton_Birthday")->setChecked(true); // last used for a birthday picture
        if (!tile.isEmpty()) {
            // Choose, edit, and delete but for the default picture.
            QCOMPARE(this->tile(tile)->findChild<QMenu *>()->actions().size(), tile == "默认" ? 2 : 3);
            QTest::mouseClick(this->tile(tile), Qt::LeftButton);
        }
        ModalDismisser dismisser;
        click(button.toLatin1().constData());
        if (!note.isEmpty())
            child<QLineEdit>("lineEdit_Notice")->setText(note);
        if (picture)
            dropPicture();
        if (!child("widget_Add")->isHidden()) {
            QCOMPARE(child("lineEdit_Notice")->isEnabled(), tile != "默认"); // the default's note stays
            click("pushButton_AddOk");
        }
        QCOMPARE(dismisser.titles, asked);
        QCOMPARE(sent(IconListUpdate), update.isEmpty() ? QList<QVariant>() : QList<QVariant>{update});
        QCOMPARE(QFile::exists(Cake), update.value(3) != Cake || update.value(4) == Cake);
        QVERIFY(update.isEmpty() || QImage(update.value(4)).size() == (picture ? QSize(144, 144) : QSize(20, 20)));
    }

    // Asked for a task's or a birthday's picture, the library shows that kind's list; the release ending a double
    // click on a tile closes it with that picture; a later single click only selects, and closing chooses nothing.
    void choose()
    {
        open();
        auto *tabs = child<QTabWidget>("tabWidget_IconArea");
        QStringList seen, expected; // open after the clicks, path answered
        for (const int kind : {IconLibrary::KindTask, IconLibrary::KindBirthday}) {
            expected << "0" << IconLibrary::defaultPath(kind) << "1" << QString();
            tabs->setCurrentWidget(child(kind == IconLibrary::KindTask ? "tab_Birthday" : "tab_Task"));
            for (const bool twice : {true, false}) {
                QTimer::singleShot(0, manage, [&]() {
                    auto *first = tabs->currentWidget()->findChild<IconWidgetItem *>();
                    QTest::mouseClick(first, Qt::LeftButton);
                    if (twice) {
                        QTest::mouseDClick(first, Qt::LeftButton);
                        QTest::mouseRelease(first, Qt::LeftButton);
                    }
                    seen << QString::number(manage->isVisible());
                    if (manage->isVisible())
                        manage->reject();
                });
                seen << manage->selectIcon(kind);
            }
        }
        QCOMPARE(seen, expected);
    }

    // Deleted only once confirmed; a picture removed behind the program's back still loses its entry. The
    // lists come back while the question is open, which clears the selection: the answer still acts on the
    // picture asked about.
    void remove_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("pictureKept");
        QTest::newRow("confirmed") << int(QMessageBox::Ok) << true;
        QTest::newRow("cancelled") << int(QMessageBox::Cancel) << true;
        QTest::newRow("picture already gone") << int(QMessageBox::Ok) << false;
    }
    void remove()
    {
        QFETCH(int, answer);
        QFETCH(bool, pictureKept);
        const bool deleted = answer == QMessageBox::Ok;
        open(pictureKept);
        QTest::mouseClick(tile(QStringLiteral("old")), Qt::LeftButton);
        std::unique_ptr<ModalDismisser> dismisser;
        QTimer::singleShot(0, manage, [&]() {
            QTRY_VERIFY(QApplication::activeModalWidget());
            answers->clear();
            emit interfacePublicData.SIGNALShowIconNoticeAlways(false);
            waitForReload();
            dismisser = std::make_unique<ModalDismisser>(static_cast<QMessageBox::StandardButton>(answer));
        });
        click("pushButton_DeleteIcon");
        QCOMPARE(dismisser->titles, QStringList{QStringLiteral("确认删除？")});
        QCOMPARE(sent(IconListDelete), deleted ? CakeDeleted : QList<QVariant>());
        QCOMPARE(QFile::exists(Cake), !deleted && pictureKept);
        QTRY_COMPARE(tile(QStringLiteral("old")) == nullptr, deleted);
    }
};

QTEST_MAIN(TestIconManage)
#include "tst_iconmanage.moc"
