#include "app/appglobals.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "icons/iconwidgetitem.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString Path = QStringLiteral("src/icon/task/5_cake.png");

QList<int> operates(const QSignalSpy &spy)
{
    QList<int> codes;
    for (const QList<QVariant> &call : spy)
        codes.append(call.at(4).toInt());
    return codes;
}

// Which frame the tile shows: "", "normal", "hover" or "focus".
QString frameOf(IconWidgetItem &tile)
{
    const QImage shown =
        tile.findChild<QLabel *>(QStringLiteral("label_BorderImage"))->pixmap(Qt::ReturnByValue).toImage();
    if (shown.isNull())
        return QString();
    for (const QString &name : {QStringLiteral("normal"), QStringLiteral("hover"), QStringLiteral("focus")}) {
        if (shown == QImage(QStringLiteral("src/icon/default/%1.png").arg(name)).convertToFormat(shown.format()))
            return name;
    }
    return QStringLiteral("unknown");
}

} // namespace

class TestIconWidgetItem : public QObject
{
    Q_OBJECT

private:
    TestProgramDir dir{false};

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QVERIFY(QDir().mkpath(QStringLiteral("src/icon/default")));
        for (const QString &name : {"normal.png", "hover.png", "focus.png"})
            QVERIFY(QFile::copy(QStringLiteral(PEMMORA_SOURCE_DIR "/runtime/src/icon/default/") + name,
                                QStringLiteral("src/icon/default/") + name));
    }

    void mouse_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("click selects") << "click" << QList<int>{0};
        QTest::newRow("double click selects, then chooses once") << "double" << QList<int>{0, 1};
    }

    void mouse()
    {
        QFETCH(QString, gesture);
        QFETCH(QList<int>, expected);
        IconWidgetItem tile(nullptr, 5, 0, Path, QStringLiteral("cake"));
        QSignalSpy spy(&interfacePublicData, &InterfacePublicData::SIGNALIconItemOperate);
        // What a widget receives of a double click: press, release, the second press as a double click, release.
        QTest::mouseClick(&tile, Qt::LeftButton);
        if (gesture == QLatin1String("double")) {
            QTest::mouseDClick(&tile, Qt::LeftButton);
            QTest::mouseRelease(&tile, Qt::LeftButton);
        }
        QCOMPARE(operates(spy), expected);
        QCOMPARE(spy.first().mid(0, 4), (QList<QVariant>{5, 0, Path, QStringLiteral("cake")}));
    }

    void menu_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("default picture cannot be deleted") << 0 << QStringList{"选择", "编辑"};
        QTest::newRow("library picture") << 5 << QStringList{"选择", "编辑", "删除"};
    }

    void menu()
    {
        QFETCH(int, id);
        QFETCH(QStringList, entries);
        IconWidgetItem tile(nullptr, id, 1, Path, QStringLiteral("cake"));
        QStringList texts;
        QSignalSpy spy(&interfacePublicData, &InterfacePublicData::SIGNALIconItemOperate);
        for (QAction *action : tile.findChild<QMenu *>()->actions()) {
            texts.append(action->text());
            action->trigger();
        }
        QCOMPARE(texts, entries);
        QCOMPARE(operates(spy), (QList<int>{1, 2, 3}.mid(0, entries.size())));
    }

    void note_data()
    {
        QTest::addColumn<QString>("notice");
        QTest::addColumn<bool>("elided");
        QTest::newRow("short note shown whole") << "cake" << false;
        QTest::newRow("long note cut") << "一二三四五六七八九十一二三四五六" << true;
    }

    void note()
    {
        QFETCH(QString, notice);
        QFETCH(bool, elided);
        IconWidgetItem tile(nullptr, 5, 0, Path, notice);
        const QString shown = tile.findChild<QLabel *>(QStringLiteral("label_Notice"))->text();
        QCOMPARE(shown == notice, !elided);
        QCOMPARE(shown.endsWith(QChar(0x2026)), elided);
        QCOMPARE(tile.toolTip(), notice);
    }

    void frames_data()
    {
        QTest::addColumn<bool>("notesAlways");
        QTest::addColumn<bool>("focused");
        QTest::addColumn<QStringList>("expected"); // at start, on hover, after leaving
        QTest::newRow("plain tile") << false << false << QStringList{"", "hover", ""};
        QTest::newRow("notes always shown") << true << false << QStringList{"normal", "hover", "normal"};
        QTest::newRow("focused tile keeps its frame") << false << true << QStringList{"focus", "focus", "focus"};
    }

    void frames()
    {
        QFETCH(bool, notesAlways);
        QFETCH(bool, focused);
        QFETCH(QStringList, expected);
        AppGlobals::showIconNoticeAlways = notesAlways;
        QWidget window;
        auto *tile = new IconWidgetItem(&window, 5, 0, Path, QStringLiteral("cake"));
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        if (focused) {
            tile->setFocus();
            QTRY_VERIFY(tile->hasFocus());
        }
        auto *notice = tile->findChild<QLabel *>(QStringLiteral("label_Notice"));

        QStringList seen{frameOf(*tile)};
        const bool noteAtStart = notice->isVisible();
        QHoverEvent enter(QEvent::HoverEnter, QPointF(5, 5), QPointF(-1, -1));
        QApplication::sendEvent(tile, &enter);
        seen.append(frameOf(*tile));
        const bool noteOnHover = notice->isVisible();
        QHoverEvent leave(QEvent::HoverLeave, QPointF(-1, -1), QPointF(5, 5));
        QApplication::sendEvent(tile, &leave);
        seen.append(frameOf(*tile));
        QCOMPARE(seen, expected);
        QCOMPARE(noteAtStart, notesAlways || focused);
        QVERIFY(noteOnHover);
        QCOMPARE(notice->isVisible(), notesAlways || focused);

        AppGlobals::showIconNoticeAlways = false;
    }
};

QTEST_MAIN(TestIconWidgetItem)
#include "tst_iconwidgetitem.moc"
