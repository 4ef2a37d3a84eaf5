#include "platform/LockKeys.h"

#include <QGuiApplication>

#if TORVAN_HAVE_XKB
// After Qt's headers: Xlib's macros would clash with Qt's names.
#include <X11/XKBlib.h>
#endif

namespace {
#if TORVAN_HAVE_XKB
// The indicator names a keyboard map gives its lock keys.
constexpr const char* kCapsIndicator = "Caps Lock";
constexpr const char* kNumIndicator = "Num Lock";
constexpr const char* kScrollIndicator = "Scroll Lock";

bool IndicatorOn(Display* pDisplay, const char* name) {
    Bool bOn = False;
    const Atom indicator = XInternAtom(pDisplay, name, False);
    return XkbGetNamedIndicator(pDisplay, indicator, nullptr, &bOn, nullptr, nullptr) && bOn;
}

Display* X11Display() {
    auto* pX11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return pX11 != nullptr ? pX11->display() : nullptr;
}
#endif
}  // namespace

std::optional<LockKeyState> ReadLockKeys() {
#if TORVAN_HAVE_XKB
    Display* pDisplay = X11Display();
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    if (pDisplay == nullptr || !XkbQueryExtension(pDisplay, nullptr, nullptr, nullptr, &major, &minor))
        return std::nullopt;
    LockKeyState state;
    state.bCaps = IndicatorOn(pDisplay, kCapsIndicator);
    state.bNum = IndicatorOn(pDisplay, kNumIndicator);
    state.bScroll = IndicatorOn(pDisplay, kScrollIndicator);
    return state;
#else
    return std::nullopt;
#endif
}
