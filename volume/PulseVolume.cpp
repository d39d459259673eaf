#include "volume/PulseVolume.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "base/Log.h"
#include "base/MainThread.h"

namespace volume {

namespace {

class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* loop) : loop_(loop) {
        pa_threaded_mainloop_lock(loop_);
    }
    ~LoopLock() { pa_threaded_mainloop_unlock(loop_); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    pa_threaded_mainloop* loop_;
};

void drop(pa_operation* operation) {
    if (operation) pa_operation_unref(operation);
}

}  // namespace

// What the main thread knows of the server; only the main thread touches it.
struct PulseVolume::Mirror {
    State state = State::Connecting;
    tk::InProcessVolume local;
    float served = 0.0f;
    std::string sinkName;
    // Reports that arrive while our own writes are unanswered are older than those writes:
    // the server answers one connection's requests in order.
    int writesInFlight = 0;
};

// Everything libpulse's thread works with. Its callbacks run there with the loop's lock
// held; the main thread touches the fields only while holding that lock.
struct PulseVolume::Connection {
    Connection(base::MainThread& mainThread, std::weak_ptr<Mirror> mainSide)
        : main(mainThread), mirror(std::move(mainSide)) {}

    base::MainThread& main;
    std::weak_ptr<Mirror> mirror;
    pa_threaded_mainloop* loop = nullptr;
    pa_context* context = nullptr;
    std::string sinkName;
    std::uint32_t sinkIndex = PA_INVALID_INDEX;
    std::uint8_t channels = 0;

    // Runs `apply` on the main thread, unless the volume is gone by then.
    template <typename Apply>
    void toMain(Apply apply) {
        main.post([weak = mirror, apply = std::move(apply)]() mutable {
            if (auto alive = weak.lock()) apply(*alive);
        });
    }

    static Connection& of(void* userdata) { return *static_cast<Connection*>(userdata); }

    static void stateChanged(pa_context* context, void* userdata) {
        Connection& link = of(userdata);
        switch (pa_context_get_state(context)) {
            case PA_CONTEXT_READY:
                pa_context_set_subscribe_callback(context, &Connection::serverEvent, userdata);
                drop(pa_context_subscribe(
                    context,
                    pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SERVER),
                    nullptr, nullptr));
                drop(pa_context_get_server_info(context, &Connection::serverInfo, userdata));
                break;
            case PA_CONTEXT_FAILED:
            case PA_CONTEXT_TERMINATED: {
                link.lost(pa_strerror(pa_context_errno(context)));
                break;
            }
            default:
                break;
        }
    }

    // Tells the main side that the server is gone; it then counts as absent.
    void lost(const std::string& why) {
        main.post([weak = mirror, why] {
            if (auto alive = weak.lock()) lostOnMain(*alive, why);
        });
    }

    static void lostOnMain(Mirror& mirror, const std::string& why) {
        if (mirror.state == State::Absent) return;
        const bool wasServed = mirror.state == State::Served;
        if (wasServed) mirror.local.setVolume(mirror.served);
        mirror.state = State::Absent;
        base::log(
            wasServed
                ? "The sound server went away (" + why + "); the media volume stays inside the app"
                : "No sound server answers (" + why + "); the media volume stays inside the app");
    }

    static void serverEvent(pa_context* context, pa_subscription_event_type_t type,
                            std::uint32_t index, void* userdata) {
        Connection& link = of(userdata);
        const auto facility = type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
        if (facility == PA_SUBSCRIPTION_EVENT_SERVER) {
            // The default sink may have changed.
            drop(pa_context_get_server_info(context, &Connection::serverInfo, userdata));
        } else if (facility == PA_SUBSCRIPTION_EVENT_SINK && index == link.sinkIndex &&
                   (type & PA_SUBSCRIPTION_EVENT_TYPE_MASK) == PA_SUBSCRIPTION_EVENT_CHANGE) {
            link.requestSink();
        }
    }

    static void serverInfo(pa_context*, const pa_server_info* info, void* userdata) {
        Connection& link = of(userdata);
        const std::string name = info && info->default_sink_name ? info->default_sink_name : "";
        if (name == link.sinkName) return;
        link.sinkName = name;
        link.sinkIndex = PA_INVALID_INDEX;
        link.requestSink();
    }

    void requestSink() {
        if (sinkName.empty()) return;
        drop(pa_context_get_sink_info_by_name(context, sinkName.c_str(), &Connection::sinkInfo,
                                              this));
    }

    static void sinkInfo(pa_context*, const pa_sink_info* info, int last, void* userdata) {
        Connection& link = of(userdata);
        // An answer about a sink that is no longer the default one is old news.
        if (last != 0 || !info || !info->name || link.sinkName != info->name) return;
        link.sinkIndex = info->index;
        link.channels = info->volume.channels;
        const float value = fromPulse(pa_cvolume_max(&info->volume));
        link.toMain([value, name = link.sinkName](Mirror& mirror) {
            if (mirror.state == State::Absent) return;
            if (mirror.state == State::Connecting) {
                mirror.state = State::Served;
                base::log("Media volume: the sound server's default sink " + name);
            } else if (mirror.writesInFlight > 0) {
                return;
            }
            mirror.served = value;
            mirror.sinkName = name;
        });
    }

    static void written(pa_context* context, int /*success*/, void* userdata) {
        Connection& link = of(userdata);
        link.toMain([](Mirror& mirror) {
            if (mirror.writesInFlight > 0) --mirror.writesInFlight;
        });
        // Reports that came in meanwhile were dropped, and a refused write (the sink just
        // went, say) changed nothing: ask again, the answer comes after this one.
        if (pa_context_get_state(context) == PA_CONTEXT_READY) link.requestSink();
    }
};

