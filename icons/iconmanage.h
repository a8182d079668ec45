#pragma once

#include "data/records.h"

#include <QDialog>
#include <QPointer>
#include <QVariant>

namespace Ui {
class IconManage;
}

// The icon library: picks a picture for a task or a birthday, and adds, edits and deletes pictures.
// One instance, a child of the main window; the catalogue changes only through the SQL worker and the
// tiles are rebuilt from its answers.
class IconManage : public QDialog
{
    Q_OBJECT

public:
    // Creates the instance when a parent is given and none exists; otherwise returns the existing one.
    static IconManage *instance(QWidget *parent = nullptr);
    ~IconManage() override;

    // Runs the dialog modally, on the page of the kind asked for (IconLibrary::Kind; any other value
    // keeps the page last shown); the chosen picture's path, or empty when nothing was chosen.
    QString selectIcon(int kind = -1);

public slots:
    void slotReceiveQueryData(SqlOperateType operate, QVariant var);
    void slotIconItemOperate(int id, int what, QString path, QString notice, int operate);
    void slotShowIconNoticeAlways(bool show);

private slots:
    void on_pushButton_SelectIcon_clicked();
    void on_pushButton_AddIcon_clicked();
    void on_pushButton_EditIcon_clicked();
    void on_pushButton_DeleteIcon_clicked();
    void on_pushButton_AddPic_clicked();
    void on_pushButton_AddOk_clicked();
    void on_pushButton_AddCancel_clicked();
    void on_IconManage_finished(int result);
    void on_IconManage_rejected();
    void on_pushButton_ShowIconNoticeAlways_clicked(bool checked);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit IconManage(QWidget *parent);

    void loadLists();
    void showList(QList<QStringList> rows);
    void resetSelection();
    void resetPanel();
    void openForAdding();
    void openForEditing();
    void loadPicture(const QString &file);
    void deleteSelected();
    bool panelOpen() const;
    void informNothingSelected();
    // A file at path that is not the selected picture itself is a stray one: replace it only if the user agrees.
    bool mayReplace(const QString &path);
    void informNotSaved(const QString &path);

    static QPointer<IconManage> self;

    Ui::IconManage *ui;
    int nextId = 1;
    int selectedId = -1;
    int selectedWhat = 0;
    QString selectedPath;
    QString selectedNotice;
    bool editing = false;
    // Pictures placed for inserts not yet answered, in the order sent.
    QStringList pendingInserts;
};
