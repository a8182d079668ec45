#include "vault/secretfield.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>

SecretField::SecretField(QLineEdit *edit) : QObject(edit), edit(edit)
{
    edit->setDragEnabled(false);
    edit->installEventFilter(this);
    connect(QGuiApplication::clipboard(), &QClipboard::selectionChanged, this, &SecretField::dropSelection);
}

void SecretField::protect(QLineEdit *edit)
{
    new SecretField(edit);
}

void SecretField::wipe(QLineEdit *edit)
{
    // clear() would keep the old text in the undo history; setText() drops the history.
    edit->setText(QString());
}

void SecretField::wipe(QPlainTextEdit *edit)
{
    edit->clear();
    edit->document()->clearUndoRedoStacks();
}

bool SecretField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != edit)
        return false;
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        return key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut);
    }
    if (event->type() == QEvent::ContextMenu) {
        // Qt offers Cut and Copy only for a field that shows its text, so build the menu as for a masked one.
        const QLineEdit::EchoMode echo = edit->echoMode();
        edit->setEchoMode(QLineEdit::Password);
        QMenu *menu = edit->createStandardContextMenu();
        edit->setEchoMode(echo);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    return false;
}

// Selecting text in a field that shows it also offers the text to other programs as the X11 selection.
void SecretField::dropSelection()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (edit->hasSelectedText() && clipboard->ownsSelection() &&
        clipboard->text(QClipboard::Selection) == edit->selectedText())
        clipboard->clear(QClipboard::Selection);
}
