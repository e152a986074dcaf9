#pragma once

#include "appearance.h"

#include <QPointer>

#include <functional>
#include <optional>
#include <type_traits>

// Every window of the configurator is a single object, created hidden the
// first time anything of it is used and kept for the life of the process.
// Windows reach one another only through here, so that none is ever made twice.
namespace Forms {

namespace detail {
void rememberUnloader(std::function<void()> unloader);
void rememberReset(std::function<void()> reset);

template <class W>
QPointer<W> &slot()
{
    static QPointer<W> window;
    return window;
}
} // namespace detail

// Whether a window's captions are fitted to their controls as it is built
// (Appearance::fitCaptions). A window whose captions its start still changes
// specializes this as false and fits them itself.
template <class W>
struct FitsWhenBuilt : std::true_type
{
};

// The window of class W, created (hidden) on first use.
template <class W>
W *get()
{
    QPointer<W> &window = detail::slot<W>();
    if (!window) {
        static const bool registered = (detail::rememberUnloader([] { delete detail::slot<W>().data(); }), true);
        Q_UNUSED(registered)
        window = new W;
        if constexpr (FitsWhenBuilt<W>::value)
            Appearance::fitCaptions(window);
    }
    return window.data();
}

template <class W>
bool exists()
{
    return !detail::slot<W>().isNull();
}

// What the windows share besides their controls (the settings, the language's
// texts): one T per process, made on first use and dropped with the windows.
template <class T>
T &shared()
{
    static std::optional<T> value;
    if (!value) {
        static const bool registered = (detail::rememberReset([] { value.reset(); }), true);
        Q_UNUSED(registered)
        value.emplace();
    }
    return *value;
}

// Drops the window; its next use creates it afresh. Safe to call from the
// window's own event handlers.
template <class W>
void unload()
{
    QPointer<W> &window = detail::slot<W>();
    if (W *w = window.data()) {
        window.clear();
        w->hide();
        w->deleteLater();
    }
}

// Deletes every window at once, and then what they share, as the end of the
// process would.
void unloadAll();

} // namespace Forms
