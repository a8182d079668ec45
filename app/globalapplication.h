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
};
