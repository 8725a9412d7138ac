#include "platform/AvFormatLibrary.h"

#include <dlfcn.h>

#include <memory>
#include <mutex>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
}

namespace {
template <typename Function>
bool resolve(void* library, const char* name, Function* function) {
    *function = reinterpret_cast<Function>(dlsym(library, name));
    return *function != nullptr;
}

// The libraries of the version the headers describe, so that the structures match.
void* open(const char* name, int major) {
    const std::string soname = std::string(name) + ".so." + std::to_string(major);
    return dlopen(soname.c_str(), RTLD_NOW | RTLD_LOCAL);
}
}  // namespace

const AvFormatLibrary* AvFormatLibrary::Get() {
    static std::once_flag once;
    static std::unique_ptr<AvFormatLibrary> opened;
    std::call_once(once, [] {
        auto library = std::make_unique<AvFormatLibrary>();
        if (library->load())
            opened = std::move(library);
    });
    return opened.get();
}

bool AvFormatLibrary::load() {
    // Kept open for the life of the program, as libmpv is.
    void* format = open("libavformat", LIBAVFORMAT_VERSION_MAJOR);
    void* codec = open("libavcodec", LIBAVCODEC_VERSION_MAJOR);
    void* util = open("libavutil", LIBAVUTIL_VERSION_MAJOR);
    if (!format || !codec || !util)
        return false;
    const bool ok = resolve(format, "avformat_open_input", &open_input) &&
                    resolve(format, "avformat_close_input", &close_input) &&
                    resolve(format, "avformat_seek_file", &seek_file) &&
                    resolve(format, "av_read_frame", &read_frame) &&
                    resolve(format, "avio_size", &io_size) &&
                    resolve(util, "av_dict_get", &dict_get) &&
                    resolve(util, "av_log_set_level", &log_set_level) &&
                    resolve(codec, "av_packet_alloc", &packet_alloc) &&
                    resolve(codec, "av_packet_free", &packet_free) &&
                    resolve(codec, "av_packet_unref", &packet_unref);
    if (ok)
        log_set_level(AV_LOG_QUIET);  // a damaged file is an unknown length, not a message
    return ok;
}
