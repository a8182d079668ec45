#pragma once

#include "data/records.h"

#include <QVariant>
#include <QWidget>

namespace Ui {
class BirthdayTab;
}
class BirthdayConfig;
class LazyRowList;
class QLabel;
class QListWidgetItem;

// The Birthday tab: one row per person, soonest birthday first, and the birthday editor, which a double
// click on the list opens and which keeps the list current.
class BirthdayTab : public QWidget
{
    Q_OBJECT

public:
    explicit BirthdayTab(QWidget *parent = nullptr);
    ~BirthdayTab() override;

    void openEditor();

public slots:
    void slotReceiveQueryData(SqlOperateType operate, QVariant var);

private slots:
    void on_listWidget_Birthday_itemDoubleClicked(QListWidgetItem *item);

private:
    void rebuildBirthdayList(const QList<BirthdayInfoData> &list);

    Ui::BirthdayTab *ui;
    BirthdayConfig *birthdayConfig = nullptr;
    LazyRowList *birthdayRows = nullptr;
    // Measures the names of rows whose forms are not built yet, as their own labels would.
    QLabel *nameProbe = nullptr;
};
