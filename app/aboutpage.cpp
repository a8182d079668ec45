#include "app/aboutpage.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextStream>

QString AboutPage::path(const char *page, const QString &language)
{
    return QString::fromLatin1(page).arg(language);
}

namespace {
QString forDesktop(QString html, bool withTray)
{
    const QString other = withTray ? QStringLiteral("without-tray") : QStringLiteral("with-tray");
    return html.remove(QRegularExpression(QStringLiteral("<li class=\"%1\">.*?</li>\\n?").arg(other)));
}
} // namespace

bool AboutPage::load(QTextBrowser *browser, const char *page, const QString &language, bool withTray)
{
    QFile file(path(page, language));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream stream(&file);
    // The pages are UTF-8 whatever the system's locale is; the locale codec would garble them.
    stream.setCodec("UTF-8");
    browser->setHtml(forDesktop(stream.readAll(), withTray));
    return true;
}
