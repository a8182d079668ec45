#pragma once

#include "data/records.h"

#include <QColor>
#include <QDialog>
#include <QVariant>

namespace Ui {
class NoticeConfig;
}
class QLineEdit;
class QPushButton;

// Edits which events raise which notices and how the notices look and last. Loads the stored settings
// into currentNoticeConfig when made and after every save, saves them back, and tells every centre
// notice when they change. Only its own requests' answers reach it.
class NoticeConfig : public QDialog
{
    Q_OBJECT

public:
    explicit NoticeConfig(QWidget *parent = nullptr);
    ~NoticeConfig() override;

    // Takes the stored settings as the current ones and shows them.
    void applyConfig(const NoticeConfigData &config);
    // Clears the marks of a failed save and shows the current settings again, keeping valid unsaved entries.
    void prepareToOpen();
    // prepareToOpen(), then runs the dialog modally.
    int openDialog();

    // The first field whose text its validator does not accept whole, or null when all are acceptable.
    QLineEdit *firstInvalidField() const;

signals:
    void SIGNALUpdateCentralNoticeCfg();

public slots:
    // The stored settings changed: they are read back.
    void slotReceiveQueryData(SqlOperateType operate, QVariant var);
    void slotReceiveAnswer(quint64 requestId, SqlOperateType operate, QVariant var);

private slots:
    void on_pushButton_Ok_clicked();
    void on_pushButton_Cancel_clicked();
    void on_pushButton_FontColor_clicked();
    void on_pushButton_FontShadowColor_clicked();
    void on_radioButton_FullScreenBackground_toggled(bool checked);
    void on_radioButton_LineBackground_toggled(bool checked);
    void on_radioButton_NoBackground_toggled(bool checked);

private:
    struct Field
    {
        QLineEdit *edit;
        QString range;
        int NoticeConfigData::*value;
    };

    QList<Field> fields() const;
    static bool isAcceptable(const QLineEdit *edit);
    static void showColor(QPushButton *button, const QColor &color);
    void showWorkingColors();
    void showSwitches(const NoticeConfigData &config);
    // Shows the colour picked on the button; a cancelled choice leaves both as they were.
    void pickColor(QPushButton *button, QColor &color, const QString &title);

    Ui::NoticeConfig *ui;
    QColor fontColor = QColor(0, 103, 124);
    QColor fontShadowColor = QColor(0, 0, 0);
    int bgType = 1;
    quint64 settingsRequest = 0;
};
