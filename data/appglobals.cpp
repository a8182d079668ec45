#include "data/appglobals.h"

#include <QCoreApplication>
#include <QDir>

QString AppGlobals::softwareName = QStringLiteral("Pemmora");
QString AppGlobals::programPath;
QString AppGlobals::language = QStringLiteral("zh_CN");
QLocale AppGlobals::locale = QLocale(QLocale::Chinese, QLocale::AnyCountry);
SingleInstanceLock AppGlobals::instanceLock;
ProgramFolders AppGlobals::folders;
int AppGlobals::screenWidth = 0;
int AppGlobals::screenHeight = 0;
int AppGlobals::dpi = 96;
int AppGlobals::cycleLabelWidth = 0;
bool AppGlobals::showIconNoticeAlways = false;

QString AppGlobals::enterDataFolder(const ProgramFolders &programFolders, const QStringList &ownParts)
{
    folders = programFolders;
    const QString error = folders.prepare(ownParts);
    if (!error.isEmpty())
        return error;
    QDir::setSearchPaths(QString::fromLatin1(ProgramFolders::DeliveredPrefix), {folders.deliveredDir});
    if (!QDir::setCurrent(folders.dataDir))
        return QCoreApplication::translate("Startup", "无法打开数据文件夹：%1")
            .arg(QDir::toNativeSeparators(folders.dataDir));
    return QString();
}
