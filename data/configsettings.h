#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>

class QWidget;

// The settings file src/config/config.ini, relative to the program directory. It is never created
// with defaults: a missing key means the built-in default.
class ConfigSettings : public QSettings
{
    Q_DECLARE_TR_FUNCTIONS(ConfigSettings)

public:
    static constexpr int DefaultTaskNameCount = 24;

    ConfigSettings();

    // Writes what was set to the file; when it cannot be written, says so in a box over parent.
    bool syncOrTell(QWidget *parent);

    // Language combo index: 1 for "zh_TW", 2 for "en", otherwise 0.
    static int languageIndex(const QString &code);
    static QString languageCode(int index);
    // Suggestions for the task name, keys name0 … name23 in order, skipping absent ones.
    QStringList defaultTaskNames();
    // Empty when not configured.
    QString softwareName();
    // Stored as 1 or 0: the start-up code reads the key as an integer.
    void setShowIconNoticeAlways(bool show);
    // Seconds before a copied user name or password leaves the clipboard, 0 never (read by SecretClipboard,
    // which knows the range).
    static constexpr const char *ClipboardClearSecondsKey = "Vault/ClipboardClearSeconds";
    void setClipboardClearSeconds(int seconds);
    // Daily database backups kept, 0 none.
    int backupsKept();
    void setBackupsKept(int count);
};
