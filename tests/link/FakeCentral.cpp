#include "FakeCentral.h"

#include <functional>
#include <set>
#include <utility>

namespace linktest {

using chairlink::BleCentralEvents;
using chairlink::BleCharacteristicInfo;
using chairlink::BleServiceInfo;
using chairlink::ErrorText;
using chairlink::ManagerState;

namespace {
constexpr const char* kService = "FFE0";
constexpr const char* kNotify = "FFE1";
constexpr const char* kWrite = "FFE2";
}  // namespace

// Events go out as tasks on the client's queue; after stop() none reaches the listener.
class FakeCentral final : public chairlink::BleCentral,
                          public std::enable_shared_from_this<FakeCentral> {
public:
    explicit FakeCentral(FakeRadio& radio) : radio_(radio) {}

    void start(BleCentralEvents& events, std::shared_ptr<base::SerialQueue> queue) override {
        {
            std::lock_guard lock(mutex_);
            events_ = &events;
            queue_ = std::move(queue);
        }
        post([](BleCentralEvents& e) { e.centralStateChanged(ManagerState::PoweredOn); });
    }

    void stop() override {
        std::shared_ptr<base::SerialQueue> queue;
        {
            std::lock_guard lock(mutex_);
            stopped_ = true;
            queue = queue_;
        }
        // Wait out an event being delivered right now.
        if (queue && !queue->isCurrent()) queue->sync([] {});
    }

    ManagerState state() const override { return ManagerState::PoweredOn; }

    void scan(const std::string& service, bool) override {
        if (service != kService) return;
        for (const auto& p : radio_.peripherals()) {
            post([p](BleCentralEvents& e) { e.didDiscover(p.id, p.name, p.rssi); });
        }
        // Duplicates are allowed: every advertiser is heard a second time.
        for (const auto& p : radio_.peripherals()) {
            post([p](BleCentralEvents& e) { e.didDiscover(p.id, p.name, p.rssi); });
        }
    }

    void stopScan() override {}

    void connect(const PeripheralId& id) override {
        radio_.recordConnect(id);
        auto p = find(id);
        if (!p) return;
        if (p->refuseConnection) {
            post([id](BleCentralEvents& e) { e.didFailToConnect(id, "Connection refused"); });
            return;
        }
        if (radio_.holdConnections()) {
            std::lock_guard lock(mutex_);
            heldConnection_ = id;
            return;
        }
        completeConnection(id);
    }

    void completeConnection(const PeripheralId& id) {
        {
            std::lock_guard lock(mutex_);
            connected_ = id;
        }
        post([id](BleCentralEvents& e) { e.didConnect(id); });
    }

    void releaseConnection() {
        std::optional<PeripheralId> id;
        {
            std::lock_guard lock(mutex_);
            id = std::exchange(heldConnection_, std::nullopt);
        }
        if (id) completeConnection(*id);
    }

    void cancelConnection(const PeripheralId& id) override {
        {
            std::lock_guard lock(mutex_);
            if (connected_ != id) return;
            connected_.reset();
            notifying_ = false;
        }
        post([id](BleCentralEvents& e) { e.didDisconnect(id, std::nullopt); });
    }

    bool isConnected(const PeripheralId& id) const override {
        std::lock_guard lock(mutex_);
        return connected_ == id;
    }

    void discoverServices(const PeripheralId& id, const std::vector<std::string>&) override {
        auto p = find(id);
        if (!p) return;
        ErrorText error = p->serviceError;
        if (!error) {
            std::lock_guard lock(mutex_);
            servicesFound_ = true;
        }
        post([id, error](BleCentralEvents& e) { e.didDiscoverServices(id, error); });
    }

    void discoverCharacteristics(const PeripheralId& id, const std::string& service,
                                 const std::vector<std::string>& characteristics) override {
        auto p = find(id);
        if (!p) return;
        ErrorText error = p->characteristicError;
        // What an answer found becomes visible only when that answer is delivered.
        auto answer = [this, id, service, characteristics, error] {
            post([this, id, service, characteristics, error](BleCentralEvents& e) {
                if (!error) {
                    std::lock_guard lock(mutex_);
                    found_.insert(characteristics.begin(), characteristics.end());
                }
                e.didDiscoverCharacteristics(id, service, error);
            });
        };
        if (!radio_.reverseCharacteristicAnswers()) {
            answer();
            return;
        }
        std::lock_guard lock(heldMutex_);
        if (!held_) {
            held_ = answer;  // answered after the next request
            return;
        }
        auto first = std::move(held_);
        held_ = nullptr;
        answer();
        first();
    }

    std::optional<std::vector<BleServiceInfo>> services(const PeripheralId& id) const override {
        std::lock_guard lock(mutex_);
        if (!servicesFound_ || connected_ != id) return std::nullopt;
        BleServiceInfo service{kService, {}};
        for (const auto& uuid : found_) {
            service.characteristics.push_back({uuid, uuid == kNotify && notifying_});
        }
        return std::vector<BleServiceInfo>{service};
    }

    void setNotify(const PeripheralId& id, const std::string&, const std::string& characteristic,
                   bool enabled) override {
        {
            std::lock_guard lock(mutex_);
            if (connected_ != id || characteristic != kNotify) return;
            notifying_ = enabled;
        }
        post([id, characteristic, enabled](BleCentralEvents& e) {
            e.didUpdateNotificationState(id, characteristic, enabled, std::nullopt);
        });
    }

    void writeWithoutResponse(const PeripheralId& id, const std::string&,
                              const std::string& characteristic, const Bytes& value) override {
        {
            std::lock_guard lock(mutex_);
            if (connected_ != id || !found_.count(characteristic)) return;
        }
        radio_.recordWrite({id, characteristic, value});
        if (radio_.withholdWriteReports()) {
            std::lock_guard lock(mutex_);
            ++withheldReports_;
            return;
        }
        reportWriteTaken(id);
    }

    // Test drivers.
    void releaseWriteReports() {
        PeripheralId id;
        int reports;
        {
            std::lock_guard lock(mutex_);
            if (!connected_) return;
            id = *connected_;
            reports = std::exchange(withheldReports_, 0);
        }
        while (reports-- > 0) reportWriteTaken(id);
    }
    void reportWriteTaken(const PeripheralId& id) {
        post([id](BleCentralEvents& e) { e.isReadyToSendWriteWithoutResponse(id); });
    }
    void notify(const Bytes& value) {
        PeripheralId id;
        {
            std::lock_guard lock(mutex_);
            if (!connected_ || !notifying_) return;
            id = *connected_;
        }
        post([id, value](BleCentralEvents& e) {
            e.didUpdateValue(id, kNotify, value, std::nullopt);
        });
    }

    void dropLink() {
        PeripheralId id;
        {
            std::lock_guard lock(mutex_);
            if (!connected_) return;
            id = *connected_;
        }
        cancelConnection(id);
    }

private:
    using Event = std::function<void(BleCentralEvents&)>;

    void post(Event event) {
        std::shared_ptr<base::SerialQueue> queue;
        {
            std::lock_guard lock(mutex_);
            if (stopped_ || !queue_) return;
            queue = queue_;
        }
        queue->async([self = shared_from_this(), event = std::move(event)] {
            BleCentralEvents* events;
            {
                std::lock_guard lock(self->mutex_);
                if (self->stopped_) return;
                events = self->events_;
            }
            event(*events);
        });
    }

    std::optional<FakePeripheral> find(const PeripheralId& id) const {
        for (const auto& p : radio_.peripherals()) {
            if (p.id == id) return p;
        }
        return std::nullopt;
    }

    FakeRadio& radio_;
    mutable std::mutex mutex_;
    BleCentralEvents* events_ = nullptr;
    std::shared_ptr<base::SerialQueue> queue_;
    bool stopped_ = false;
    std::optional<PeripheralId> connected_;
    std::optional<PeripheralId> heldConnection_;
    bool servicesFound_ = false;
    bool notifying_ = false;
    int withheldReports_ = 0;
    std::set<std::string> found_;
    std::mutex heldMutex_;
    std::function<void()> held_;
};

// A central handed to a client: the client owns this handle, the radio keeps the central
// reachable for the test drivers while the client lives.
class CentralHandle final : public chairlink::BleCentral {
public:
    explicit CentralHandle(std::shared_ptr<FakeCentral> central) : c_(std::move(central)) {}
    ~CentralHandle() override { c_->stop(); }
    void start(BleCentralEvents& e, std::shared_ptr<base::SerialQueue> q) override {
        c_->start(e, std::move(q));
    }
    void stop() override { c_->stop(); }
    ManagerState state() const override { return c_->state(); }
    void scan(const std::string& s, bool d) override { c_->scan(s, d); }
    void stopScan() override { c_->stopScan(); }
    void connect(const PeripheralId& p) override { c_->connect(p); }
    void cancelConnection(const PeripheralId& p) override { c_->cancelConnection(p); }
    bool isConnected(const PeripheralId& p) const override { return c_->isConnected(p); }
    void discoverServices(const PeripheralId& p, const std::vector<std::string>& s) override {
        c_->discoverServices(p, s);
    }
    void discoverCharacteristics(const PeripheralId& p, const std::string& s,
                                 const std::vector<std::string>& c) override {
        c_->discoverCharacteristics(p, s, c);
    }
    std::optional<std::vector<BleServiceInfo>> services(const PeripheralId& p) const override {
        return c_->services(p);
    }
    void setNotify(const PeripheralId& p, const std::string& s, const std::string& c,
                   bool on) override {
        c_->setNotify(p, s, c, on);
    }
    void writeWithoutResponse(const PeripheralId& p, const std::string& s, const std::string& c,
                              const Bytes& v) override {
        c_->writeWithoutResponse(p, s, c, v);
    }

private:
    std::shared_ptr<FakeCentral> c_;
};

void FakeRadio::addPeripheral(FakePeripheral peripheral) {
    std::lock_guard lock(mutex_);
    peripherals_.push_back(std::move(peripheral));
}

void FakeRadio::setReverseCharacteristicAnswers(bool reverse) {
    std::lock_guard lock(mutex_);
    reverse_ = reverse;
}

chairlink::BleCentralFactory FakeRadio::factory() {
    return [this]() -> std::unique_ptr<chairlink::BleCentral> {
        auto central = std::make_shared<FakeCentral>(*this);
        std::lock_guard lock(mutex_);
        centrals_.push_back(central);
        return std::make_unique<CentralHandle>(central);
    };
}

std::shared_ptr<FakeCentral> FakeRadio::newest() const {
    std::lock_guard lock(mutex_);
    return centrals_.empty() ? nullptr : centrals_.back().lock();
}

void FakeRadio::setRefuseConnection(const PeripheralId& id, bool refuse) {
    std::lock_guard lock(mutex_);
    for (auto& p : peripherals_) {
        if (p.id == id) p.refuseConnection = refuse;
    }
}

void FakeRadio::setHoldConnections(bool hold) {
    std::lock_guard lock(mutex_);
    hold_ = hold;
}

bool FakeRadio::holdConnections() const {
    std::lock_guard lock(mutex_);
    return hold_;
}

void FakeRadio::releaseConnection() {
    if (auto central = newest()) central->releaseConnection();
}

void FakeRadio::notify(const Bytes& value) {
    if (auto central = newest()) central->notify(value);
}

void FakeRadio::dropLink() {
    if (auto central = newest()) central->dropLink();
}

void FakeRadio::setWithholdWriteReports(bool withhold) {
    std::lock_guard lock(mutex_);
    withholdReports_ = withhold;
}

bool FakeRadio::withholdWriteReports() const {
    std::lock_guard lock(mutex_);
    return withholdReports_;
}

void FakeRadio::releaseWriteReports() {
    if (auto central = newest()) central->releaseWriteReports();
}

std::vector<RecordedWrite> FakeRadio::writes() const {
    std::lock_guard lock(mutex_);
    return writes_;
}

std::vector<Bytes> FakeRadio::writtenValues() const {
    std::vector<Bytes> values;
    for (auto& w : writes()) values.push_back(w.value);
    return values;
}

void FakeRadio::clearWrites() {
    std::lock_guard lock(mutex_);
    writes_.clear();
}

int FakeRadio::centralsMade() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(centrals_.size());
}

std::vector<std::string> FakeRadio::connectAttempts() const {
    std::lock_guard lock(mutex_);
    return connects_;
}

void FakeRadio::recordWrite(RecordedWrite write) {
    std::lock_guard lock(mutex_);
    writes_.push_back(std::move(write));
}

void FakeRadio::recordConnect(const PeripheralId& id) {
    std::lock_guard lock(mutex_);
    connects_.push_back(id);
}

std::vector<FakePeripheral> FakeRadio::peripherals() const {
    std::lock_guard lock(mutex_);
    return peripherals_;
}

bool FakeRadio::reverseCharacteristicAnswers() const {
    std::lock_guard lock(mutex_);
    return reverse_;
}

}  // namespace linktest
