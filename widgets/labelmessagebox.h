#pragma once

#include <QDialog>

namespace Ui {
class LabelMessageBox;
}
class QFontMetrics;

// A question box that shows a picture of the thing concerned beside the text. exec() answers with the
// message box codes: QMessageBox::Ok for confirm, QMessageBox::Cancel for every other way of closing.
class LabelMessageBox : public QDialog
{
    Q_OBJECT

public:
    LabelMessageBox(QWidget *parent, const QString &title, const QString &text, const QString &iconPath, int buttons,
                    int defaultButton);
    ~LabelMessageBox() override;

    // Asks with confirm and cancel, cancel the default; true only when the user confirms.
    static bool confirm(QWidget *parent, const QString &title, const QString &text, const QString &iconPath);
    // Asks before count things are deleted at once; with none to delete, only says so.
    static bool confirmDeletion(QWidget *parent, int count, const QString &noneText, const QString &question);

    // Whether every line of the text fits into width pixels on one line.
    static bool fitsUnwrapped(const QFontMetrics &metrics, const QString &text, int width);

private slots:
    void on_pushButton_Ok_clicked();
    void on_pushButton_Cancel_clicked();
    void on_LabelMessageBox_rejected();

private:
    void layoutText(const QString &text);

    Ui::LabelMessageBox *ui;
};
