// The state of the Caps Lock, Num Lock and Scroll Lock keys, for the status
// bar's indicators. Known only on an X11 desktop; elsewhere all are reported
// off and Available() is false.
#pragma once

struct KeyboardLocks {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

bool KeyboardLocksAvailable();
KeyboardLocks ReadKeyboardLocks();
