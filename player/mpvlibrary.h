#pragma once

#include <mpv/client.h>
#include <mpv/render.h>

// libmpv's calls, resolved when the first player is made. Linked, libmpv and the hundred
// libraries below it were loaded and relocated at every start of the program (0.13 s and 37 MB
// measured), for a player that only the cut dialogs use. Loaded once, never unloaded.
struct MpvLibrary final
{
    decltype(&::mpv_create) create;
    decltype(&::mpv_initialize) initialize;
    decltype(&::mpv_terminate_destroy) terminate_destroy;
    decltype(&::mpv_set_option_string) set_option_string;
    decltype(&::mpv_error_string) error_string;
    decltype(&::mpv_request_log_messages) request_log_messages;
    decltype(&::mpv_observe_property) observe_property;
    decltype(&::mpv_set_wakeup_callback) set_wakeup_callback;
    decltype(&::mpv_set_property) set_property;
    decltype(&::mpv_set_property_async) set_property_async;
    decltype(&::mpv_get_property) get_property;
    decltype(&::mpv_command) command;
    decltype(&::mpv_command_async) command_async;
    decltype(&::mpv_wait_event) wait_event;
    decltype(&::mpv_render_context_create) render_context_create;
    decltype(&::mpv_render_context_free) render_context_free;
    decltype(&::mpv_render_context_set_update_callback) render_context_set_update_callback;
    decltype(&::mpv_render_context_update) render_context_update;
    decltype(&::mpv_render_context_render) render_context_render;

    // Null when the library, or one of its calls, is missing.
    static const MpvLibrary* get();
};
