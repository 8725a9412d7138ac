#pragma once

#include <memory>

#include <QObject>
#include <QPointer>

#include "platform/MpvCore.h"

class VideoSurface;

// The picture of a core, rendered in software on the GUI thread into the surface, whenever
// libmpv says a new frame is ready. It renders even while nobody shows the surface, so a file
// loaded while the window is hidden still has its picture.
class MpvRenderer : public QObject {
    Q_OBJECT
  public:
    // nullptr when libmpv cannot make the render context.
    static std::unique_ptr<MpvRenderer> Create(MpvCore& core);
    // Stops the frame calls, then frees the context; goes before its core.
    ~MpvRenderer() override;

    void SetSurface(VideoSurface* surface);

  private:
    struct Deleter {
        const MpvLibrary* api;
        void operator()(mpv_render_context* context) const { api->render_context_free(context); }
    };
    MpvRenderer(const MpvLibrary& api, mpv_render_context* context);
    void renderFrame();

    const MpvLibrary& api_;
    std::unique_ptr<mpv_render_context, Deleter> context_;
    QPointer<VideoSurface> surface_;  // owned by the video window once placed there
};
