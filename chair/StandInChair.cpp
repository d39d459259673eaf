#include "chair/StandInChair.h"

#include "chair/SimulatedCentral.h"

namespace chair {

std::shared_ptr<StandInChair> StandInChair::create(base::Dispatch& dispatch, base::Clock& clock,
                                                   StandInOptions options) {
    std::shared_ptr<StandInChair> chair(new StandInChair(dispatch, clock, std::move(options)));
    chair->init();
    return chair;
}

StandInChair::StandInChair(base::Dispatch& dispatch, base::Clock& clock, StandInOptions options)
    : clock_(clock),
      options_(std::move(options)),
      queue_(dispatch.makeSerialQueue("com.vornalex.standin-chair")),
      quiet_(options_.quiet),
      attMtu_(options_.radio.attMtu) {}

StandInChair::~StandInChair() = default;

void StandInChair::init() {
    timers_ = std::make_unique<ChairTimers>(clock_, queue_, weak_from_this());
    radio_ = std::make_unique<ChairRadio>(*timers_, faults_, options_.radio,
                                          [this](const Bytes& value) { received(value); });
    behaviour_ = std::make_unique<ChairBehaviour>(
        *timers_, options_.timings, [this](std::vector<Bytes> frames) { send(std::move(frames)); });
}

chairlink::BleCentralFactory StandInChair::centralFactory() {
    return [self = shared_from_this()]() -> std::unique_ptr<chairlink::BleCentral> {
        return std::make_unique<SimulatedCentral>(self);
    };
}

void StandInChair::onQueue(const std::function<void()>& step) const {
    queue_->sync(step);
}

void StandInChair::received(const Bytes& value) {
    writes_.push_back(value);
    if (writeObserver_) writeObserver_(value);
    if (!quiet_) behaviour_->write(value);
}

void StandInChair::send(std::vector<Bytes> frames) {
    if (quiet_) return;
    auto values = shapeNotifications(std::move(frames), faults_);
    if (faults_.answerDelay > 0) {
        timers_->after(faults_.answerDelay, [this, values] { sendValues(values); });
    } else {
        sendValues(values);
    }
}

void StandInChair::sendValues(const std::vector<Bytes>& values) {
    for (const auto& value : values) {
        notifications_.push_back(value);
        if (notificationObserver_) notificationObserver_(value);
        radio_->notify(value);
    }
}

void StandInChair::setQuiet(bool quiet) {
    onQueue([&] { quiet_ = quiet; });
}

void StandInChair::notify(const Bytes& value) {
    onQueue([&] { sendValues({value}); });
}

ChairFaults StandInChair::faults() const {
    ChairFaults copy;
    onQueue([&] { copy = faults_; });
    return copy;
}

void StandInChair::setFaults(const ChairFaults& faults) {
    onQueue([&] { faults_ = faults; });
}

void StandInChair::setRadioPace(double connectionInterval, int packetsPerEvent, int attMtu) {
    attMtu_ = attMtu;
    onQueue([&] { radio_->setPace(connectionInterval, packetsPerEvent, attMtu); });
}

void StandInChair::dropLink() {
    onQueue([&] { radio_->dropLinks(); });
}

void StandInChair::setAdvertising(bool on) {
    onQueue([&] { radio_->setAdvertising(on); });
}

void StandInChair::stopNotifying() {
    onQueue([&] { radio_->stopNotifying(); });
}

void StandInChair::setBluetoothPoweredOn(bool on) {
    onQueue([&] { radio_->setPoweredOn(on); });
}

std::vector<Bytes> StandInChair::writes() const {
    std::vector<Bytes> copy;
    onQueue([&] { copy = writes_; });
    return copy;
}

void StandInChair::clearWrites() {
    onQueue([&] { writes_.clear(); });
}

std::vector<Bytes> StandInChair::notifications() const {
    std::vector<Bytes> copy;
    onQueue([&] { copy = notifications_; });
    return copy;
}

void StandInChair::setWriteObserver(Observer observer) {
    onQueue([&] { writeObserver_ = std::move(observer); });
}

void StandInChair::setNotificationObserver(Observer observer) {
    onQueue([&] { notificationObserver_ = std::move(observer); });
}

ChairStatus StandInChair::status() const {
    ChairStatus copy;
    onQueue([&] { copy = behaviour_->status(); });
    return copy;
}

std::size_t StandInChair::updatesCompleted() const {
    std::size_t count = 0;
    onQueue([&] { count = behaviour_->updatesCompleted(); });
    return count;
}

int StandInChair::connectAttempts() const {
    int count = 0;
    onQueue([&] { count = radio_->connectAttempts(); });
    return count;
}

int StandInChair::connections() const {
    int count = 0;
    onQueue([&] { count = radio_->connections(); });
    return count;
}

int StandInChair::liveConnections() const {
    int count = 0;
    onQueue([&] { count = radio_->liveConnections(); });
    return count;
}

int StandInChair::liveCentrals() const {
    int count = 0;
    onQueue([&] { count = radio_->liveCentrals(); });
    return count;
}

int StandInChair::deadLinkWrites() const {
    int count = 0;
    onQueue([&] { count = radio_->deadLinkWrites(); });
    return count;
}

}  // namespace chair
