#pragma once

#include <QWidget>

namespace Ui {
class AboutTab;
}
class HelpDocument;
class ThirdPartySource;

// The About tab: version, links, the information page and the buttons to the sources and help windows.
class AboutTab : public QWidget
{
    Q_OBJECT

public:
    explicit AboutTab(QWidget *parent = nullptr);
    ~AboutTab() override;

    // The page's tips say what closing the window does, which depends on whether there is a tray to hide in.
    void showSoftwareInfo(bool withTray);

private slots:
    void on_pushButton_AboutQt_clicked();
    void on_pushButton_ThirdPartySource_clicked();
    void on_pushButton_HelpDocment_clicked();

private:
    Ui::AboutTab *ui;
    // Without parent, so that they are windows of their own; deleted here.
    ThirdPartySource *thirdPartySource = nullptr;
    HelpDocument *helpDocument = nullptr;
};
