#pragma once

#include <QWidget>

namespace Ui {
class ThirdPartySource;
}
class QTextBrowser;

// The credits window: where the program's code and its pictures come from. Made once by the main window
// and shown again on request.
class ThirdPartySource : public QWidget
{
    Q_OBJECT

public:
    explicit ThirdPartySource(QWidget *parent = nullptr);
    ~ThirdPartySource() override;

    // The width the browser's page takes when laid out in its natural proportions, frame included.
    static int fittedWidth(const QTextBrowser *browser);

private:
    Ui::ThirdPartySource *ui;
};
