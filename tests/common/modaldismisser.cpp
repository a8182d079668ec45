#include "modaldismisser.h"

#include "widgets/labelmessagebox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>

ModalDismisser::ModalDismisser(QMessageBox::StandardButton answer, QObject *parent) : QObject(parent), answer(answer)
{
    connect(&timer, &QTimer::timeout, this, &ModalDismisser::check);
    timer.start(10);
}

void ModalDismisser::check()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    titles.append(modal->windowTitle());
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        texts.append(box->text());
        if (QAbstractButton *button = box->button(answer)) {
            button->click();
            return;
        }
    } else if (auto *question = qobject_cast<LabelMessageBox *>(modal)) {
        texts.append(question->findChild<QLabel *>(QStringLiteral("label_Text"))->text());
        const QString name = answer == QMessageBox::Ok       ? QStringLiteral("pushButton_Ok")
                             : answer == QMessageBox::Cancel ? QStringLiteral("pushButton_Cancel")
                                                             : QString();
        auto *button = name.isEmpty() ? nullptr : question->findChild<QAbstractButton *>(name);
        if (button && button->isVisible()) {
            button->click();
            return;
        }
    } else if (auto *prompt = qobject_cast<QInputDialog *>(modal)) {
        texts.append(prompt->labelText());
        if (!input.isNull()) {
            prompt->setTextValue(input);
            prompt->accept();
            return;
        }
    } else {
        texts.append(QString());
    }
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->reject();
    else
        modal->close();
}
