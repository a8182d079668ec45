#pragma once

#include <QString>

// The red frame of the main window while the vault is open: solid, or fading in and out in steps of
// five percent while the logout warning runs (one full fade in and out every 40 steps).
class WarnBorder
{
public:
    static QString solid();
    // The style sheet of the next step of the blinking.
    QString step();
    int alpha() const { return alphaPercent; }

private:
    int alphaPercent = 0;
    bool rising = true;
};
