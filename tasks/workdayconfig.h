#pragma once

#include "data/records.h"
#include "tasks/holidayimport.h"

#include <QDialog>
#include <QVariant>

namespace Ui {
class WorkdayConfig;
}
class HolidaySubscription;

// Lists, adds, edits and deletes the workday exceptions: dates on which the Monday-to-Friday rule is
// reversed. Lives as long as the main window and follows every reload, also while closed.
class WorkdayConfig : public QDialog
{
    Q_OBJECT

public:
    enum Column : int
    {
        ColumnId = 0,
        ColumnDate = 1,
        ColumnWorkOrRest = 2,
        ColumnNotice = 3,
    };

    explicit WorkdayConfig(QWidget *parent = nullptr);
    ~WorkdayConfig() override;

    // "工作" or "休息" with the weekday in brackets, as the table shows an exception.
    static QString workOrRestText(const TaskWorkdayData &day);

    // Reads a holiday calendar, lists the dates it would change and takes those the user ticks.
    void importFile(const QString &path);
    // The subscribed calendar's dates that contradict listed exceptions, for the user to decide.
    void reviewSubscription();

signals:
    // Dates of the subscribed calendar wait for the user's decision; 0 when none.
    void SIGNALSubscriptionConflicts(int count);

public slots:
    void slotReceiveQueryData(SqlOperateType operate, QVariant var);

private slots:
    void on_tableWidget_Workday_cellChanged(int row, int column);
    void on_pushButton_Add_clicked();
    void on_pushButton_AddConfirm_clicked();
    void on_pushButton_AddCancel_clicked();
    void on_pushButton_Delete_clicked();
    void on_dateEdit_Date_dateChanged(const QDate &date);
    void on_pushButton_Help_clicked();
    void on_pushButton_ClearOutdated_clicked();
    void on_pushButton_Import_clicked();
    void on_pushButton_Subscribe_clicked();

private:
    void fill(const QList<TaskWorkdayData> &days);
    void reload();
    // True when another row than skipRow already lists this date.
    bool dateListed(const QString &dateText, int skipRow) const;
    QString cellText(int row, int column) const;
    // What an exception turns a workday, or a weekend day, into: "工作 => 休息" or back.
    static QString restOrWorkText(bool weekend);

    // Shows the review and takes what the user ticks; false when nothing was taken.
    bool review(const HolidayImport::Plan &plan);
    void take(const QList<HolidayImport::Change> &changes);
    // Stores new exceptions.
    void addExceptions(const QList<TaskWorkdayData> &days);
    // Adds the subscribed calendar's new future dates and keeps its conflicts for the review.
    void takeSubscription(const QByteArray &data);
    void showSubscriptionState(const QString &error = QString());

    Ui::WorkdayConfig *ui;
    bool cellEditEnabled = true;
    QList<TaskWorkdayData> listedDays;
    bool listReceived = false;
    HolidaySubscription *subscription;
    // Fetched before the list arrived.
    QByteArray pendingSubscription;
    QList<HolidayImport::Change> subscriptionConflicts;
};
