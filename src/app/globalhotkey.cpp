#include "app/globalhotkey.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

namespace app {

namespace {
constexpr uint32_t kF10 = 0xffc7;   // XK_F10
constexpr uint16_t kMods = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT;
// Caps Lock and Num Lock must not keep the key from working.
constexpr uint16_t kLockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
} // namespace

GlobalHotKey* GlobalHotKey::install(QObject* parent) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return nullptr;
    xcb_connection_t* c = x11->connection();
    const xcb_setup_t* setup = xcb_get_setup(c);
    xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
    if (!screen) return nullptr;

    // Find the key code that carries F10.
    const uint8_t first = setup->min_keycode;
    const uint8_t count = uint8_t(setup->max_keycode - setup->min_keycode + 1);
    xcb_get_keyboard_mapping_reply_t* map =
        xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, first, count), nullptr);
    if (!map) return nullptr;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
    const int per = map->keysyms_per_keycode;
    uint8_t code = 0;
    for (int i = 0; i < count * per && !code; ++i)
        if (syms[i] == kF10) code = uint8_t(first + i / per);
    free(map);
    if (!code) return nullptr;

    for (uint16_t lock : kLockVariants) {
        xcb_void_cookie_t ck = xcb_grab_key_checked(c, 1, screen->root, uint16_t(kMods | lock), code,
                                                    XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* err = xcb_request_check(c, ck)) {
            // Another program holds the key: fall back to the in-program shortcut.
            free(err);
            if (lock == 0) return nullptr;
        }
    }
    auto* g = new GlobalHotKey(parent);
    g->connection_ = c;
    g->root_ = screen->root;
    g->keycode_ = code;
    qGuiApp->installNativeEventFilter(g);
    return g;
}

GlobalHotKey::~GlobalHotKey() {
    if (!connection_) return;
    auto* c = static_cast<xcb_connection_t*>(connection_);
    for (uint16_t lock : kLockVariants) xcb_ungrab_key(c, keycode_, root_, uint16_t(kMods | lock));
    xcb_flush(c);
    if (qGuiApp) qGuiApp->removeNativeEventFilter(this);
}

bool GlobalHotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    auto* ev = static_cast<xcb_generic_event_t*>(message);
    if ((ev->response_type & ~0x80) != XCB_KEY_PRESS) return false;
    auto* kp = reinterpret_cast<xcb_key_press_event_t*>(ev);
    if (kp->detail == keycode_ && (kp->state & kMods) == kMods && kp->event == root_) {
        emit activated();
        return true;
    }
    return false;
}

} // namespace app
