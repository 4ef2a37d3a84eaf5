// The state of the keyboard's lock keys, where the platform tells it: on X11
// through the XKB extension's named indicators. Qt itself offers no way to
// read it.
#pragma once

#include <optional>

struct LockKeyState {
    bool bCaps = false;
    bool bNum = false;
    bool bScroll = false;
};

// Empty where the platform does not tell (headless, or not X11).
std::optional<LockKeyState> ReadLockKeys();
