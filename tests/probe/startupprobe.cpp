// The real start-up, reporting on stdout "ready" (main window made), "shown" and "modal: <title>" (then closed).
// PEMMORA_PROBE_QUIT quits once shown; PEMMORA_PROBE_CLOSE_OTHER hides the window, closes another, says "alive".

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
        static bool shown = false;
        if (QWidget *modal = QApplication::activeModalWidget()) {
            report(QStringLiteral("modal: ") + modal->windowTitle());
            modal->close();
            return;
        }
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (!widget->inherits("MainWindow"))
                continue;
            if (!ready) {
                ready = true;
                report(QStringLiteral("ready"));
            }
            if (!shown && widget->isVisible() && !widget->isMinimized()) {
                shown = true;
                report(QStringLiteral("shown"));
                if (qEnvironmentVariableIsSet("PEMMORA_PROBE_QUIT"))
                    QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::Quit));
                if (qEnvironmentVariableIsSet("PEMMORA_PROBE_CLOSE_OTHER")) {
                    widget->hide();
                    auto *other = new QWidget;
                    other->setAttribute(Qt::WA_DeleteOnClose);
                    other->show();
                    other->close();
                    QTimer::singleShot(100, []() { report(QStringLiteral("alive")); });
                }
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
