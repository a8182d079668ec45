// The real start-up sequence, plus a watcher that reports on stdout what a user would see: "ready"
// once the main window exists, and "modal: <title>" for every message box, which it then closes.

#include "app/startup.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

void report(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

void installWatcher()
{
    auto *timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, []() {
        static bool ready = false;
        if (QWidget *modal = QApplication::activeModalWidget()) {
            report(QStringLiteral("modal: ") + modal->windowTitle());
            modal->close();
            return;
        }
        if (ready)
            return;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->inherits("MainWindow")) {
                ready = true;
                report(QStringLiteral("ready"));
            }
        }
    });
    timer->start(20);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installWatcher)

int main(int argc, char *argv[])
{
    return Startup::run(argc, argv);
}
