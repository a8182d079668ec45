#pragma once

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Answers the message boxes a test provokes: records their titles and texts and presses the given
// button (or rejects the dialog when the box has no such button). Picture question boxes
// (LabelMessageBox) are answered the same way through their confirm and cancel buttons.
class ModalDismisser : public QObject
{
    Q_OBJECT

public:
    explicit ModalDismisser(QMessageBox::StandardButton answer = QMessageBox::Ok, QObject *parent = nullptr);

    void setAnswer(QMessageBox::StandardButton button) { answer = button; }

    QStringList titles;
    QStringList texts;

private:
    void check();

    QMessageBox::StandardButton answer;
    QTimer timer;
};
