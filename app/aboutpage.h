#pragma once

#include <QString>

class QTextBrowser;

// The long texts of the About tab and its windows: HTML pages compiled in once per language code.
class AboutPage
{
public:
    static constexpr const char *SoftwareInfo = ":/File/TextBrowser/MainWidget_SoftwareInfo.%1.html";
    static constexpr const char *VersionHistory = ":/File/TextBrowser/About/HelpDocument_VersionHistory.%1.html";
    static constexpr const char *Code = ":/File/TextBrowser/About/ThirdPartySource_Code.%1.html";
    static constexpr const char *Icon = ":/File/TextBrowser/About/ThirdPartySource_Icon.%1.html";

    // The project's own pages, linked from the About tab.
    static constexpr const char *HomePage = "https://pemmora.example.org/";
    static constexpr const char *IssuePage = "https://pemmora.example.org/issues";

    static QString path(const char *page, const QString &language);

    // Shows the page in the browser. Without a page for the language the browser is left as it is, with no
    // message: the window stays usable, just without its text. Returns whether a page was shown.
    // Of the list items marked with class "with-tray" or "without-tray" only those that hold are shown.
    static bool load(QTextBrowser *browser, const char *page, const QString &language, bool withTray = true);
};
