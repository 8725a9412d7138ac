#include "platform/MpvLibrary.h"

#include <dlfcn.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace {
template <typename Function>
bool resolve(void* library, const char* name, Function* function) {
    *function = reinterpret_cast<Function>(dlsym(library, name));
    return *function != nullptr;
}
}  // namespace

const MpvLibrary* MpvLibrary::Get(const char* fileName) {
    static std::mutex guard;
    static std::map<std::string, std::unique_ptr<MpvLibrary>> opened;
    const std::lock_guard<std::mutex> lock(guard);
    auto [it, isNew] = opened.try_emplace(fileName);
    if (isNew) {
        auto library = std::make_unique<MpvLibrary>();
        if (library->load(fileName))
            it->second = std::move(library);
    }
    return it->second.get();
}

bool MpvLibrary::load(const char* fileName) {
    // Kept open for the life of the program: its threads may outlive any one control.
    void* library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!library && std::string(fileName) == kDefaultName)
        library = dlopen("libmpv.so", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return false;
    return resolve(library, "mpv_create", &create) &&
           resolve(library, "mpv_initialize", &initialize) &&
           resolve(library, "mpv_terminate_destroy", &terminate_destroy) &&
           resolve(library, "mpv_set_option_string", &set_option_string) &&
           resolve(library, "mpv_observe_property", &observe_property) &&
           resolve(library, "mpv_set_wakeup_callback", &set_wakeup_callback) &&
           resolve(library, "mpv_command", &command) &&
           resolve(library, "mpv_set_property", &set_property) &&
           resolve(library, "mpv_get_property", &get_property) &&
           resolve(library, "mpv_free_node_contents", &free_node_contents) &&
           resolve(library, "mpv_wait_event", &wait_event) &&
           resolve(library, "mpv_render_context_create", &render_context_create) &&
           resolve(library, "mpv_render_context_set_update_callback",
                   &render_context_set_update_callback) &&
           resolve(library, "mpv_render_context_update", &render_context_update) &&
           resolve(library, "mpv_render_context_render", &render_context_render) &&
           resolve(library, "mpv_render_context_free", &render_context_free);
}
