// A stand-in for libmpv that answers every call as a core with nothing to play would, and
// counts what it is asked, so that a test can tell which library a control calls.
#include <mpv/client.h>
#include <mpv/render.h>

extern "C" {

struct FakeCounts {
    int created, destroyed, commands, renderersCreated, renderersFreed;
} fake_counts;

static char core, renderer;
static mpv_event none{};  // MPV_EVENT_NONE

mpv_handle* mpv_create(void) {
    ++fake_counts.created;
    return reinterpret_cast<mpv_handle*>(&core);
}
int mpv_initialize(mpv_handle* ctx) {
    return 0;
}
void mpv_terminate_destroy(mpv_handle* ctx) {
    ++fake_counts.destroyed;
}
int mpv_set_option_string(mpv_handle* ctx, const char* name, const char* data) {
    return 0;
}
int mpv_observe_property(mpv_handle* mpv, uint64_t userdata, const char* name, mpv_format format) {
    return 0;
}
void mpv_set_wakeup_callback(mpv_handle* ctx, void (*cb)(void* d), void* d) {}
int mpv_command(mpv_handle* ctx, const char** args) {
    ++fake_counts.commands;
    return 0;
}
int mpv_set_property(mpv_handle* ctx, const char* name, mpv_format format, void* data) {
    return 0;
}
int mpv_get_property(mpv_handle* ctx, const char* name, mpv_format format, void* data) {
    return MPV_ERROR_PROPERTY_UNAVAILABLE;
}
void mpv_free_node_contents(mpv_node* node) {}
mpv_event* mpv_wait_event(mpv_handle* ctx, double timeout) {
    return &none;
}
int mpv_render_context_create(mpv_render_context** res, mpv_handle* mpv, mpv_render_param* params) {
    ++fake_counts.renderersCreated;
    *res = reinterpret_cast<mpv_render_context*>(&renderer);
    return 0;
}
void mpv_render_context_set_update_callback(mpv_render_context* ctx, mpv_render_update_fn callback,
                                            void* callback_ctx) {}
uint64_t mpv_render_context_update(mpv_render_context* ctx) {
    return 0;
}
int mpv_render_context_render(mpv_render_context* ctx, mpv_render_param* params) {
    return 0;
}
void mpv_render_context_free(mpv_render_context* ctx) {
    ++fake_counts.renderersFreed;
}
}
