#include "FakeCentral.h"

#include <functional>
#include <memory>
#include <set>
#include <utility>

#include "base/SerialQueue.h"

namespace linktest {

using chairlink::BleCentralEvents;
using chairlink::ManagerState;

namespace {
constexpr const char* kService = "FFE0";
constexpr const char* kNotify = "FFE1";
constexpr const char* kWrite = "FFE2";

// Outlives the central, so an event still queued when the client released it finds it stopped.
struct Gate {
    std::mutex mutex;  // also guards the central's own state
    bool stopped = false;
    BleCentralEvents* events = nullptr;
    std::shared_ptr<base::SerialQueue> queue;
};
}  // namespace

// Events go out as tasks on the client's queue; after stop() none reaches the listener.
class FakeCentral final : public chairlink::BleCentral {
public:
    explicit FakeCentral(FakeRadio& radio) : radio_(radio) {}
    ~FakeCentral() override {
        {
            std::lock_guard lock(radio_.newestMutex_);
            if (radio_.newest_ == this) radio_.newest_ = nullptr;
        }
        stop();
    }

    void start(BleCentralEvents& events, std::shared_ptr<base::SerialQueue> queue) override {
        locked([&] {
            gate_->events = &events;
            gate_->queue = std::move(queue);
        });
        post([](BleCentralEvents& e) { e.centralStateChanged(ManagerState::PoweredOn); });
    }
    void stop() override {
        auto queue = locked([&] {
            gate_->stopped = true;
            return gate_->queue;
        });
        // Wait out an event being delivered right now.
        if (queue && !queue->isCurrent()) queue->sync([] {});
    }
    ManagerState state() const override { return ManagerState::PoweredOn; }

    void scan(const std::string& service, bool) override {
        if (service != kService) return;
        // Duplicates are allowed: every advertiser is heard a second time.
        const auto heard = radio_.locked([&] { return radio_.peripherals_; });
        for (int pass = 0; pass < 2; ++pass) {
            for (const auto& p : heard) {
                post([p](BleCentralEvents& e) { e.didDiscover(p.id, p.name, p.rssi); });
            }
        }
    }
    void stopScan() override {}

    void connect(const PeripheralId& id) override {
        radio_.locked([&] { radio_.connects_.push_back(id); });
        auto p = find(id);
        if (!p) return;
        if (p->refuseConnection) {
            post([id](BleCentralEvents& e) { e.didFailToConnect(id, "Connection refused"); });
        } else if (radio_.holdConnections) {
            locked([&] { heldConnection_ = id; });
        } else {
            completeConnection(id);
        }
    }
    void cancelConnection(const PeripheralId& id) override {
        const bool wasConnected = locked([&] {
            if (connected_ != id) return false;
            connected_.reset();
            notifying_ = false;
            return true;
        });
        if (wasConnected) post([id](BleCentralEvents& e) { e.didDisconnect(id, std::nullopt); });
    }
    bool isConnected(const PeripheralId& id) const override { return connected() == id; }

    void discoverServices(const PeripheralId& id, const std::vector<std::string>&) override {
        auto p = find(id);
        if (!p) return;
        if (!p->serviceError) locked([&] { servicesFound_ = true; });
        post([id, error = p->serviceError](BleCentralEvents& e) {
            e.didDiscoverServices(id, error);
        });
    }
    void discoverCharacteristics(const PeripheralId& id, const std::string& service,
                                 const std::vector<std::string>& characteristics) override {
        auto p = find(id);
        if (!p) return;
        // What an answer found becomes visible only when that answer is delivered.
        post([this, id, service, characteristics, error = p->characteristicError](auto& e) {
            if (!error)
                locked([&] { found_.insert(characteristics.begin(), characteristics.end()); });
            e.didDiscoverCharacteristics(id, service, error);
        });
    }
    std::optional<std::vector<chairlink::BleServiceInfo>> services(
        const PeripheralId& id) const override {
        return locked([&]() -> std::optional<std::vector<chairlink::BleServiceInfo>> {
            if (!servicesFound_ || connected_ != id) return std::nullopt;
            chairlink::BleServiceInfo service{kService, {}};
            for (const auto& uuid : found_) {
                service.characteristics.push_back({uuid, uuid == kNotify && notifying_});
            }
            return std::vector{service};
        });
    }
    void setNotify(const PeripheralId& id, const std::string&, const std::string& characteristic,
                   bool enabled) override {
        if (characteristic != kNotify || connected() != id) return;
        locked([&] { notifying_ = enabled; });
        post([id, characteristic, enabled](BleCentralEvents& e) {
            e.didUpdateNotificationState(id, characteristic, enabled, std::nullopt);
        });
    }
    void writeWithoutResponse(const PeripheralId& id, const std::string&,
                              const std::string& characteristic, const Bytes& value) override {
        // Recorded even where the stack ignores it, so a write over a link that ended shows.
        if (characteristic == kWrite) radio_.locked([&] { radio_.writes_.push_back(value); });
        if (!locked([&] { return connected_ == id && found_.count(characteristic); })) return;
        if (radio_.writeLimit > 0 && value.size() > radio_.writeLimit) {
            post([id](BleCentralEvents& e) {
                e.didFailToWriteWithoutResponse(id, "Failed to initiate write");
            });
        } else if (radio_.withholdWriteReports) {
            locked([&] { ++withheldReports_; });
        } else {
            reportWriteTaken(id);
        }
    }

