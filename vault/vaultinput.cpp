#include "vault/vaultinput.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QRegExpValidator>

namespace {

// U+4E00 to U+9FA5, the common Chinese characters.
const QString Chinese = QStringLiteral("\\x4e00-\\x9fa5");

} // namespace

QRegExp VaultInput::userNamePattern()
{
    return QRegExp(QStringLiteral("[0-9a-zA-Z%1]{4,16}|[%1]{2,16}").arg(Chinese), Qt::CaseSensitive);
}

QRegExp VaultInput::keyPattern()
{
    return QRegExp(QStringLiteral("[0-9a-zA-Z!@#$%^&*_.?%1]{8,24}|[%1]{4,24}").arg(Chinese), Qt::CaseSensitive);
}

QString VaultInput::userNameInvalidTitle()
{
    return tr("用户名无效");
}

QString VaultInput::userNameFormatText()
{
    return tr("格式:\n中文: 2~16位\n中文+字母+数字: 4~16位任意组合\n\n说明:\n字母/数字都是半角");
}

QString VaultInput::keyInvalidTitle()
{
    return tr("密钥无效");
}

QString VaultInput::keyFormatText()
{
    return tr("格式:\n中文: 4~24位\n中文+字母+数字+符号: 8~24位任意组合\n\n说明:\n可用符号: "
              "!@#$%^&*_.?\n字母/数字/符号都是半角\n启用显示密码后可输入中文");
}

QString VaultInput::keysDifferTitle()
{
    return tr("密钥不一致");
}

QString VaultInput::keysDifferText()
{
    return tr("两次输入的密钥不一致！");
}

void VaultInput::installUserNameValidator(QLineEdit *edit)
{
    edit->setValidator(new QRegExpValidator(userNamePattern(), edit));
}

void VaultInput::installKeyValidator(QLineEdit *edit)
{
    edit->setValidator(new QRegExpValidator(keyPattern(), edit));
}

void VaultInput::installSettingValidator(QLineEdit *edit)
{
    edit->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("[0-9]{1,3}")), edit));
}

int VaultInput::settingValue(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : -1;
}

bool VaultInput::limitOnePageValid(int rows)
{
    return rows >= 0 && rows <= MaxLimitOnePage;
}

bool VaultInput::logoutSecondsValid(int seconds)
{
    return seconds == 0 || (seconds >= MinLogoutSeconds && seconds <= MaxLogoutSeconds);
}
