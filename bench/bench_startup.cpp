// Start to a shown window on the data of a heavy user (1,000 tasks, 500 birthdays, 10,000 accounts), and
// on until the task list, the birthday list and the first page of accounts are filled. Each start is a
// process of its own, timed from its main(); the figures are the medians of the starts.
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
int startOnce(int argc, char **argv, const QString &programDir)
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

    const auto count = [window](const char *name) {
        auto *list = window->findChild<QListWidget *>(QLatin1String(name));
        return list ? list->count() : -1;
    };
    qint64 shownMs = -1;
    qint64 filledMs = -1;
    while (filledMs < 0 && clock.elapsed() < 60000) {
        app.processEvents(QEventLoop::WaitForMoreEvents, 10);
        if (shownMs < 0 && window->windowHandle() && window->windowHandle()->isExposed())
            shownMs = clock.elapsed();
        if (shownMs >= 0 && count("listWidget_Task") == BenchSeed::Tasks &&
            count("listWidget_Birthday") == BenchSeed::Birthdays &&
            window->findChild<QTableWidget *>(QStringLiteral("tableWidget_Users"))->rowCount() > 0) {
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
    if (argc == 3 && QByteArray(argv[1]) == "--once")
        return startOnce(argc, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication app(argc, argv);
    // Argument: starts to time (default 5).
    const int starts = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    TestProgramDir dir;
    if (!dir.isValid() || !BenchSeed::seed(dir)) {
        std::fprintf(stderr, "cannot seed the database\n");
        return 1;
    }
    std::vector<double> shown, filled;
    for (int i = 0; i < starts; ++i) {
        QProcess start;
        start.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        start.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--once"), dir.path()});
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
