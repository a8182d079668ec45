#include "app/appglobals.h"
#include "app/configsettings.h"
#include "common/hublog.h"
#include "common/hubworker.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
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
#include <QtEndian>
#include <algorithm>
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

// A PNG whose header gives the size and whose pixels never come: all a reader may look at before it decodes.
void savePngHeader(const QString &path, quint32 width, quint32 height)
{
    const auto chunk = [](const QByteArray &type, const QByteArray &data) {
        QByteArray bytes = type + data;
        quint32 crc = 0xffffffff;
        for (const char byte : bytes) {
            crc ^= quint8(byte);
            for (int bit = 0; bit < 8; ++bit)
                crc = crc & 1 ? 0xedb88320 ^ (crc >> 1) : crc >> 1;
        }
        QByteArray length(4, '\0'), sum(4, '\0');
        qToBigEndian(quint32(data.size()), length.data());
        qToBigEndian(~crc, sum.data());
        return length + bytes + sum;
    };
    QByteArray header(13, '\0');
    qToBigEndian(width, header.data());
    qToBigEndian(height, header.data() + 4);
    header[8] = 8; // 8 bits per channel, RGB
    header[9] = 2;
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x89PNG\r\n\x1a\n") + chunk("IHDR", header) + chunk("IDAT", QByteArray(16, '\0')) +
               chunk("IEND", QByteArray()));
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

    QList<IconWidgetItem *> tiles(int kind)
    {
        return child<QScrollArea>(kind == 1 ? "scrollArea_Birthday" : "scrollArea_Task")
            ->widget()
            ->findChildren<IconWidgetItem *>();
    }

    IconWidgetItem *tile(int kind, const QString &notice)
    {
        for (IconWidgetItem *item : tiles(kind))
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

    void tileGrid()
    {
        // The default tile first, eight to a grid row: the ninth picture begins the second row.
        for (int id = 1; id <= 9; ++id)
            addCatalogued(id, 0, QStringLiteral("src/icon/task/%1_p%1.png").arg(id), QStringLiteral("p%1").arg(id));
        open();
        QCOMPARE(tiles(0).size(), 10);
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
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("upper-case PNG ignored") << "pic.PNG" << false << QStringList();
        QTest::newRow("png loaded") << "pic.png" << true << QStringList();
        QTest::newRow("unreadable picture ignored") << "broken.png" << false << QStringList();
        // Decoding it would take seconds and gigabytes.
        QTest::newRow("20000 x 20000 refused") << "huge.png" << false << QStringList{"图片太大"};
    }

    void droppedFiles()
    {
        QFETCH(QString, file);
        QFETCH(bool, loaded);
        QFETCH(QStringList, titles);
        if (file.startsWith(QLatin1String("broken"))) {
            QFile text(file);
            QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a picture") > 0);
        } else if (file.startsWith(QLatin1String("huge"))) {
            savePngHeader(file, 20000, 20000);
        } else {
            savePicture(file, QSize(300, 150));
        }
        open();
        ModalDismisser dismisser;
        click("pushButton_AddIcon");
        drop(file);
        QCOMPARE(dismisser.titles, titles);
        QCOMPARE(child<QLineEdit>("lineEdit_PicPath")->text().endsWith(file), loaded);
        QCOMPARE(QFile::exists(Scratch), loaded);
        QCOMPARE(!child("label_IconEditNew")->isHidden(), loaded);
        if (loaded)
            QCOMPARE(QImage(Scratch).size(), QSize(144, 144));
    }

    void noteValidator_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        const QString sixteen = QStringLiteral("一二三四五六七八九十一二三四五六");
        QTest::newRow("slash refused") << QStringLiteral("a/b") << QStringLiteral("ab");
        QTest::newRow("full stop refused") << QStringLiteral("a.b") << QStringLiteral("ab");
        QTest::newRow("17th character refused") << sixteen + QStringLiteral("七") << sixteen;
        QTest::newRow("allowed characters") << QStringLiteral("My gift_1-2") << QStringLiteral("My gift_1-2");
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
        QVERIFY(child("widget_Add")->isHidden());
        waitForReload();
        QCOMPARE(tile(1, QStringLiteral("cake")) != nullptr, stored);
        QCOMPARE(QFile::exists(path), stored);
        if (stored)
            QCOMPARE(QImage(path).size(), QSize(144, 144));
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
        QVERIFY(!child("widget_Add")->isHidden());
    }

    void edit_data()
    {
        QTest::addColumn<QString>("tileNote");
        QTest::addColumn<QString>("newNote");
        QTest::addColumn<bool>("newPicture");
        QTest::addColumn<QStringList>("update");
        QTest::addColumn<QString>("fileAfter");
        QTest::addColumn<QString>("fileGone");
        const auto row = [](const char *name, const QString &note, const QString &newNote, bool picture,
                            const QStringList &update, const QString &after, const QString &gone) {
            QTest::newRow(name) << note << newNote << picture << update << after << gone;
        };
        const QString cake = QStringLiteral("cake"), gift = QStringLiteral("gift");
        row("note only: renamed", cake, gift, false, {"checkOldYes", "7", "1", Cake, Gift, gift}, Gift, Cake);
        row("picture only: replaced in place", cake, cake, true, {"checkOldYes", "7", "1", Cake, Cake, cake}, Cake, "");
        row("default picture replaced", QStringLiteral("默认"), "", true,
            {"checkOldYes", "0", "1", BirthdayDefault, BirthdayDefault, "默认"}, BirthdayDefault, "");
    }

    void edit()
    {
        QFETCH(QString, tileNote);
        QFETCH(QString, newNote);
        QFETCH(bool, newPicture);
        QFETCH(QStringList, update);
        QFETCH(QString, fileAfter);
        QFETCH(QString, fileGone);
        addCatalogued(7, 1, Cake, QStringLiteral("cake"));
        savePicture(BirthdayDefault, QSize(20, 20));
        savePicture(QStringLiteral("pic.png"), QSize(300, 150));
        open();
        QTest::mouseClick(tile(1, tileNote), Qt::LeftButton);
        click("pushButton_EditIcon");
        QLineEdit *note = child<QLineEdit>("lineEdit_Notice");
        QCOMPARE(note->text(), tileNote);
        QCOMPARE(note->isEnabled(), tileNote != QStringLiteral("默认"));
        if (note->isEnabled())
            note->setText(newNote);
        if (newPicture)
            drop(QStringLiteral("pic.png"));
        QCOMPARE(!child("label_IconEditChangeArrow")->isHidden(), newPicture);
        click("pushButton_AddOk");

        QCOMPARE(sent(IconListUpdate), QList<QVariant>{update});
        QCOMPARE(QImage(fileAfter).size(), newPicture ? QSize(144, 144) : QSize(20, 20));
        QVERIFY(fileGone.isEmpty() || !QFile::exists(fileGone));
        waitForReload();
    }

    void remove_data()
    {
        QTest::addColumn<QString>("tileNote");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<bool>("fileGone");
        const QString cake = QStringLiteral("cake"), confirm = QStringLiteral("确认删除？");
        QTest::newRow("confirmed") << cake << int(QMessageBox::Ok) << confirm << true << false;
        QTest::newRow("cancelled") << cake << int(QMessageBox::Cancel) << confirm << false << false;
        QTest::newRow("default picture stays")
            << QStringLiteral("默认") << int(QMessageBox::Ok) << QStringLiteral("无法删除") << false << false;
        // A picture removed behind the program's back must not keep its entry forever.
        QTest::newRow("file already gone") << cake << int(QMessageBox::Ok) << confirm << true << true;
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
        QTest::mouseClick(tile(1, tileNote), Qt::LeftButton);
        click("pushButton_DeleteIcon");

        QCOMPARE(dismisser.titles, QStringList{title});
        const QList<QVariant> expected{QStringList{"7", Cake, BirthdayDefault}};
        QCOMPARE(sent(IconListDelete), deleted ? expected : QList<QVariant>());
        QCOMPARE(QFile::exists(Cake), !deleted);
        if (deleted) {
            waitForReload();
            QVERIFY(!tile(1, QStringLiteral("cake")));
        }
    }

    // The lists may come back while the question is open, which clears the selection: OK still deletes the
    // picture that was asked about.
    void deleteAfterReloadDuringQuestion()
    {
        addCatalogued(7, 1, Cake, QStringLiteral("cake"));
        open();
        QTest::mouseClick(tile(1, QStringLiteral("cake")), Qt::LeftButton);
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
        QTest::newRow("close button") << QStringLiteral("close") << QString();
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
            QTest::mouseClick(item, Qt::LeftButton);
            if (how == QLatin1String("double")) {
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
