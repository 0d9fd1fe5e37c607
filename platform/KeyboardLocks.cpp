#include "platform/KeyboardLocks.h"

#include <QGuiApplication>

#include <dlfcn.h>

#if __has_include(<QtGui/qguiapplication_platform.h>)
#include <QtGui/qguiapplication_platform.h>
#endif

namespace {

// The X keyboard extension's indicator query, looked up in the X library the
// X11 platform has loaded already: the program needs no X library to build.
using XkbGetIndicatorStateFn = int (*)(void* display, unsigned int deviceSpec, unsigned int* state);
constexpr unsigned int kXkbUseCoreKbd = 0x0100;

void* X11Display()
{
#if defined(QT_FEATURE_xcb) && QT_CONFIG(xcb)
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        return x11->display();
#endif
    return nullptr;
}

XkbGetIndicatorStateFn IndicatorQuery()
{
    static XkbGetIndicatorStateFn fn = [] {
        void* lib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
        if (!lib)
            lib = dlopen("libX11.so.6", RTLD_LAZY);
        return lib ? reinterpret_cast<XkbGetIndicatorStateFn>(dlsym(lib, "XkbGetIndicatorState")) : nullptr;
    }();
    return fn;
}

}  // namespace

bool KeyboardLocksAvailable()
{
    return X11Display() && IndicatorQuery();
}

KeyboardLocks ReadKeyboardLocks()
{
    KeyboardLocks locks;
    void* display = X11Display();
    XkbGetIndicatorStateFn query = display ? IndicatorQuery() : nullptr;
    if (!query)
        return locks;
    unsigned int state = 0;
    // 0 is Success.
    if (query(display, kXkbUseCoreKbd, &state) != 0)
        return locks;
    locks.caps = state & 0x1;
    locks.num = state & 0x2;
    locks.scroll = state & 0x4;
    return locks;
}
