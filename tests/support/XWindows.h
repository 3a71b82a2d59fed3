#pragma once
// A few X calls for tests that drive the real program under Xvfb: find its
// window, ask it to close as a window manager does, see who has the focus.
// Only for programs linked with xcb (KODRIX_HAVE_XCB).
#include <QByteArray>
#include <QString>

#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace testsupport {

class XConnection {
public:
    // A display busy with other tests' windows may refuse a connection for a
    // moment; a few tries over two seconds keep that from failing a test.
    XConnection()
    {
        for (int attempt = 0; attempt < 20; ++attempt) {
            m_c = xcb_connect(nullptr, nullptr);
            if (!xcb_connection_has_error(m_c))
                return;
            xcb_disconnect(m_c);
            m_c = nullptr;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    ~XConnection() { xcb_disconnect(m_c); }
    bool ok() const { return m_c && !xcb_connection_has_error(m_c); }
    xcb_connection_t* get() const { return m_c; }

    xcb_atom_t atom(const char* name) const
    {
        auto cookie = xcb_intern_atom(m_c, 0, uint16_t(strlen(name)), name);
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> r(xcb_intern_atom_reply(m_c, cookie, nullptr),
                                                                         &std::free);
        return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    QByteArray property(xcb_window_t w, xcb_atom_t prop, xcb_atom_t type) const
    {
        auto cookie = xcb_get_property(m_c, 0, w, prop, type, 0, 1024);
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> r(
            xcb_get_property_reply(m_c, cookie, nullptr), &std::free);
        if (!r)
            return {};
        return QByteArray(static_cast<const char*>(xcb_get_property_value(r.get())),
                          xcb_get_property_value_length(r.get()));
    }

    // The mapped top-level window of process pid whose title is `title`, or 0.
    xcb_window_t findWindow(qint64 pid, const QString& title) const
    {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
            xcb_query_tree_reply(m_c, xcb_query_tree(m_c, root), nullptr), &std::free);
        if (!tree)
            return 0;
        const xcb_atom_t pidAtom = atom("_NET_WM_PID");
        const xcb_atom_t nameAtom = atom("_NET_WM_NAME");
        const xcb_atom_t utf8 = atom("UTF8_STRING");
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
            const QByteArray p = property(children[i], pidAtom, XCB_ATOM_CARDINAL);
            if (p.size() != 4 || *reinterpret_cast<const quint32*>(p.constData()) != quint32(pid))
                continue;
            if (QString::fromUtf8(property(children[i], nameAtom, utf8)) == title)
                return children[i];
        }
        return 0;
    }

    // The window that has the keyboard focus (0 when none).
    xcb_window_t focus() const
    {
        std::unique_ptr<xcb_get_input_focus_reply_t, decltype(&std::free)> r(
            xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr), &std::free);
        return r ? r->focus : 0;
    }
    void sendDeleteWindow(xcb_window_t w) const
    {
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = w;
        ev.type = atom("WM_PROTOCOLS");
        ev.data.data32[0] = atom("WM_DELETE_WINDOW");
        ev.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(m_c, 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&ev));
        xcb_flush(m_c);
    }

private:
    xcb_connection_t* m_c = nullptr;
};

}  // namespace testsupport
