#pragma once

#include "data/records.h"

#include <QDateTime>

class InterfacePublicData;

// What a task sends when it falls due; its time arithmetic is TaskTiming's.
namespace TaskFiring {

// Everything a due task sends, in the order the worker and the notice windows must see it: the fired
// row marked noticed, the successor of a repeating task, then the notices the switches allow.
// task carries the row's shown name and its keep-display toggle.
void fireTask(const TaskListData &task, const QDateTime &now, const NoticeConfigData &config, InterfacePublicData &hub);

} // namespace TaskFiring
