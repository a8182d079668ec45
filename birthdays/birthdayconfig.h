#pragma once

#include "data/records.h"

#include <QDate>
#include <QDialog>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVariant>

namespace Ui {
class BirthdayConfig;
}

// The editor of the stored birthdays: the table of every person above a form for one record. It lives
// as long as the main window. After every change of the stored records, including the reminder updates
// the Birthday tab's rows make, it reads the list anew while it is shown, or once when it is shown
// next; the form keeps what is typed in it.
class BirthdayConfig : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char *DefaultIconPath = "src/icon/birthday/default.png";
    static constexpr int ColumnCount = 13;

    explicit BirthdayConfig(QWidget *parent = nullptr);
    ~BirthdayConfig() override;

    // Clears the form and runs the dialog.
    int openEditor();

    // Reads the form into a new record with the given id; refuses with a message box what cannot be
    // stored. The record's reminder flags are all cleared.
    bool readForm(int id, BirthdayInfoData &record);
    bool readForm(int id, const QDate &today, BirthdayInfoData &record);

    // The texts of one table row, in column order.
    QStringList rowTexts(const BirthdayInfoData &record) const;

public slots:
    // Changes of the stored birthdays, whoever made them.
    void slotReceiveQueryData(SqlOperateType operate, QVariant var);
    void slotReceiveAnswer(quint64 requestId, SqlOperateType operate, QVariant var);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private slots:
    void on_tableWidget_Birthday_cellPressed(int row, int column);
    void on_tableWidget_Birthday_cellEntered(int row, int column);
    void on_pushButton_ClearEdit_clicked();
    void on_pushButton_Add_clicked();
    void on_pushButton_Update_clicked();
    void on_pushButton_Delete_clicked();
    void on_pushButton_Cancel_clicked();
    void on_radioButton_LunarYes_toggled(bool checked);
    void on_checkBox_IgnoreLunarYear_toggled(bool checked);
    void on_pushButton_ExportCalendar_clicked();

private:
    void loadRow(int row);
    void fillTable(const QList<BirthdayInfoData> &list);
    void showLunarDate(const QDate &date);
    void setIconPath(const QString &path);
    void refuse(const QString &title, const QString &text);
    void answerSaved(bool saved, const QString &failureTitle);
    void send(SqlOperateType operate, const QVariant &var);
    void requestList();
    // The person is deleted only on an explicit confirmation.
    bool confirmDelete(const BirthdayInfoData &record);
    // Path of the picture the user picks; empty when nothing is chosen.
    QString chooseIcon();

    Ui::BirthdayConfig *ui;
    int selectedRow = -1;
    int selectedId = -1;
    QHash<int, BirthdayInfoData> records;
    // The changes, adds and deletes sent from here whose answers are still to come.
    QSet<quint64> ownRequests;
    quint64 listRequest = 0;
    // The stored records changed while the editor was hidden.
    bool listStale = true;
    QStringList monthNames;
    QStringList dayNames;
    QString iconPath;
    // The calendar file being written by the worker; empty when none is.
    QString exportFile;
    QString lastExportFile;
};
