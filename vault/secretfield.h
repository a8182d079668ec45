#pragma once

#include <QObject>

class QLineEdit;
class QPlainTextEdit;

// Keeps a credential or secret from leaving its field. A protected line edit gives its text away by no
// path while it shows it in clear text: no copy or cut by key or context menu, no drag, and no
// selection offered to other programs (X11). A wiped field keeps neither its text nor its undo history.
class SecretField : public QObject
{
    Q_OBJECT

public:
    // The guard lives as a child of the field.
    static void protect(QLineEdit *edit);
    static void wipe(QLineEdit *edit);
    static void wipe(QPlainTextEdit *edit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit SecretField(QLineEdit *edit);
    void dropSelection();

    QLineEdit *edit;
};
