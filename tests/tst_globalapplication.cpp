#include "app/globalapplication.h"
#include "data/interfacepublicdata.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

class TestGlobalApplication : public QObject
{
    Q_OBJECT

private slots:
    void activity_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("active");
        QTest::newRow("press") << int(QEvent::MouseButtonPress) << true;
        QTest::newRow("release") << int(QEvent::MouseButtonRelease) << false;
        QTest::newRow("double click") << int(QEvent::MouseButtonDblClick) << true;
        QTest::newRow("move") << int(QEvent::MouseMove) << true;
        QTest::newRow("key press") << int(QEvent::KeyPress) << true;
        QTest::newRow("key release") << int(QEvent::KeyRelease) << false;
        QTest::newRow("wheel") << int(QEvent::Wheel) << false;
        QTest::newRow("enter") << int(QEvent::Enter) << false;
    }

    // Every event of the process passes GlobalApplication::notify, whoever receives it.
    void activity()
    {
        QFETCH(int, type);
        QFETCH(bool, active);
        QWidget widget;
        QSignalSpy spy(&interfacePublicData, &InterfacePublicData::SIGNALUserActiveStatusChanged);

        const auto eventType = static_cast<QEvent::Type>(type);
        if (eventType == QEvent::KeyPress || eventType == QEvent::KeyRelease) {
            QKeyEvent event(eventType, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QCoreApplication::sendEvent(&widget, &event);
        } else if (eventType == QEvent::Wheel) {
            QWheelEvent event(QPointF(1, 1), QPointF(1, 1), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(&widget, &event);
        } else if (eventType == QEvent::Enter) {
            QEvent event(eventType);
            QCoreApplication::sendEvent(&widget, &event);
        } else {
            QMouseEvent event(eventType, QPointF(2, 2), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&widget, &event);
        }
        QCOMPARE(spy.count(), active ? 1 : 0);
    }
};

int main(int argc, char *argv[])
{
    GlobalApplication app(argc, argv);
    TestGlobalApplication test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_globalapplication.moc"
