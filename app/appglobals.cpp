#include "app/appglobals.h"

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
