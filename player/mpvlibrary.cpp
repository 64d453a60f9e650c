#include "player/mpvlibrary.h"
#include "platform/logcategories.h"

#include <QDebug>
#include <QLibrary>

namespace {
template <typename Function> bool resolve(QLibrary& library, const char* name, Function* function)
{
    *function = reinterpret_cast<Function>(library.resolve(name));
    if (!*function)
        qCDebug(lcPlayer) << "libmpv lacks" << name;
    return *function != nullptr;
}

MpvLibrary* load()
{
    // The soname follows the client API's major version (libmpv.so.2 for API 2.x).
    QLibrary library(QStringLiteral("mpv"), MPV_CLIENT_API_VERSION >> 16);
    if (!library.load()) {
        qCDebug(lcPlayer) << "libmpv could not be loaded:" << library.errorString();
        return nullptr;
    }
    static MpvLibrary api;
    const bool complete =
        resolve(library, "mpv_create", &api.create) && resolve(library, "mpv_initialize", &api.initialize) &&
        resolve(library, "mpv_terminate_destroy", &api.terminate_destroy) &&
        resolve(library, "mpv_set_option_string", &api.set_option_string) &&
        resolve(library, "mpv_error_string", &api.error_string) &&
        resolve(library, "mpv_request_log_messages", &api.request_log_messages) &&
        resolve(library, "mpv_observe_property", &api.observe_property) &&
        resolve(library, "mpv_set_wakeup_callback", &api.set_wakeup_callback) &&
        resolve(library, "mpv_set_property", &api.set_property) &&
        resolve(library, "mpv_set_property_async", &api.set_property_async) &&
        resolve(library, "mpv_get_property", &api.get_property) &&
        resolve(library, "mpv_command", &api.command) &&
        resolve(library, "mpv_command_async", &api.command_async) &&
        resolve(library, "mpv_wait_event", &api.wait_event) &&
        resolve(library, "mpv_render_context_create", &api.render_context_create) &&
        resolve(library, "mpv_render_context_free", &api.render_context_free) &&
        resolve(library, "mpv_render_context_set_update_callback", &api.render_context_set_update_callback) &&
        resolve(library, "mpv_render_context_update", &api.render_context_update) &&
        resolve(library, "mpv_render_context_render", &api.render_context_render);
    return complete ? &api : nullptr;
}
} // namespace

const MpvLibrary* MpvLibrary::get()
{
    static const MpvLibrary* const api = load();
    return api;
}
