#include "app/aboutpage.h"

#include <QFile>
#include <QTextBrowser>
#include <QTextStream>

QString AboutPage::path(const char *page, const QString &language)
{
    return QString::fromLatin1(page).arg(language);
}

bool AboutPage::load(QTextBrowser *browser, const char *page, const QString &language)
{
    QFile file(path(page, language));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream stream(&file);
    // The pages are UTF-8 whatever the system's locale is; the locale codec would garble them.
    stream.setCodec("UTF-8");
    browser->setHtml(stream.readAll());
    return true;
}
