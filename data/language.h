#pragma once

#include <QString>

// The language of the interface: the one the settings file names, taken into AppGlobals with its
// locale, and the translation catalogs that go with it.
class Language
{
public:
    // The language the settings file names, "zh_CN" when none.
    static QString configured();
    // Takes the configured language and its locale into AppGlobals and installs the translators that load
    // (Qt's catalog, then the program's; a missing file leaves Chinese). Returns how many were installed.
    static int load();
};
