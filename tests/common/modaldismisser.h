#pragma once

#include <QColor>
#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Answers the message boxes a test provokes: records their titles and texts and presses the given
// button (or rejects the dialog when the box has no such button). Picture question boxes
// (LabelMessageBox) are answered the same way through their confirm and cancel buttons. A colour
// dialog records the colour it opened with as its text and is accepted with the colour set by
// setColor(), or rejected when that colour is invalid. An input dialog records its label and is
// accepted with the text set by setInput(), or rejected when that text is null.
class ModalDismisser : public QObject
{
    Q_OBJECT

public:
    explicit ModalDismisser(QMessageBox::StandardButton answer = QMessageBox::Ok, QObject *parent = nullptr);

    void setAnswer(QMessageBox::StandardButton button) { answer = button; }
    void setColor(const QColor &value) { color = value; }
    void setInput(const QString &text) { input = text; }

    QStringList titles;
    QStringList texts;

private:
    void check();

    QMessageBox::StandardButton answer;
    QColor color;
    QString input;
    QTimer timer;
};
