#include "app/appglobals.h"
#include "app/configsettings.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "data/sqlthread.h"
#include "icons/iconmanage.h"
#include "icons/iconwidgetitem.h"

#include <QDragEnterEvent>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

const QString Cake = QStringLiteral("src/icon/birthday/7_cake.png");
const QString Gift = QStringLiteral("src/icon/birthday/7_gift.png");
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
    std::unique_ptr<SqlThread> worker;
    std::unique_ptr<QWidget> window;
    IconManage *manage = nullptr;
    std::unique_ptr<QSignalSpy> requests;
    std::unique_ptr<QSignalSpy> answers;

    template <typename T> T *child(const char *name) { return manage->findChild<T *>(QLatin1String(name)); }
    void click(const char *button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }

    int answerCount(SqlOperateType operate) const
    {
        int count = 0;
        for (const QList<QVariant> &call : *answers)
            count += call.at(0).value<SqlOperateType>() == operate;
        return count;
    }

    QList<QVariant> sent(SqlOperateType operate) const
    {
        QList<QVariant> payloads;
        for (const QList<QVariant> &call : *requests) {
            if (call.at(0).value<SqlOperateType>() == operate)
                payloads.append(call.at(1));
        }
        return payloads;
    }

    // Starts the worker and the dialog (after the test stored its pictures) and waits for both lists.
    void open()
    {
        worker.reset(new SqlThread());
        connect(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery, worker.get(), &SqlThread::SLOTReceiveQuery,
                Qt::QueuedConnection);
        connect(worker.get(), &SqlThread::SIGNALSendQueryData, &interfacePublicData,
                &InterfacePublicData::SIGNALReceiveQueryData, Qt::QueuedConnection);
        window.reset(new QWidget());
        manage = IconManage::instance(window.get());
        QVERIFY(manage);
        QTRY_COMPARE(answerCount(IconListSelect), 2);
        requests->clear();
        answers->clear();
    }

    // After a change: the lists come back once more.
    void waitForReload() { QTRY_COMPARE(answerCount(IconListSelect), 2); }

    QList<IconWidgetItem *> tiles(int kind)
    {
        const char *area = kind == 1 ? "scrollArea_Birthday" : "scrollArea_Task";
        return child<QScrollArea>(area)->widget()->findChildren<IconWidgetItem *>();
    }

    IconWidgetItem *tile(int kind, const QString &notice)
    {
        for (IconWidgetItem *item : tiles(kind)) {
            if (item->toolTip() == notice)
                return item;
        }
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
        QLineEdit *field = child<QLineEdit>("lineEdit_PicPath");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QDir::current().absoluteFilePath(file))});
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction | Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(QPointF(2, 2), Qt::CopyAction | Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &dropped);
    }

    void startEditing(int kind, const QString &notice)
    {
        IconWidgetItem *item = tile(kind, notice);
        QVERIFY(item);
        QTest::mouseClick(item, Qt::LeftButton);
        click("pushButton_EditIcon");
    }

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void init()
    {
        dir.reset(new TestProgramDir());
        QVERIFY(dir->isValid());
        requests.reset(new QSignalSpy(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery));
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

    void tileGrid_data()
    {
        QTest::addColumn<int>("pictures");
        QTest::newRow("only the default") << 0;
        QTest::newRow("second grid row begins") << 9;
    }

    void tileGrid()
    {
        QFETCH(int, pictures);
        for (int id = 1; id <= pictures; ++id)
            addCatalogued(id, 0, QStringLiteral("src/icon/task/%1_p%1.png").arg(id), QStringLiteral("p%1").arg(id));
        open();
        QCOMPARE(tiles(0).size(), pictures + 1);
        QCOMPARE(tiles(1).size(), 1);
        auto *grid = qobject_cast<QGridLayout *>(tiles(0).first()->parentWidget()->layout());
        for (IconWidgetItem *item : tiles(0)) {
            const int position = item->toolTip() == QStringLiteral("默认") ? 0 : item->toolTip().mid(1).toInt();
            int row, column, rowSpan, columnSpan;
            grid->getItemPosition(grid->indexOf(item), &row, &column, &rowSpan, &columnSpan);
            QCOMPARE(QPoint(column, row), QPoint(position % 8, position / 8));
        }
    }

    void droppedFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("upper-case PNG ignored") << "pic.PNG" << false;
        QTest::newRow("png loaded") << "pic.png" << true;
        QTest::newRow("unreadable picture ignored") << "broken.png" << false;
    }

    void droppedFiles()
    {
        QFETCH(QString, file);
        QFETCH(bool, loaded);
        if (file.startsWith(QLatin1String("broken"))) {
            QFile text(file);
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write("not a picture");
        } else {
            savePicture(file, QSize(300, 150), file.endsWith(QLatin1String("jpg")) ? "JPG" : "PNG");
        }
        open();
        click("pushButton_AddIcon");
        drop(file);
        QCOMPARE(child<QLineEdit>("lineEdit_PicPath")->text().endsWith(file), loaded);
        QCOMPARE(QFile::exists(Scratch), loaded);
        QCOMPARE(!child<QLabel>("label_IconEditNew")->isHidden(), loaded);
        if (loaded)
            QCOMPARE(QImage(Scratch).size(), QSize(144, 144));
    }

    void noteValidator_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("slash refused") << "a/b"
                                       << "ab";
        QTest::newRow("full stop refused") << "a.b"
                                           << "ab";
        QTest::newRow("17th character refused") << "一二三四五六七八九十一二三四五六七"
                                                << "一二三四五六七八九十一二三四五六";
        QTest::newRow("allowed characters") << "My gift_1-2"
                                            << "My gift_1-2";
    }

    void noteValidator()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        open();
        click("pushButton_AddIcon");
        QLineEdit *note = child<QLineEdit>("lineEdit_Notice");
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, note, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(note->text(), kept);
    }

    void add()
    {
        const QString path = QStringLiteral("src/icon/birthday/8_cake.png");
        addCatalogued(7, 1, Cake, QStringLiteral("old"));
        savePicture(QStringLiteral("pic.png"), QSize(300, 150));
        open();
        click("pushButton_AddIcon");
        child<QRadioButton>("radioButton_Birthday")->setChecked(true);
        child<QLineEdit>("lineEdit_Notice")->setText(QStringLiteral("  cake "));
        drop(QStringLiteral("pic.png"));
        click("pushButton_AddOk");

        QCOMPARE(sent(IconListInsert), QList<QVariant>{QStringList({"8", "1", path, "cake"})});
        QCOMPARE(QImage(path).size(), QSize(144, 144));
        QVERIFY(!QFile::exists(Scratch));
        QVERIFY(child<QWidget>("widget_Add")->isHidden());
        waitForReload();
        QVERIFY(tile(1, QStringLiteral("cake")));
    }

    void refusedSave_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("no picture chosen") << "no picture" << QStringList{"请选择图片"};
        QTest::newRow("converted picture gone") << "scratch gone" << QStringList{"保存失败"};
        QTest::newRow("stray file kept") << "stray" << QStringList{"图片已存在"};
    }

    void refusedSave()
    {
        QFETCH(QString, situation);
        QFETCH(QStringList, titles);
        savePicture(QStringLiteral("pic.png"), QSize(30, 30));
        const QString path = QStringLiteral("src/icon/task/1_cake.png");
        QVERIFY(QFile(QStringLiteral("pic.png")).copy(path));
        if (situation != QLatin1String("stray"))
            QVERIFY(QFile::remove(path));
        open();
        ModalDismisser dismisser(QMessageBox::No);
        click("pushButton_AddIcon");
        child<QLineEdit>("lineEdit_Notice")->setText(QStringLiteral("cake"));
        if (situation != QLatin1String("no picture"))
            drop(QStringLiteral("pic.png"));
        if (situation == QLatin1String("scratch gone"))
            QVERIFY(QFile::remove(Scratch));
        click("pushButton_AddOk");

        QCOMPARE(dismisser.titles, titles);
        QVERIFY(sent(IconListInsert).isEmpty());
        QCOMPARE(QFile::exists(path), situation == QLatin1String("stray"));
        if (QFile::exists(path))
            QCOMPARE(QImage(path).size(), QSize(30, 30));
        // The panel stays open for another try.
        QVERIFY(!child<QWidget>("widget_Add")->isHidden());
    }

    void edit_data()
    {
        QTest::addColumn<QString>("tileNote");
        QTest::addColumn<QString>("newNote");
        QTest::addColumn<bool>("newPicture");
        QTest::addColumn<QStringList>("update");
        QTest::addColumn<QStringList>("filesAfter");
        QTest::addColumn<QStringList>("filesGone");
        QTest::newRow("note only: renamed")
            << "cake"
            << "gift" << false << QStringList{"checkOldYes", "7", "1", Cake, Gift, "gift"} << QStringList{Gift}
            << QStringList{Cake};
        QTest::newRow("picture only: replaced in place")
            << "cake"
            << "cake" << true << QStringList{"checkOldYes", "7", "1", Cake, Cake, "cake"} << QStringList{Cake}
            << QStringList{};
        QTest::newRow("default picture replaced")
            << "默认"
            << "" << true << QStringList{"checkOldYes", "0", "1", BirthdayDefault, BirthdayDefault, "默认"}
            << QStringList{BirthdayDefault} << QStringList{};
    }

    void edit()
    {
        QFETCH(QString, tileNote);
        QFETCH(QString, newNote);
        QFETCH(bool, newPicture);
        QFETCH(QStringList, update);
        QFETCH(QStringList, filesAfter);
        QFETCH(QStringList, filesGone);
        addCatalogued(7, 1, Cake, QStringLiteral("cake"));
        savePicture(BirthdayDefault, QSize(20, 20));
        savePicture(QStringLiteral("pic.png"), QSize(300, 150));
        open();
        startEditing(1, tileNote);
        QLineEdit *note = child<QLineEdit>("lineEdit_Notice");
        QCOMPARE(note->text(), tileNote);
        QCOMPARE(note->isEnabled(), tileNote != QStringLiteral("默认"));
        if (note->isEnabled())
            note->setText(newNote);
        if (newPicture)
            drop(QStringLiteral("pic.png"));
        QCOMPARE(!child<QLabel>("label_IconEditChangeArrow")->isHidden(), newPicture);
        click("pushButton_AddOk");

        QCOMPARE(sent(IconListUpdate), QList<QVariant>{update});
        for (const QString &file : filesAfter)
            QCOMPARE(QImage(file).size(), newPicture ? QSize(144, 144) : QSize(20, 20));
        for (const QString &file : filesGone)
            QVERIFY(!QFile::exists(file));
        waitForReload();
    }

    void remove_data()
    {
        QTest::addColumn<QString>("tileNote");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("confirmed") << "cake" << int(QMessageBox::Ok) << QStringList{"确认删除？"} << true;
        QTest::newRow("cancelled") << "cake" << int(QMessageBox::Cancel) << QStringList{"确认删除？"} << false;
        QTest::newRow("default picture stays") << "默认" << int(QMessageBox::Ok) << QStringList{"无法删除"} << false;
    }

    void remove()
    {
        QFETCH(QString, tileNote);
        QFETCH(int, answer);
        QFETCH(QStringList, titles);
        QFETCH(bool, deleted);
        addCatalogued(7, 1, Cake, QStringLiteral("cake"));
        open();
        ModalDismisser dismisser(static_cast<QMessageBox::StandardButton>(answer));
        if (!tileNote.isEmpty())
            QTest::mouseClick(tile(1, tileNote), Qt::LeftButton);
        click("pushButton_DeleteIcon");

        QCOMPARE(dismisser.titles, titles);
        const QList<QVariant> expected{QStringList{"7", Cake, BirthdayDefault}};
        QCOMPARE(sent(IconListDelete), deleted ? expected : QList<QVariant>());
        QCOMPARE(QFile::exists(Cake), !deleted);
        if (deleted) {
            waitForReload();
            QVERIFY(!tile(1, QStringLiteral("cake")));
        }
    }

    void showNotesSwitch()
    {
        addCatalogued(7, 1, Cake, QStringLiteral("cake"));
        open();
        QSignalSpy broadcast(&interfacePublicData, &InterfacePublicData::SIGNALShowIconNoticeAlways);
        auto *button = child<QPushButton>("pushButton_ShowIconNoticeAlways");
        for (const bool on : {true, false}) {
            answers->clear();
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(button->isChecked(), on);
            QCOMPARE(ConfigSettings().value(QStringLiteral("IconManage/ShowIconNoticeAlways")).toString(),
                     QString::number(int(on)));
            QCOMPARE(AppGlobals::showIconNoticeAlways, on);
            QCOMPARE(broadcast.takeFirst(), QList<QVariant>{on});
            waitForReload();
            QCOMPARE(!tile(1, QStringLiteral("cake"))->findChild<QLabel *>(QStringLiteral("label_Notice"))->isHidden(),
                     on);
        }
    }

    void selectIcon_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("close button") << "close"
                                      << "";
        QTest::newRow("double click on a tile") << "double" << Cake;
        QTest::newRow("choose button after a click") << "choose" << Cake;
    }

    void selectIcon()
    {
        QFETCH(QString, how);
        QFETCH(QString, chosen);
        addCatalogued(7, 1, Cake, QStringLiteral("cake"));
        open();
        child<QTabWidget>("tabWidget_IconArea")->setCurrentIndex(1);
        IconWidgetItem *item = tile(1, QStringLiteral("cake"));
        QTimer::singleShot(0, manage, [&]() {
            QTRY_VERIFY(manage->isVisible());
            if (how == QLatin1String("close")) {
                manage->close();
                return;
            }
            if (how != QLatin1String("nothing"))
                QTest::mouseClick(item, Qt::LeftButton);
            if (how == QLatin1String("escape")) {
                QTest::keyClick(manage, Qt::Key_Escape);
            } else if (how == QLatin1String("double")) {
                QTest::mouseDClick(item, Qt::LeftButton);
                QTest::mouseRelease(item, Qt::LeftButton);
            } else {
                click("pushButton_SelectIcon");
            }
        });
        QCOMPARE(manage->selectIcon(), chosen);
        QVERIFY(!manage->isVisible());
    }
};

QTEST_MAIN(TestIconManage)
#include "tst_iconmanage.moc"
