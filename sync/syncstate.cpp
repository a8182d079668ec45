#include "sync/syncstate.h"

#include "platform/safefile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QStringList KindNames = {QStringLiteral("task"), QStringLiteral("birthday"), QStringLiteral("other")};

QString timeText(const QDateTime &time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODate) : QString();
}

QDateTime timeOf(const QJsonValue &value)
{
    return QDateTime::fromString(value.toString(), Qt::ISODate).toLocalTime();
}

} // namespace

void SyncState::reset(const QString &newAccount)
{
    *this = SyncState();
    account = newAccount;
}

int SyncState::indexOfPath(const QString &path) const
{
    for (int i = 0; i < records.size(); ++i) {
        if (records.at(i).path == path)
            return i;
    }
    return -1;
}

bool SyncState::load(const QString &file)
{
    *this = SyncState();
    QFile in(file);
    if (!in.exists())
        return true;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(in.open(QIODevice::ReadOnly) ? in.readAll() : "", &error);
    const QJsonObject root = document.object();
    if (error.error != QJsonParseError::NoError || root.value(QStringLiteral("version")).toInt() != Version)
        return false;
    account = root.value(QStringLiteral("account")).toString();
    syncToken = root.value(QStringLiteral("syncToken")).toString();
    lastSuccess = timeOf(root.value(QStringLiteral("lastSuccess")));
    for (const QJsonValue &value : root.value(QStringLiteral("records")).toArray()) {
        const QJsonObject object = value.toObject();
        Record record;
        record.path = object.value(QStringLiteral("path")).toString();
        record.etag = object.value(QStringLiteral("etag")).toString();
        record.uid = object.value(QStringLiteral("uid")).toString();
        record.kind =
            static_cast<Kind>(std::max(0, KindNames.indexOf(object.value(QStringLiteral("kind")).toString())));
        record.key = object.value(QStringLiteral("key")).toString();
        record.taskId = object.value(QStringLiteral("taskId")).toInt(-1);
        record.written = object.value(QStringLiteral("written")).toString().toLatin1();
        record.changedHere = timeOf(object.value(QStringLiteral("changedHere")));
        record.summary = object.value(QStringLiteral("summary")).toString();
        record.reason = object.value(QStringLiteral("reason")).toString();
        record.reasonDetail = object.value(QStringLiteral("reasonDetail")).toString();
        records.append(record);
    }
    return true;
}

bool SyncState::save(const QString &file, QString *error) const
{
    QJsonArray list;
    for (const Record &record : records) {
        list.append(QJsonObject{
            {QStringLiteral("path"), record.path},
            {QStringLiteral("etag"), record.etag},
            {QStringLiteral("uid"), record.uid},
            {QStringLiteral("kind"), KindNames.at(record.kind)},
            {QStringLiteral("key"), record.key},
            {QStringLiteral("taskId"), record.taskId},
            {QStringLiteral("written"), QString::fromLatin1(record.written)},
            {QStringLiteral("changedHere"), timeText(record.changedHere)},
            {QStringLiteral("summary"), record.summary},
            {QStringLiteral("reason"), record.reason},
            {QStringLiteral("reasonDetail"), record.reasonDetail},
        });
    }
    const QJsonObject root{
        {QStringLiteral("version"), Version},     {QStringLiteral("account"), account},
        {QStringLiteral("syncToken"), syncToken}, {QStringLiteral("lastSuccess"), timeText(lastSuccess)},
        {QStringLiteral("records"), list},
    };
    return SafeFile::write(file, QJsonDocument(root).toJson(), error);
}
