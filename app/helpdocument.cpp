#include "app/helpdocument.h"
#include "ui_helpdocument.h"

#include "app/aboutpage.h"
#include "data/appglobals.h"

#include <QLabel>

HelpDocument::HelpDocument(QWidget *parent) : QWidget(parent), ui(new Ui::HelpDocument)
{
    ui->setupUi(this);
    // A label's mnemonic takes the focus to the field it names.
    ui->label_Menu->setBuddy(ui->listWidget_Menu);
    ui->label_Content->setBuddy(ui->textBrowser_VersionHistory);
    setWindowIcon(QIcon(QStringLiteral(":/img/icon.png")));
    ui->stackedWidget_Content->setCurrentIndex(0);
    ui->listWidget_Menu->setCurrentRow(0);
    ui->textBrowser_VersionHistory->setOpenExternalLinks(true);
    AboutPage::load(ui->textBrowser_VersionHistory, AboutPage::VersionHistory, AppGlobals::language);

    // The menu's entries are translated, so its width follows the language instead of the form.
    const int width = menuWidth(ui->listWidget_Menu);
    ui->listWidget_Menu->setMinimumWidth(width);
    ui->listWidget_Menu->setMaximumWidth(width);
}

HelpDocument::~HelpDocument()
{
    delete ui;
}

int HelpDocument::menuWidth(const QListWidget *list)
{
    QLabel label;
    label.setFont(list->font());
    int widest = 0;
    for (int row = 0; row < list->count(); ++row) {
        label.setText(list->item(row)->text());
        widest = qMax(widest, label.sizeHint().width());
    }
    return widest + 20;
}

void HelpDocument::on_listWidget_Menu_currentRowChanged(int currentRow)
{
    ui->stackedWidget_Content->setCurrentIndex(currentRow);
}
