#include "platform/MpvRenderer.h"

#include <QImage>
#include <QMetaObject>

#include "platform/VideoSurface.h"

std::unique_ptr<MpvRenderer> MpvRenderer::Create(MpvCore& core) {
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)},
        {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context* context = nullptr;
    if (core.Api().render_context_create(&context, core.Handle(), params) < 0)
        return nullptr;
    return std::unique_ptr<MpvRenderer>(new MpvRenderer(core.Api(), context));
}

MpvRenderer::MpvRenderer(const MpvLibrary& api, mpv_render_context* context)
    : api_(api), context_(context, {&api}) {
    // Called on a libmpv thread: only queues the rendering onto the GUI thread.
    api_.render_context_set_update_callback(
        context,
        [](void* self) {
            auto* renderer = static_cast<MpvRenderer*>(self);
            QMetaObject::invokeMethod(
                renderer, [renderer] { renderer->renderFrame(); }, Qt::QueuedConnection);
        },
        this);
}

MpvRenderer::~MpvRenderer() {
    api_.render_context_set_update_callback(context_.get(), nullptr, nullptr);
}

void MpvRenderer::SetSurface(VideoSurface* surface) {
    surface_ = surface;
}

void MpvRenderer::renderFrame() {
    if (!(api_.render_context_update(context_.get()) & MPV_RENDER_UPDATE_FRAME))
        return;
    QSize size = surface_ ? surface_->DeviceSize() : QSize();
    if (size.width() < 16 || size.height() < 16)
        size = QSize(16, 16);
    QImage frame(size, QImage::Format_RGB32);
    if (surface_)
        frame.setDevicePixelRatio(surface_->devicePixelRatioF());
    int dims[2] = {size.width(), size.height()};
    std::size_t stride = static_cast<std::size_t>(frame.bytesPerLine());
    char format[] = "bgra";  // a 32-bit pixel here, with the opaque alpha the image needs
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, dims},
                                 {MPV_RENDER_PARAM_SW_FORMAT, format},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, frame.bits()},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (api_.render_context_render(context_.get(), params) >= 0 && surface_)
        surface_->SetFrame(std::move(frame));
}
