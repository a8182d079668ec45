#include "vault/warnborder.h"

QString WarnBorder::solid()
{
    return QStringLiteral("#MainWindow{border:4px solid #ff0000;}");
}

QString WarnBorder::step()
{
    if (alphaPercent == 100)
        rising = false;
    else if (alphaPercent == 0)
        rising = true;
    const QString style = QStringLiteral("#MainWindow{border:4px solid rgba(255,0,0,%1);}").arg(alphaPercent / 100.0);
    alphaPercent += rising ? 5 : -5;
    return style;
}
