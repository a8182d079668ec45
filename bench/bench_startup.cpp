// Start to a shown window on the data of a heavy user (by default 1,000 tasks, 500 birthdays, 10,000
// accounts), and on until the task list, the birthday list and the first page of accounts are filled. Each
// start is a process of its own, timed from its main(); the figures are the medians of the starts.
// Arguments: the data sizes (tasks, birthdays, accounts), then --starts to time (default 5).
#include "app/mainwindow.h"
#include "app/startup.h"
#include "benchseed.h"
#include "data/language.h"
#include "data/sqlthread.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>
#include <QTableWidget>
#include <QThread>
#include <QWindow>
#include <algorithm>
#include <cstdio>

namespace {

// One start in this process: the program's own start-up steps, without the single-instance lock.
int startOnce(int argc, char **argv, const QString &programDir, const BenchSeed::Arguments &sizes)
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QDir::setCurrent(programDir);
    Language::load();
    registerRecordMetaTypes();
    QThread *workerThread = Startup::startSqlWorker()->thread();
    auto *window = new MainWindow();
    window->show();

    // Looked up once: a search of the whole window after every event would be a cost of its own.
    const auto *tasks = window->findChild<QListWidget *>(QStringLiteral("listWidget_Task"));
    const auto *birthdays = window->findChild<QListWidget *>(QStringLiteral("listWidget_Birthday"));
    const auto *accounts = window->findChild<QTableWidget *>(QStringLiteral("tableWidget_Users"));
    qint64 shownMs = -1;
    qint64 filledMs = -1;
    while (filledMs < 0 && clock.elapsed() < 60000) {
        app.processEvents(QEventLoop::WaitForMoreEvents, 10);
        if (shownMs < 0 && window->windowHandle() && window->windowHandle()->isExposed())
            shownMs = clock.elapsed();
        if (shownMs >= 0 && tasks->count() == sizes.tasks && birthdays->count() == sizes.birthdays &&
            accounts->rowCount() > 0) {
            app.processEvents();
            filledMs = clock.elapsed();
        }
    }
    std::printf("%lld %lld\n", shownMs, filledMs);
    std::fflush(stdout);
    delete window;
    workerThread->quit();
    workerThread->wait();
    return filledMs < 0 ? 1 : 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    const BenchSeed::Arguments arguments(argc, argv);
    if (arguments.options.value(0) == QLatin1String("--once"))
        return startOnce(argc, argv, arguments.options.value(1), arguments);

    QCoreApplication app(argc, argv);
    const int starts = qMax(1, arguments.option("starts", 5));
    TestProgramDir dir;
    if (!dir.isValid() || !BenchSeed::seed(dir, arguments)) {
        std::fprintf(stderr, "cannot seed the database\n");
        return 1;
    }
    std::vector<double> shown, filled;
    for (int i = 0; i < starts; ++i) {
        QProcess start;
        start.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        start.start(QCoreApplication::applicationFilePath(),
                    arguments.sizeArguments() + QStringList{QStringLiteral("--once"), dir.path()});
        if (!start.waitForFinished(90000) || start.exitCode() != 0) {
            std::fprintf(stderr, "a start failed\n");
            return 1;
        }
        const QList<QByteArray> figures = start.readAllStandardOutput().trimmed().split(' ');
        shown.push_back(figures.value(0).toDouble());
        filled.push_back(figures.value(1).toDouble());
    }
    std::printf("startup_heavy_data_window_shown_median: %.0f ms\n", median(shown));
    std::printf("startup_heavy_data_lists_filled_median: %.0f ms\n", median(filled));
    return 0;
}
