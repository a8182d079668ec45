#include "app/abouttab.h"
#include "ui_abouttab.h"

#include "app/aboutpage.h"
#include "app/helpdocument.h"
#include "app/thirdpartysource.h"
#include "data/appglobals.h"

#include <QDir>
#include <QMessageBox>
#include <QUrl>

AboutTab::AboutTab(QWidget *parent) : QWidget(parent), ui(new Ui::AboutTab)
{
    ui->setupUi(this);
    ui->label_SoftwareVersion->setText(
        tr("版本") +
        QStringLiteral(" %1 (%2)").arg(QLatin1String(AppGlobals::Version), QLatin1String(AppGlobals::VersionDate)));
    thirdPartySource = new ThirdPartySource();
    helpDocument = new HelpDocument();
    const QString link = QStringLiteral("<a href=\"%1\">%1</a>");
    ui->label_Website->setText(link.arg(QLatin1String(AboutPage::HomePage)));
    ui->label_Feedback->setText(link.arg(QLatin1String(AboutPage::IssuePage)));
    // Where the database, the settings and the pictures are; a click opens it in the file manager.
    const QString dataFolder = QDir(AppGlobals::folders.dataDir).absoluteFilePath(QStringLiteral("src"));
    ui->label_DataFolder->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                                      .arg(QString::fromUtf8(QUrl::fromLocalFile(dataFolder).toEncoded()),
                                           QDir::toNativeSeparators(dataFolder).toHtmlEscaped()));
    ui->textBrowser_SoftwareInfo->setOpenExternalLinks(true);
}

AboutTab::~AboutTab()
{
    delete thirdPartySource;
    delete helpDocument;
    delete ui;
}

void AboutTab::showSoftwareInfo(bool withTray)
{
    AboutPage::load(ui->textBrowser_SoftwareInfo, AboutPage::SoftwareInfo, AppGlobals::language, withTray);
}

void AboutTab::on_pushButton_AboutQt_clicked()
{
    QMessageBox::aboutQt(this, QString());
}

namespace {
// Shown again as the user left it, in front even when it was minimized or behind the main window.
void bringToFront(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

void AboutTab::on_pushButton_ThirdPartySource_clicked()
{
    bringToFront(thirdPartySource);
}

void AboutTab::on_pushButton_HelpDocment_clicked()
{
    bringToFront(helpDocument);
}
