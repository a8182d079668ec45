#pragma once

#include "data/records.h"

#include <QCoreApplication>
#include <QDateTime>

// "稍后提醒": a popup put off for a while comes back as a one-shot task due then. Being a stored task,
// it survives a restart and shows on the Task tab like any other.
class Snooze
{
    Q_DECLARE_TR_FUNCTIONS(Snooze)

public:
    // The choices the popup offers, in minutes.
    static QList<int> choices();
    // "5 分钟", "1 小时".
    static QString choiceText(int minutes);
    // The task for a popup's strings (as the notice windows get them), due minutes after now, to the second.
    // A task keeps its name, icon and keep flag; a birthday becomes its name and notice text with its
    // picture, kept on screen as birthday popups are. Without a due time for another kind of popup.
    static TaskListData taskFor(int what, const QStringList &strs, int minutes, const QDateTime &now);
};