    std::optional<std::size_t> maximumWriteLength(const PeripheralId& id) const override {
        if (!radio_.tellsWriteLimit || connected() != id) return std::nullopt;
        return radio_.writeLimit.load();
    }

private:
    friend class FakeRadio;  // its drivers
    template <typename F>
    auto locked(F f) const -> decltype(f()) {
        std::lock_guard lock(gate_->mutex);
        return f();
    }
    void post(std::function<void(BleCentralEvents&)> event) {
        auto queue = locked([&] { return gate_->stopped ? nullptr : gate_->queue; });
        if (!queue) return;
        queue->async([gate = gate_, event = std::move(event)] {
            auto* events = [&] {
                std::lock_guard lock(gate->mutex);
                return gate->stopped ? nullptr : gate->events;
            }();
            if (events) event(*events);
        });
    }
    void completeConnection(const PeripheralId& id) {
        locked([&] { connected_ = id; });
        post([id](BleCentralEvents& e) { e.didConnect(id); });
    }
    void reportWriteTaken(const PeripheralId& id) {
        post([id](BleCentralEvents& e) { e.isReadyToSendWriteWithoutResponse(id); });
    }
    std::optional<PeripheralId> connected() const {
        return locked([&] { return connected_; });
    }
    std::optional<FakePeripheral> find(const PeripheralId& id) const {
        return radio_.locked([&]() -> std::optional<FakePeripheral> {
            for (const auto& p : radio_.peripherals_) {
                if (p.id == id) return p;
            }
            return std::nullopt;
        });
    }

    FakeRadio& radio_;
    const std::shared_ptr<Gate> gate_ = std::make_shared<Gate>();
    std::optional<PeripheralId> connected_;
    std::optional<PeripheralId> heldConnection_;
    bool servicesFound_ = false;
    bool notifying_ = false;
    int withheldReports_ = 0;
    std::set<std::string> found_;
};

chairlink::BleCentralFactory FakeRadio::factory() {
    return [this]() -> std::unique_ptr<chairlink::BleCentral> {
        auto central = std::make_unique<FakeCentral>(*this);
        std::lock_guard lock(newestMutex_);
        newest_ = central.get();
        ++made_;
        return central;
    };
}

// The drivers act on the newest central, holding newestMutex_ so that it cannot go away.
template <typename Drive>
void FakeRadio::driveNewest(Drive drive) {
    std::lock_guard lock(newestMutex_);
    if (newest_) drive(*newest_);
}
void FakeRadio::releaseConnection() {
    driveNewest([](FakeCentral& c) {
        if (auto id = c.locked([&] { return std::exchange(c.heldConnection_, std::nullopt); }))
            c.completeConnection(*id);
    });
}
void FakeRadio::notify(const Bytes& value) {
    driveNewest([&](FakeCentral& c) {
        if (auto id = c.locked([&] { return c.notifying_ ? c.connected_ : std::nullopt; }))
            c.post(
                [id = *id, value](auto& e) { e.didUpdateValue(id, kNotify, value, std::nullopt); });
    });
}
void FakeRadio::dropLink() {
    driveNewest([](FakeCentral& c) {
        if (auto id = c.connected()) c.cancelConnection(*id);
    });
}
void FakeRadio::releaseWriteReports() {
    driveNewest([](FakeCentral& c) {
        const auto id = c.connected();
        int reports = c.locked([&] { return std::exchange(c.withheldReports_, 0); });
        while (id && reports-- > 0) c.reportWriteTaken(*id);
    });
}

}  // namespace linktest
