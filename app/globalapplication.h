#pragma once

#include <QApplication>

// Reports user activity to the vault's inactivity logout: every press, double-click, mouse move and key
// press of the process, whoever receives it.
class GlobalApplication : public QApplication
{
    Q_OBJECT

public:
    GlobalApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    static bool isUserActivity(const QEvent *event);

    // Whether the system asked the program to end (the session manager's "die", the Dock's Quit): the
    // windows then close instead of hiding in the tray. False without a GlobalApplication.
    static bool isQuitting();

protected:
    bool event(QEvent *event) override;

private:
    bool quitting = false;
};
