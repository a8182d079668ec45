#pragma once

#include <QCoreApplication>

#include <QRegExp>
#include <QString>

class QLineEdit;

// What the vault accepts as master user name and key, and the ranges of its two settings.
class VaultInput
{
    Q_DECLARE_TR_FUNCTIONS(VaultInput)

public:
    static constexpr int MaxLimitOnePage = 100;
    static constexpr int MinLogoutSeconds = 30;
    static constexpr int MaxLogoutSeconds = 300;

    // 4 to 16 letters, digits or Chinese characters, or 2 to 16 Chinese characters.
    static QRegExp userNamePattern();
    // 8 to 24 letters, digits, Chinese characters or the symbols !@#$%^&*_.?, or 4 to 24 Chinese characters.
    static QRegExp keyPattern();
    static QString userNameInvalidTitle();
    static QString userNameFormatText();
    static QString keyInvalidTitle();
    static QString keyFormatText();
    // The key and its repetition differ.
    static QString keysDifferTitle();
    static QString keysDifferText();

    // Installs the validator of the pattern on the line edit (as its child).
    static void installUserNameValidator(QLineEdit *edit);
    static void installKeyValidator(QLineEdit *edit);

    // The two settings take digits only.
    static void installSettingValidator(QLineEdit *edit);
    // Settings typed as text; text that is no number (empty included) gives -1, which no range accepts.
    static int settingValue(const QString &text);
    static bool limitOnePageValid(int rows);
    static bool logoutSecondsValid(int seconds);
};
