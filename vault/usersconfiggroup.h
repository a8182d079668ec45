#pragma once

#include "data/records.h"

#include <QGroupBox>
#include <QVariant>

class QLineEdit;

namespace Ui {
class UsersConfigGroup;
} // namespace Ui

// The vault's settings on the Settings tab: accounts per page and the seconds without activity before the
// vault locks itself (in the database), and the seconds a copied secret stays on the clipboard (in the
// settings file). Values out of range are refused and the stored ones shown again.
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
    void on_lineEdit_ClipboardClearSeconds_textChanged(const QString &text);

private:
    void showClipboardSeconds();
    // Names the range a field must keep to, puts its stored value back and leaves nothing to apply.
    void refuse(QLineEdit *field, int storedValue, const QString &range);

    Ui::UsersConfigGroup *ui;
    // The settings as stored, which a refused input goes back to.
    UsersConfigData stored;
};
