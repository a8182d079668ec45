#pragma once

// Whether the screen can show translucent windows. On X11 that takes a compositing manager, which owns
// the _NET_WM_CM_S<screen> selection; without one, transparent pixels show black. Windows and Wayland
// always compose. Asked anew each time, as a compositor may start or stop while the program runs.
class Translucency
{
public:
    static bool isSupported();
};
