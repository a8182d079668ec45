#include "app/thirdpartysource.h"
#include "ui_thirdpartysource.h"

#include "app/aboutpage.h"
#include "data/appglobals.h"

#include <QScopedPointer>
#include <QTextDocument>
#include <QTextOption>
#include <QtMath>

ThirdPartySource::ThirdPartySource(QWidget *parent) : QWidget(parent), ui(new Ui::ThirdPartySource)
{
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/img/icon.png")));
    ui->tabWidget->setCurrentIndex(0);
    ui->textBrowser_Code->setOpenExternalLinks(true);
    ui->textBrowser_Icon->setOpenExternalLinks(true);
    AboutPage::load(ui->textBrowser_Code, AboutPage::Code, AppGlobals::language);
    AboutPage::load(ui->textBrowser_Icon, AboutPage::Icon, AppGlobals::language);

    // Measured after loading, so the window suits the credits in the language shown.
    ui->textBrowser_Icon->setMinimumWidth(fittedWidth(ui->textBrowser_Icon) + 100);
    setMinimumHeight(400);
    adjustSize();
}

ThirdPartySource::~ThirdPartySource()
{
    delete ui;
}

int ThirdPartySource::fittedWidth(const QTextBrowser *browser)
{
    // The page's own proportions, as a rich-text label would lay it out; the browser's document keeps
    // following the browser's width.
    QScopedPointer<QTextDocument> page(browser->document()->clone());
    // Words and links are not broken to reach those proportions: the longest one sets the least width.
    QTextOption option = page->defaultTextOption();
    option.setWrapMode(QTextOption::WordWrap);
    page->setDefaultTextOption(option);
    page->adjustSize();
    return qCeil(page->size().width()) + 2 * browser->frameWidth();
}
