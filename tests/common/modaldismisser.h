#pragma once

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Answers the message boxes a test provokes (LabelMessageBox too): records their titles and texts and
// presses the given button, or rejects the box without one. An input dialog records its label and is
// accepted with the text set by setInput(), or rejected when that text is null.
class ModalDismisser : public QObject
{
    Q_OBJECT

public:
    explicit ModalDismisser(QMessageBox::StandardButton answer = QMessageBox::Ok, QObject *parent = nullptr);

    void setAnswer(QMessageBox::StandardButton button) { answer = button; }
    void setInput(const QString &text) { input = text; }

    QStringList titles;
    QStringList texts;

private:
    void check();

    QMessageBox::StandardButton answer;
    QString input;
    QTimer timer;
};
