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
            else if (how == QLatin1String("escape"))
                QTest::keyClick(shown, Qt::Key_Escape);
            else
                shown->close();
        });
        QCOMPARE(box.exec(), expected);
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
};

QTEST_MAIN(TestLabelMessageBox)
#include "tst_labelmessagebox.moc"
