#pragma once

#include <mpv/client.h>
#include <mpv/render.h>

// libmpv, opened when the player first needs it rather than when the program starts: it
// brings in a few hundred libraries, and loading them at start-up would hold up the window.
class MpvLibrary {
  public:
    // The library, or nullptr when it cannot be opened. Each file name is opened once.
    static const MpvLibrary* Get(const char* fileName = kDefaultName);
    static constexpr const char* kDefaultName = "libmpv.so.2";

    decltype(&mpv_create) create = nullptr;
    decltype(&mpv_initialize) initialize = nullptr;
    decltype(&mpv_terminate_destroy) terminate_destroy = nullptr;
    decltype(&mpv_set_option_string) set_option_string = nullptr;
    decltype(&mpv_observe_property) observe_property = nullptr;
    decltype(&mpv_set_wakeup_callback) set_wakeup_callback = nullptr;
    decltype(&mpv_command) command = nullptr;
    decltype(&mpv_set_property) set_property = nullptr;
    decltype(&mpv_get_property) get_property = nullptr;
    decltype(&mpv_free_node_contents) free_node_contents = nullptr;
    decltype(&mpv_wait_event) wait_event = nullptr;
    decltype(&mpv_render_context_create) render_context_create = nullptr;
    decltype(&mpv_render_context_set_update_callback) render_context_set_update_callback = nullptr;
    decltype(&mpv_render_context_update) render_context_update = nullptr;
    decltype(&mpv_render_context_render) render_context_render = nullptr;
    decltype(&mpv_render_context_free) render_context_free = nullptr;

  private:
    bool load(const char* fileName);
};
