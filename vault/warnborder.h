#pragma once

#include <QString>

// The red frame of the main window while the vault is open: solid, or fading in and out in steps of
// five percent while the logout warning runs (one full fade in and out every 40 steps).
class WarnBorder
{
public:
    // Pixels; the window keeps this much room around its contents so that the frame covers none of them.
    static constexpr int Width = 4;

    static QString solid();
    // The style sheet of the next step of the blinking.
    QString step();
    int alpha() const { return alphaPercent; }

private:
    int alphaPercent = 0;
    bool rising = true;
};
