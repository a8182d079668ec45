#include "app/aboutpage.h"
#include "app/appglobals.h"
#include "app/helpdocument.h"
#include "app/mainwindow.h"
#include "app/thirdpartysource.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTextCodec>
#include <memory>

namespace {

// The language of the running program for as long as the object lives.
class LanguageScope
{
public:
    explicit LanguageScope(const QString &code) : previous(AppGlobals::language) { AppGlobals::language = code; }
    ~LanguageScope() { AppGlobals::language = previous; }

private:
    QString previous;
};

std::unique_ptr<QWidget> makeWindow(const QString &window)
{
    if (window == QLatin1String("MainWindow"))
        return std::make_unique<MainWindow>();
    if (window == QLatin1String("HelpDocument"))
        return std::make_unique<HelpDocument>();
    return std::make_unique<ThirdPartySource>();
}

template <typename T> QList<T *> topLevels()
{
    QList<T *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<T *>(widget))
            found.append(window);
    }
    return found;
}

// Presses the About tab's button and returns the window it shows, the one of its class.
template <typename T> T *press(MainWindow &window, const char *button)
{
    QTest::mouseClick(window.findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
    const QList<T *> shown = topLevels<T>();
    return shown.size() == 1 && shown.first()->isVisible() ? shown.first() : nullptr;
}

// Every page browser: the window that holds it and its object name.
const QList<QPair<QString, QString>> Browsers = {{"MainWindow", "textBrowser_SoftwareInfo"},
                                                 {"HelpDocument", "textBrowser_VersionHistory"},
                                                 {"ThirdPartySource", "textBrowser_Code"},
                                                 {"ThirdPartySource", "textBrowser_Icon"}};

} // namespace

class TestAboutPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void pages_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("browser");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        // A text found only in that page in that language, in the order of Browsers.
        const QMap<QString, QStringList> texts = {
            {"zh_CN", {"单用户的桌面提醒助手", "新增图标库", "SQLite 属于公有领域", "没有使用第三方图片"}},
            {"zh_TW", {"單人使用的桌面提醒小幫手", "新增圖示庫", "SQLite 屬於公眾領域", "沒有使用第三方圖片"}},
            {"en",
             {"desktop reminder assistant for one user", "New icon library", "SQLite is in the public domain",
              "No third-party pictures are used"}}};
        for (auto language = texts.cbegin(); language != texts.cend(); ++language) {
            for (int i = 0; i < Browsers.size(); ++i)
                QTest::addRow("%s %s", qPrintable(language.key()), qPrintable(Browsers.at(i).second))
                    << Browsers.at(i).first << Browsers.at(i).second << language.key() << language.value().at(i);
        }
    }

    void pages()
    {
        QFETCH(QString, window);
        QFETCH(QString, browser);
        QFETCH(QString, language);
        QFETCH(QString, text);
        TestProgramDir dir;
        LanguageScope scope(language);
        const std::unique_ptr<QWidget> shown = makeWindow(window);
        auto *textBrowser = shown->findChild<QTextBrowser *>(browser);
        QVERIFY(textBrowser);
        const QString plain = textBrowser->toPlainText();
        QVERIFY2(plain.contains(text), qPrintable(plain.left(200)));
        QVERIFY(textBrowser->openExternalLinks());
        // The history starts at the version the About tab names.
        if (browser == QLatin1String("textBrowser_VersionHistory"))
            QVERIFY(plain.startsWith(QStringLiteral("%1 (%2)").arg(AppGlobals::Version, AppGlobals::VersionDate)));
    }

    // On a system whose locale is not UTF-8 the Chinese pages must still read correctly.
    void pagesIgnoreTheLocaleCodec()
    {
        QTextCodec *previous = QTextCodec::codecForLocale();
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
        QTextBrowser browser;
        const bool loaded = AboutPage::load(&browser, AboutPage::SoftwareInfo, QStringLiteral("zh_TW"));
        QTextCodec::setCodecForLocale(previous);
        QVERIFY(loaded);
        QVERIFY(browser.toPlainText().contains(QStringLiteral("單人使用的桌面提醒小幫手")));
    }

    void missingPage_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("browser");
        QTest::addColumn<QString>("language");
        for (const QString &language : {QStringLiteral("fr"), QString()}) {
            for (const auto &browser : Browsers)
                QTest::addRow("%s for \"%s\"", qPrintable(browser.second), qPrintable(language))
                    << browser.first << browser.second << language;
        }
    }

    void missingPage()
    {
        QFETCH(QString, window);
        QFETCH(QString, browser);
        QFETCH(QString, language);
        TestProgramDir dir;
        LanguageScope scope(language);
        ModalDismisser dismisser;
        const std::unique_ptr<QWidget> shown = makeWindow(window);
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
        QCoreApplication::processEvents();
        QVERIFY(shown->findChild<QTextBrowser *>(browser)->document()->isEmpty());
        QVERIFY(dismisser.titles.isEmpty());
    }

    void menuWidth_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("pointSize");
        QTest::newRow("longest entry in the middle") << QStringList{"短", "更新日志与说明文字", "中"} << 0;
        QTest::newRow("the list's own font") << QStringList{"更新日志"} << 28;
        QTest::newRow("no entries") << QStringList() << 0;
    }

    void menuWidth()
    {
        QFETCH(QStringList, entries);
        QFETCH(int, pointSize);
        QListWidget list;
        if (pointSize > 0) {
            QFont font = list.font();
            font.setPointSize(pointSize);
            list.setFont(font);
        }
        list.addItems(entries);
        const QFontMetrics metrics(list.font());
        int widest = 0;
        for (const QString &entry : qAsConst(entries))
            widest = qMax(widest, metrics.horizontalAdvance(entry));
        const int width = HelpDocument::menuWidth(&list);
        QVERIFY2(width >= widest + 20 && width <= widest + 24,
                 qPrintable(QStringLiteral("%1 for %2").arg(width).arg(widest)));
    }

    void helpMenuKeepsItsWidth()
    {
        HelpDocument help;
        auto *list = help.findChild<QListWidget *>(QStringLiteral("listWidget_Menu"));
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QCOMPARE(list->width(), HelpDocument::menuWidth(list));
        // Widening the window gives the room to the page, not to the menu.
        help.resize(help.width() + 200, help.height());
        QTRY_COMPARE(list->width(), HelpDocument::menuWidth(list));
    }

    void fittedWidth_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("unbreakable");
        QTest::addColumn<bool>("wraps");
        // Long enough to pass the natural proportions of so short a page.
        const QString word = QStringLiteral("WenQuanYiMicroHeiIsTheFontThatShowsChineseTextOnLinux");
        QTest::newRow("long word") << QStringLiteral("<p>Font: <a href=\"https://example.org/\">%1</a></p>").arg(word)
                                   << word << false;
        const QString paragraph = QStringLiteral("Every picture in the program was drawn for it. ").repeated(12);
        QTest::newRow("long paragraph") << QStringLiteral("<p>%1</p>").arg(paragraph) << QStringLiteral("picture")
                                        << true;
    }

    // The credits window is sized by its page: long paragraphs wrap to a readable width, while nothing
    // that cannot wrap is cut.
    void fittedWidth()
    {
        QFETCH(QString, html);
        QFETCH(QString, unbreakable);
        QFETCH(bool, wraps);
        QTextBrowser browser;
        browser.setHtml(html);
        const int width = ThirdPartySource::fittedWidth(&browser);
        const QFontMetrics metrics(browser.document()->defaultFont());
        QVERIFY2(width >= metrics.horizontalAdvance(unbreakable),
                 qPrintable(QStringLiteral("%1 < %2").arg(width).arg(metrics.horizontalAdvance(unbreakable))));
        if (wraps)
            QVERIFY(width < metrics.horizontalAdvance(browser.toPlainText()) / 2);
    }

    void aboutTabLinks()
    {
        TestProgramDir dir;
        MainWindow window;
        const QList<QPair<QString, QString>> links = {{"label_Website", AboutPage::HomePage},
                                                      {"label_Feedback", AboutPage::IssuePage}};
        for (const auto &link : links) {
            auto *label = window.findChild<QLabel *>(link.first);
            QVERIFY(label->text().contains(QStringLiteral("href=\"%1\"").arg(link.second)));
            QVERIFY(label->openExternalLinks());
        }
    }

    // Pressing "帮助" again shows the same window as the user left it, even minimized or closed.
    void helpShownAgainAsLeft()
    {
        TestProgramDir dir;
        MainWindow window;
        HelpDocument *help = press<HelpDocument>(window, "pushButton_HelpDocment");
        QVERIFY(help);
        auto *list = help->findChild<QListWidget *>(QStringLiteral("listWidget_Menu"));
        auto *stack = help->findChild<QStackedWidget *>(QStringLiteral("stackedWidget_Content"));

        // A second page, so that the page the user chose can be told apart from the first one.
        list->addItem(QStringLiteral("second"));
        stack->addWidget(new QWidget);
        list->setCurrentRow(1);
        QCOMPARE(stack->currentIndex(), 1);
        help->close();

        QCOMPARE(press<HelpDocument>(window, "pushButton_HelpDocment"), help);
        QCOMPARE(list->currentRow(), 1);
        QCOMPARE(stack->currentIndex(), 1);

        help->showMinimized();
        QCOMPARE(press<HelpDocument>(window, "pushButton_HelpDocment"), help);
        QVERIFY(!help->isMinimized());
    }

    void sourcesShownAgainAsLeft()
    {
        TestProgramDir dir;
        MainWindow window;
        ThirdPartySource *sources = press<ThirdPartySource>(window, "pushButton_ThirdPartySource");
        QVERIFY(sources);
        auto *tabs = sources->findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        tabs->setCurrentIndex(1);
        sources->close();

        QCOMPARE(press<ThirdPartySource>(window, "pushButton_ThirdPartySource"), sources);
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("tab_Icon"));
    }

    // The two windows have no parent: the main window deletes them, shown or not.
    void windowsGoWithTheMainWindow()
    {
        TestProgramDir dir;
        QPointer<HelpDocument> help;
        QPointer<ThirdPartySource> sources;
        {
            MainWindow window;
            help = press<HelpDocument>(window, "pushButton_HelpDocment");
            sources = topLevels<ThirdPartySource>().value(0);
            QVERIFY(help && sources);
        }
        QVERIFY(help.isNull());
        QVERIFY(sources.isNull());
    }
};

QTEST_MAIN(TestAboutPages)
#include "tst_aboutpages.moc"
