#include "platform/MpvCore.h"

#include <QByteArray>
#include <clocale>
#include <vector>

std::unique_ptr<MpvCore> MpvCore::create(const MpvLibrary& api) {
    // libmpv refuses to start under any numeric locale but "C".
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle* handle = api.create();
    if (!handle)
        return nullptr;
    return std::unique_ptr<MpvCore>(new MpvCore(api, handle));
}

bool MpvCore::initialize() {
    return api_.initialize(handle_.get()) >= 0;
}

MpvCore::~MpvCore() {
    SetWakeup(nullptr, nullptr);
}

void MpvCore::SetOption(const char* name, const char* value) {
    api_.set_option_string(handle_.get(), name, value);
}

void MpvCore::Observe(std::uint64_t id, const char* name, mpv_format format) {
    api_.observe_property(handle_.get(), id, name, format);
}

void MpvCore::Command(std::initializer_list<const char*> args) {
    std::vector<const char*> list(args);
    list.push_back(nullptr);
    api_.command(handle_.get(), list.data());
}

void MpvCore::SetFlag(const char* name, bool value) {
    int flag = value ? 1 : 0;
    api_.set_property(handle_.get(), name, MPV_FORMAT_FLAG, &flag);
}

void MpvCore::SetDouble(const char* name, double value) {
    api_.set_property(handle_.get(), name, MPV_FORMAT_DOUBLE, &value);
}

bool MpvCore::Flag(const char* name, bool fallback) const {
    int flag = 0;
    if (api_.get_property(handle_.get(), name, MPV_FORMAT_FLAG, &flag) < 0)
        return fallback;
    return flag != 0;
}

double MpvCore::Double(const char* name, double fallback) const {
    double value = 0.0;
    if (api_.get_property(handle_.get(), name, MPV_FORMAT_DOUBLE, &value) < 0)
        return fallback;
    return value;
}

std::int64_t MpvCore::Int(const char* name, std::int64_t fallback) const {
    std::int64_t value = 0;
    if (api_.get_property(handle_.get(), name, MPV_FORMAT_INT64, &value) < 0)
        return fallback;
    return value;
}

std::int64_t MpvCore::EntryId(std::int64_t index) const {
    const QByteArray name = "playlist/" + QByteArray::number(index) + "/id";
    return Int(name.constData(), -1);
}

QHash<QString, QString> MpvCore::Tags() const {
    QHash<QString, QString> tags;
    mpv_node metadata{};
    if (api_.get_property(handle_.get(), "metadata", MPV_FORMAT_NODE, &metadata) < 0)
        return tags;
    if (metadata.format == MPV_FORMAT_NODE_MAP && metadata.u.list) {
        const mpv_node_list& list = *metadata.u.list;
        for (int i = 0; i < list.num; ++i) {
            const mpv_node& value = list.values[i];
            if (value.format == MPV_FORMAT_STRING && list.keys[i] && value.u.string)
                tags.insert(QString::fromUtf8(list.keys[i]).toLower(),
                            QString::fromUtf8(value.u.string));
        }
    }
    api_.free_node_contents(&metadata);
    return tags;
}

void MpvCore::SetWakeup(void (*wakeup)(void*), void* context) {
    api_.set_wakeup_callback(handle_.get(), wakeup, context);
}

const mpv_event* MpvCore::NextEvent() {
    const mpv_event* event = api_.wait_event(handle_.get(), 0);
    return event && event->event_id != MPV_EVENT_NONE ? event : nullptr;
}
