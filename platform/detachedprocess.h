#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Starts a program that outlives this one (the restart, the upgrader, the program after an upgrade).
class DetachedProcess
{
    Q_DECLARE_TR_FUNCTIONS(DetachedProcess)

public:
    // False with a message naming the program and the reason when it did not start.
    static bool start(const QString &program, const QStringList &arguments, QString *error);
};
