#pragma once

// The inactivity countdown of an open vault, one tick per second. Activity resets it; after ten quiet
// ticks the user is warned with the seconds left, and at zero the vault closes.
class LogoutCountdown
{
public:
    enum Action
    {
        Frozen, // a master account change is running: the countdown does not move
        Calm,   // active within the last ten ticks: no warning
        Warn,   // show remaining()
        Logout, // time is up; the countdown starts again from the limit
        None,   // nothing to do (not logged in, or past zero)
    };

    // Seconds of inactivity before the logout; 0 means never.
    void setLimit(int seconds) { limitSeconds = seconds; }
    int limit() const { return limitSeconds; }
    int remaining() const { return countdown; }
    void reset() { countdown = limitSeconds; }

    Action tick(bool reencryptIdle, bool loggedIn);

private:
    int limitSeconds = 60;
    int countdown = 60;
};
