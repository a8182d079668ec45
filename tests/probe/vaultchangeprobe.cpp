// The real program, driven through its widgets to change the vault's master key to PEMMORA_PROBE_NEW_KEY after
// logging in with PEMMORA_PROBE_USER/KEY; reports "verified", "status: <text> <value>/<max>" and "modal: <title>".

#include "app/startup.h"
#include "data/interfacepublicdata.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace {

void report(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Clicked through the event loop: a click that opens a modal dialog must not block the driver.
void clickLater(QWidget *root, const char *name)
{
    if (auto *button = root->findChild<QPushButton *>(QString::fromLatin1(name)))
        QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
}

void setText(QWidget *root, const char *name, const QString &text)
{
    if (auto *edit = root->findChild<QLineEdit *>(QString::fromLatin1(name)))
        edit->setText(text);
}

void installDriver()
{
    QObject::connect(&interfacePublicData, &InterfacePublicData::SIGNALAesUpdateStatus,
                     [](const QString &info, int value, int maximum) {
                         report(QStringLiteral("status: %1 %2/%3").arg(info).arg(value).arg(maximum));
                     });
    auto *timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, []() {
        // clang-format off
        enum Stage { Verify, Verifying, OpenDialog, Running };
        // clang-format on
        static Stage stage = Verify;
        QWidget *window = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget->inherits("MainWindow"))
                window = widget;
        if (!window)
            return;
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            // The change asks for a confirmation; every other box is closed.
            report(QStringLiteral("modal: ") + box->windowTitle());
            if (stage == Running && box->button(QMessageBox::Ok) && box->button(QMessageBox::Cancel))
                QMetaObject::invokeMethod(box->button(QMessageBox::Ok), "click", Qt::QueuedConnection);
            else
                box->close();
            return;
        }
        if (stage == Verify && interfacePublicData.registered) {
            setText(window, "lineEdit_User", qEnvironmentVariable("PEMMORA_PROBE_USER"));
            setText(window, "lineEdit_Key", qEnvironmentVariable("PEMMORA_PROBE_KEY"));
            clickLater(window, "pushButton_Login");
            stage = Verifying;
        } else if (stage == Verifying && interfacePublicData.loggedIn) {
            report(QStringLiteral("verified"));
            clickLater(window, "pushButton_AesAccountUpdate");
            stage = OpenDialog;
        } else if (stage == OpenDialog && modal && modal->inherits("AesAccountUpdateDialog")) {
            for (const char *edit : {"lineEdit_KeyNew", "lineEdit_KeyNewRepeat"})
                setText(modal, edit, qEnvironmentVariable("PEMMORA_PROBE_NEW_KEY"));
            clickLater(modal, "pushButton_Ok");
            stage = Running;
        }
    });
    timer->start(20);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installDriver)

int main(int argc, char *argv[])
{
    return Startup::run(argc, argv);
}
