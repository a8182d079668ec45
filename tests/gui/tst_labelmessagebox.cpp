#include "app/labelmessagebox.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const int OkCancel = QMessageBox::Ok | QMessageBox::Cancel;

// Runs action on the box once its exec() loop is running.
void whenShown(LabelMessageBox *box, const std::function<void(LabelMessageBox *)> &action)
{
    QTimer::singleShot(0, box, [box, action]() {
        QTRY_VERIFY(box->isVisible());
        action(box);
    });
}

} // namespace

class TestLabelMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void result_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("expected");
        QTest::newRow("confirm button") << "ok" << int(QMessageBox::Ok);
        QTest::newRow("cancel button") << "cancel" << int(QMessageBox::Cancel);
        QTest::newRow("escape") << "escape" << int(QMessageBox::Cancel);
        QTest::newRow("window close button") << "close" << int(QMessageBox::Cancel);
    }

    void result()
    {
        QFETCH(QString, how);
        QFETCH(int, expected);
        QWidget parent;
        LabelMessageBox box(&parent, QStringLiteral("确认删除？"), QStringLiteral("text"), QString(), OkCancel,
                            QMessageBox::Cancel);
        whenShown(&box, [how](LabelMessageBox *shown) {
            if (how == QLatin1String("ok"))
                shown->findChild<QPushButton *>(QStringLiteral("pushButton_Ok"))->click();
            else if (how == QLatin1String("cancel"))
                shown->findChild<QPushButton *>(QStringLiteral("pushButton_Cancel"))->click();
            else if (how == QLatin1String("escape"))
                QTest::keyClick(shown, Qt::Key_Escape);
            else
                shown->close();
        });
        QCOMPARE(box.exec(), expected);
        QCOMPARE(box.windowTitle(), QStringLiteral("确认删除？"));
    }

    void buttons_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<bool>("okVisible");
        QTest::addColumn<bool>("cancelVisible");
        QTest::addColumn<QString>("focused");
        QTest::newRow("both, cancel default")
            << OkCancel << int(QMessageBox::Cancel) << true << true << "pushButton_Cancel";
        QTest::newRow("both, ok default") << OkCancel << int(QMessageBox::Ok) << true << true << "pushButton_Ok";
        QTest::newRow("ok only, no default")
            << int(QMessageBox::Ok) << int(QMessageBox::NoButton) << true << false << "";
        QTest::newRow("cancel only") << int(QMessageBox::Cancel) << int(QMessageBox::Cancel) << false << true
                                     << "pushButton_Cancel";
    }

    void buttons()
    {
        QFETCH(int, buttons);
        QFETCH(int, defaultButton);
        QFETCH(bool, okVisible);
        QFETCH(bool, cancelVisible);
        QFETCH(QString, focused);
        LabelMessageBox box(nullptr, QStringLiteral("t"), QStringLiteral("text"), QString(), buttons, defaultButton);
        box.show();
        QCOMPARE(box.findChild<QPushButton *>(QStringLiteral("pushButton_Ok"))->isVisible(), okVisible);
        QCOMPARE(box.findChild<QPushButton *>(QStringLiteral("pushButton_Cancel"))->isVisible(), cancelVisible);
        QCOMPARE(box.focusWidget() ? box.focusWidget()->objectName() : QString(), focused);
    }

    void textLayout_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wrapped");
        const QString longLine = QString(80, QChar(0x786E)); // far wider than 427 pixels
        QTest::newRow("short lines") << QStringLiteral("请确认删除信息: \n路径: a.png\n备注: cake") << false;
        QTest::newRow("one long line") << longLine << true;
        QTest::newRow("long second line") << QStringLiteral("short\n") + longLine << true;
    }

    void textLayout()
    {
        QFETCH(QString, text);
        QFETCH(bool, wrapped);
        LabelMessageBox box(nullptr, QStringLiteral("t"), text, QString(), OkCancel, QMessageBox::Cancel);
        auto *label = box.findChild<QLabel *>(QStringLiteral("label_Text"));
        QCOMPARE(label->text(), text);
        QCOMPARE(label->wordWrap(), wrapped);
        box.show();
        if (wrapped) {
            QCOMPARE(label->width(), 427);
        } else {
            QVERIFY(label->width() < 427);
            QVERIFY(box.width() < 500);
        }
        // The size is fixed once laid out.
        QCOMPARE(box.minimumSize(), box.maximumSize());
    }

    void centredOnParent()
    {
        QWidget parent;
        parent.setGeometry(100, 50, 801, 601);
        LabelMessageBox box(&parent, QStringLiteral("t"), QStringLiteral("text"), QStringLiteral("missing.png"),
                            OkCancel, QMessageBox::Cancel);
        QCOMPARE(box.x(), 100 + (801 - box.width()) / 2);
        QCOMPARE(box.y(), 50 + (601 - box.height()) / 2);
        // A picture that does not load leaves the 32 x 32 place empty.
        auto *icon = box.findChild<QLabel *>(QStringLiteral("label_Icon"));
        QVERIFY(icon->pixmap(Qt::ReturnByValue).isNull());
        QCOMPARE(icon->size(), QSize(32, 32));
    }
};

QTEST_MAIN(TestLabelMessageBox)
#include "tst_labelmessagebox.moc"
