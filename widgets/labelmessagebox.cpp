#include "widgets/labelmessagebox.h"
#include "ui_labelmessagebox.h"

#include <QMessageBox>
#include <QRegularExpression>

LabelMessageBox::LabelMessageBox(QWidget *parent, const QString &title, const QString &text, const QString &iconPath,
                                 int buttons, int defaultButton)
    : QDialog(parent), ui(new Ui::LabelMessageBox)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    setWindowTitle(title);

    ui->label_Icon->setPixmap(QPixmap(iconPath));
    ui->pushButton_Ok->setVisible(buttons & QMessageBox::Ok);
    ui->pushButton_Cancel->setVisible(buttons & QMessageBox::Cancel);
    if (defaultButton == QMessageBox::Ok)
        ui->pushButton_Ok->setFocus();
    else if (defaultButton == QMessageBox::Cancel)
        ui->pushButton_Cancel->setFocus();

    layoutText(text);
    adjustSize();
    setFixedSize(size());
    if (parent) {
        const QRect area = parent->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

LabelMessageBox::~LabelMessageBox()
{
    delete ui;
}

bool LabelMessageBox::confirm(QWidget *parent, const QString &title, const QString &text, const QString &iconPath)
{
    LabelMessageBox box(parent, title, text, iconPath, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

bool LabelMessageBox::confirmDeletion(QWidget *parent, int count, const QString &noneText, const QString &question)
{
    if (count == 0) {
        QMessageBox::information(parent, noneText, noneText);
        return false;
    }
    return confirm(parent, tr("确认删除？"), question, QStringLiteral(":/img/Task/Clear.png"));
}

bool LabelMessageBox::fitsUnwrapped(const QFontMetrics &metrics, const QString &text, int width)
{
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("[\n]")));
    for (const QString &line : lines) {
        if (metrics.elidedText(line, Qt::ElideRight, width) != line)
            return false;
    }
    return true;
}

void LabelMessageBox::layoutText(const QString &text)
{
    QLabel *label = ui->label_Text;
    if (fitsUnwrapped(label->fontMetrics(), text, label->maximumWidth())) {
        label->setText(text);
        return;
    }
    // Wrapped text takes the whole column; otherwise the label would wrap at its size hint.
    label->setWordWrap(true);
    label->setText(text);
    label->setMinimumWidth(label->maximumWidth());
}

void LabelMessageBox::on_pushButton_Ok_clicked()
{
    done(QMessageBox::Ok);
}

void LabelMessageBox::on_pushButton_Cancel_clicked()
{
    done(QMessageBox::Cancel);
}

void LabelMessageBox::on_LabelMessageBox_rejected()
{
    // Escape and the close button reject with 0; callers compare with the message box codes.
    done(QMessageBox::Cancel);
}
