#include "widgets/textrule.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolTip>

TextRule::TextRule(QLineEdit *edit, int maxLength) : QValidator(edit), maxLength(maxLength) {}

void TextRule::apply(QLineEdit *edit, int maxLength)
{
    // Qt's own limit would cut a paste silently before the rule sees it.
    edit->setMaxLength(32767);
    edit->setValidator(new TextRule(edit, maxLength));
    const QString limit = tr("最多 %n 个字符", nullptr, maxLength);
    edit->setToolTip(edit->toolTip().isEmpty() ? limit : edit->toolTip() + QLatin1Char('\n') + limit);
}

void TextRule::apply(QPlainTextEdit *edit)
{
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit]() {
        QTextCursor nul = edit->document()->find(QString(QChar(0)));
        if (nul.isNull())
            return;
        while (!nul.isNull()) {
            nul.removeSelectedText();
            nul = edit->document()->find(QString(QChar(0)), nul);
        }
        tell(edit, nulNote());
    });
}

QString TextRule::enforce(QString &text, int &pos, int maxLength)
{
    QStringList notes;
    const int nuls = text.count(QChar(0));
    if (nuls > 0) {
        pos -= text.left(pos).count(QChar(0));
        text.remove(QChar(0));
        notes << nulNote();
    }
    const int excess = maxLength > 0 ? text.size() - maxLength : 0;
    if (excess > 0) {
        // The characters just inserted end at the cursor; a text set as a whole is cut at its end.
        if (pos >= excess) {
            pos -= excess;
            text.remove(pos, excess);
        } else {
            text.truncate(maxLength);
            pos = qMin(pos, maxLength);
        }
        notes << tr("这一栏最多 %1 个字符，多出的部分没有加入。").arg(maxLength);
    }
    return notes.join(QLatin1Char('\n'));
}

QString TextRule::nulNote()
{
    return tr("空字符（NUL）无法保存，已去掉。");
}

QValidator::State TextRule::validate(QString &input, int &pos) const
{
    const QString note = enforce(input, pos, maxLength);
    if (!note.isEmpty())
        tell(qobject_cast<QWidget *>(parent()), note);
    return Acceptable;
}

void TextRule::tell(QWidget *field, const QString &note)
{
    if (field && field->isVisible())
        QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), note, field);
}
