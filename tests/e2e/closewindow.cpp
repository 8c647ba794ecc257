// Asks a window to close, as a window manager's close button does: the
// WM_DELETE_WINDOW message of the ICCCM.  usage: closewindow WINDOW_ID
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char **argv) {
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (argc != 2 || xcb_connection_has_error(c)) {
        return 2;
    }
    auto atom = [c](const char *name) {
        xcb_intern_atom_reply_t *reply =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return atom;
    };
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, event.window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(c);
    xcb_disconnect(c);
    return 0;
}
