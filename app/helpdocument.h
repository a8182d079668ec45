#pragma once

#include <QWidget>

namespace Ui {
class HelpDocument;
}
class QListWidget;

// The help window: a menu of pages on the left, the chosen page on the right. Made once by the main
// window and shown again on request, so it keeps the page the user left it on.
class HelpDocument : public QWidget
{
    Q_OBJECT

public:
    explicit HelpDocument(QWidget *parent = nullptr);
    ~HelpDocument() override;

    // Exactly as wide as the widest entry, measured in the list's font, plus room for the frame.
    static int menuWidth(const QListWidget *list);

private slots:
    void on_listWidget_Menu_currentRowChanged(int currentRow);

private:
    Ui::HelpDocument *ui;
};
