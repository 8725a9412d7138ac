#pragma once

extern "C" {
#include <libavformat/avformat.h>
}

// FFmpeg's container reader, opened at first use rather than when the program starts: with the
// codec libraries it pulls in about a hundred and thirty libraries, which would hold up the
// window for far longer than the player takes to start. Safe to use from any thread.
class AvFormatLibrary {
  public:
    // The library, or nullptr when it cannot be opened.
    static const AvFormatLibrary* Get();

    decltype(&avformat_open_input) open_input = nullptr;
    decltype(&avformat_close_input) close_input = nullptr;
    decltype(&avformat_seek_file) seek_file = nullptr;
    decltype(&av_read_frame) read_frame = nullptr;
    decltype(&avio_size) io_size = nullptr;
    decltype(&av_dict_get) dict_get = nullptr;
    decltype(&av_log_set_level) log_set_level = nullptr;
    decltype(&av_packet_alloc) packet_alloc = nullptr;
    decltype(&av_packet_free) packet_free = nullptr;
    decltype(&av_packet_unref) packet_unref = nullptr;

  private:
    bool load();
};
