#pragma once

#include <QValidator>

class QLineEdit;
class QPlainTextEdit;

// What a text field takes, told to the user: at most a given number of characters, which the database keeps
// whole, and no NUL, which would cut an encrypted field short. Text typed or pasted beyond the limit and every
// NUL are taken out at once, with a note at the field saying so; the field's tool tip gives the limit.
class TextRule : public QValidator
{
    Q_OBJECT

public:
    TextRule(QLineEdit *edit, int maxLength);

    static void apply(QLineEdit *edit, int maxLength);
    // A plain text field has no limit; only NULs are taken out.
    static void apply(QPlainTextEdit *edit);

    // Takes the NULs out of text and cuts it to maxLength (0: no limit) by dropping the characters just before
    // pos, the ones last inserted; what the user is told, empty when text stays as it was.
    static QString enforce(QString &text, int &pos, int maxLength);

    State validate(QString &input, int &pos) const override;

private:
    static QString nulNote();
    static void tell(QWidget *field, const QString &note);

    int maxLength;
};
