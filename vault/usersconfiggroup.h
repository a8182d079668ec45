#pragma once

#include "data/records.h"

#include <QGroupBox>
#include <QVariant>

namespace Ui {
class UsersConfigGroup;
}

// The vault's two settings on the Settings tab: accounts per page and the seconds without activity before
// the vault locks itself. Values out of range are refused and the stored ones shown again.
class UsersConfigGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit UsersConfigGroup(QWidget *parent = nullptr);
    ~UsersConfigGroup() override;

public slots:
    void slotReceiveQueryData(SqlOperateType operate, QVariant var);

private slots:
    void on_pushButton_UsersSetUpdate_clicked();
    void on_lineEdit_UserLimitOnePage_textChanged(const QString &text);
    void on_lineEdit_NoActiveLogoutSec_textChanged(const QString &text);

private:
    Ui::UsersConfigGroup *ui;
    // The settings as stored, which a refused input goes back to.
    UsersConfigData stored;
};
