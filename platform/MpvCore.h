#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>

#include <QHash>
#include <QString>

#include "platform/MpvLibrary.h"

// One libmpv core, every call to it made through the library it was opened from.
class MpvCore {
  public:
    // Creates a core, lets configure set its options, and starts it; nullptr when libmpv
    // refuses either step.
    template <typename Configure>
    static std::unique_ptr<MpvCore> Start(const MpvLibrary& api, Configure configure) {
        std::unique_ptr<MpvCore> core = create(api);
        if (!core)
            return nullptr;
        configure(*core);
        return core->initialize() ? std::move(core) : nullptr;
    }
    // Stops the wakeup calls first, then ends the core and its threads.
    ~MpvCore();
    MpvCore(const MpvCore&) = delete;
    MpvCore& operator=(const MpvCore&) = delete;

    const MpvLibrary& Api() const { return api_; }
    mpv_handle* Handle() const { return handle_.get(); }

    void SetOption(const char* name, const char* value);
    void Observe(std::uint64_t id, const char* name, mpv_format format);
    void Command(std::initializer_list<const char*> args);
    void SetFlag(const char* name, bool value);
    void SetDouble(const char* name, double value);
    // The property's value, or the fallback when it has none now.
    bool Flag(const char* name, bool fallback = false) const;
    double Double(const char* name, double fallback) const;
    std::int64_t Int(const char* name, std::int64_t fallback) const;
    // The id of the entry at this place of libmpv's playlist, -1 when there is none.
    std::int64_t EntryId(std::int64_t index) const;
    // The current file's tags, by lower-case key.
    QHash<QString, QString> Tags() const;

    // wakeup(context) is called on a libmpv thread whenever events wait; nullptr stops it.
    void SetWakeup(void (*wakeup)(void*), void* context);
    // The next waiting event, nullptr when none waits.
    const mpv_event* NextEvent();

  private:
    struct Deleter {
        const MpvLibrary* api;
        void operator()(mpv_handle* handle) const { api->terminate_destroy(handle); }
    };
    MpvCore(const MpvLibrary& api, mpv_handle* handle) : api_(api), handle_(handle, {&api}) {}
    static std::unique_ptr<MpvCore> create(const MpvLibrary& api);
    bool initialize();

    const MpvLibrary& api_;
    std::unique_ptr<mpv_handle, Deleter> handle_;
};
