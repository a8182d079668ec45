#include "vault/logoutcountdown.h"

LogoutCountdown::Action LogoutCountdown::tick(bool reencryptIdle, bool loggedIn)
{
    // A logout now would clear the credentials the worker is re-encrypting with.
    if (!reencryptIdle)
        return Frozen;
    --countdown;
    if (countdown >= limitSeconds - 10)
        return Calm;
    if (countdown > 0)
        return Warn;
    if (countdown == 0 && loggedIn) {
        reset();
        return Logout;
    }
    return None;
}
