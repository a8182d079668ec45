#pragma once

#include "data/records.h"

#include <QHash>
#include <QVariant>
#include <QWidget>

namespace Ui {
class BirthdayTab;
}
class BirthdayConfig;
class BirthdayRow;
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
    // Reads the stored birthdays and rebuilds the rows from them.
    void requestList();
    void rebuildBirthdayList(const QList<BirthdayInfoData> &list);

public slots:
    // Changes of the stored birthdays, whoever made them; a mere update of reminder flags leaves the rows
    // (and their reminders) alone.
    void slotReceiveQueryData(SqlOperateType operate, QVariant var);
    void slotReceiveAnswer(quint64 requestId, SqlOperateType operate, QVariant var);

private slots:
    void on_listWidget_Birthday_itemDoubleClicked(QListWidgetItem *item);

private:
    // The width of the widest name's label.
    int widestName(const QList<BirthdayRow *> &rows) const;

    Ui::BirthdayTab *ui;
    BirthdayConfig *birthdayConfig = nullptr;
    LazyRowList *birthdayRows = nullptr;
    // Measures names as the rows' own labels would.
    QLabel *nameProbe = nullptr;
    // The advance of each character met in a name, by code point.
    mutable QHash<uint, qreal> charAdvances;
    quint64 listRequest = 0;
};