PulseVolume::PulseVolume(base::MainThread& mainThread, base::Clock& clock, Options options)
    : clock_(clock), mirror_(std::make_shared<Mirror>()) {
    mirror_->local.setVolume(options.inProcessStart);
    connection_ = std::make_unique<Connection>(mainThread, mirror_);
    Connection& link = *connection_;
    link.loop = pa_threaded_mainloop_new();
    if (!link.loop) {
        Connection::lostOnMain(*mirror_, "libpulse cannot start its loop");
        return;
    }
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Massage chair remote");
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ID, "com.vornalex.massageremote");
    link.context = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(link.loop),
                                                "Massage chair remote", properties);
    pa_proplist_free(properties);
    if (!link.context) {
        Connection::lostOnMain(*mirror_, "libpulse cannot make a context");
        return;
    }
    pa_context_set_state_callback(link.context, &Connection::stateChanged, &link);
    // Never start a server of our own: none running means none there.
    if (pa_context_connect(link.context, options.server.empty() ? nullptr : options.server.c_str(),
                           PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        Connection::lostOnMain(*mirror_, pa_strerror(pa_context_errno(link.context)));
        disconnect();
        return;
    }
    if (pa_threaded_mainloop_start(link.loop) < 0) {
        Connection::lostOnMain(*mirror_, "libpulse cannot start its thread");
        disconnect();
        return;
    }
    std::weak_ptr<Mirror> weak = mirror_;
    answerDeadline_ =
        clock_.callAfter(options.answerWithin, [this, weak, seconds = options.answerWithin] {
            // The mirror lives exactly as long as this object, and both on the main thread.
            auto alive = weak.lock();
            if (!alive || alive->state != State::Connecting) return;
            char within[32];
            std::snprintf(within, sizeof within, "nothing within %g s", seconds);
            giveUp(within);
        });
}

PulseVolume::~PulseVolume() {
    mirror_.reset();
    if (answerDeadline_) clock_.cancel(answerDeadline_);
    disconnect();
    if (connection_->loop) {
        pa_threaded_mainloop_stop(connection_->loop);
        pa_threaded_mainloop_free(connection_->loop);
    }
}

void PulseVolume::giveUp(const std::string& why) {
    Connection::lostOnMain(*mirror_, why);
    disconnect();
}

void PulseVolume::disconnect() {
    Connection& link = *connection_;
    if (!link.context) return;
    auto off = [&link] {
        pa_context_set_state_callback(link.context, nullptr, nullptr);
        pa_context_set_subscribe_callback(link.context, nullptr, nullptr);
        pa_context_disconnect(link.context);
        pa_context_unref(link.context);
        link.context = nullptr;
    };
    if (link.loop) {
        LoopLock lock(link.loop);
        off();
    } else {
        off();
    }
}

float PulseVolume::volume() const {
    return mirror_->state == State::Served ? mirror_->served : mirror_->local.volume();
}

void PulseVolume::setVolume(float volume) {
    Mirror& mirror = *mirror_;
    if (mirror.state != State::Served) {
        mirror.local.setVolume(volume);
        return;
    }
    mirror.served = std::max(volume, 0.0f);
    Connection& link = *connection_;
    LoopLock lock(link.loop);
    if (!link.context || pa_context_get_state(link.context) != PA_CONTEXT_READY ||
        link.sinkName.empty()) {
        return;
    }
    pa_cvolume channels;
    pa_cvolume_set(&channels, link.channels ? link.channels : 1, toPulse(mirror.served));
    if (pa_operation* write = pa_context_set_sink_volume_by_name(
            link.context, link.sinkName.c_str(), &channels, &Connection::written, &link)) {
        ++mirror.writesInFlight;
        pa_operation_unref(write);
    }
}

PulseVolume::State PulseVolume::state() const {
    return mirror_->state;
}

std::string PulseVolume::sinkName() const {
    return mirror_->sinkName;
}

std::uint32_t PulseVolume::toPulse(float volume) {
    const double limit = double(PA_VOLUME_MAX) / PA_VOLUME_NORM;
    const double clamped = std::clamp(double(volume), 0.0, limit);
    return std::uint32_t(std::lround(clamped * PA_VOLUME_NORM));
}

float PulseVolume::fromPulse(std::uint32_t volume) {
    return float(double(volume) / PA_VOLUME_NORM);
}

}  // namespace volume
