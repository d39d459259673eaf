#include "link/EADSessionController.h"

#include <stdexcept>
#include <vector>

#include "base/Log.h"
#include "link/Hex.h"

namespace chairlink {

// Registered with every client; forwards to the controller, which outlives its clients.
class EADSessionController::ClientListener final : public SocketDelegate {
public:
    explicit ClientListener(EADSessionController& controller) : controller_(controller) {}
    void socketConnected() override { controller_.socketConnected(); }
    void socketError(const std::string& error) override { controller_.socketError(error); }
    void socketClosed() override { controller_.socketClosed(); }
    void socketReceived(const Bytes& bytes) override { controller_.socketReceived(bytes); }

private:
    EADSessionController& controller_;
};

EADSessionController::EADSessionController(LinkEnvironment environment)
    : env_(std::move(environment)), listener_(std::make_shared<ClientListener>(*this)) {
    isConnected_ = false;
    initApplicationData();
    initBLE();
}

EADSessionController::~EADSessionController() {
    *alive_ = false;
    reconnectObservation_.reset();
    {
        std::lock_guard lock(uploadMutex_);
        upload_.reset();
    }
    std::shared_ptr<BLESocketClientImpl> client;
    {
        std::lock_guard lock(clientMutex_);
        if (retryTimer_) env_.clock.cancel(*retryTimer_);
        retryTimer_.reset();
        client = std::move(bleSocketClient_);
    }
    if (client) client->close();
}

// ---- The shared instance ----

namespace {

std::mutex& sharedMutex() {
    static std::mutex mutex;
    return mutex;
}

std::optional<LinkEnvironment>& sharedEnvironment() {
    static std::optional<LinkEnvironment> environment;
    return environment;
}

}  // namespace

bool EADSessionController::configureShared(LinkEnvironment environment) {
    std::lock_guard lock(sharedMutex());
    if (sharedEnvironment()) {
        base::log("The session controller is configured already; the new setup is ignored");
        return false;
    }
    sharedEnvironment().emplace(std::move(environment));
    return true;
}

EADSessionController& EADSessionController::sharedController() {
    std::lock_guard lock(sharedMutex());
    static EADSessionController* instance = nullptr;
    if (!instance) {
        if (!sharedEnvironment()) {
            base::log("The session controller was used before it was configured");
            throw std::logic_error("EADSessionController::configureShared was not called");
        }
        // Lives as long as the process, like the app around it.
        instance = new EADSessionController(*sharedEnvironment());
    }
    return *instance;
}

// ---- Creation and link management ----

void EADSessionController::initApplicationData() {
    std::lock_guard lock(frameMutex_);
    state_ = ChairState{};
}

void EADSessionController::initBLE() {
    // Observed before the first client opens, so not even its first failure goes unheard.
    // Delivered on the posting client's queue.
    reconnectObservation_ = base::ObserverRegistration(
        env_.notifications, env_.notifications.addObserver(
                                kReconnectNotification, nullptr,
                                [this](const base::Notification& n) { linkLost(n.object); }));
    replaceClient(false);
}

void EADSessionController::reConnnectSocket() {
    replaceClient(true);
}

void EADSessionController::replaceClient(bool closePrevious) {
    auto client = BLESocketClientImpl::make(kChairServiceUUID, kChairNotifyCharacteristicUUID,
                                            kChairWriteCharacteristicUUID, env_.dispatch,
                                            env_.notifications, env_.centralFactory);
    std::shared_ptr<BLESocketClientImpl> previous;
    std::set<std::shared_ptr<SocketDelegate>> delegates;
    {
        std::lock_guard lock(clientMutex_);
        previous = std::move(bleSocketClient_);
        bleSocketClient_ = client;
        delegates = socketDelegates_;
        linkWasUp_ = false;
        if (retryTimer_) env_.clock.cancel(*retryTimer_);
        retryTimer_.reset();
    }
    if (previous && closePrevious) previous->close();
    if (previous) stopUpload(previous.get());
    retireClient(std::move(previous));
    client->addDelegate(listener_);
    for (auto& delegate : delegates) client->addDelegate(delegate);
    isConnecting_ = true;
    isConnected_ = false;
    announceLinkState();
    client->open();
}

LinkState EADSessionController::linkState() const {
    std::lock_guard lock(clientMutex_);
    if (retryTimer_) return {LinkState::Phase::Retrying, retryWait_};
    if (isConnected_) return {LinkState::Phase::Connected, 0};
    return {LinkState::Phase::Searching, 0};
}

void EADSessionController::announceLinkState() {
    env_.notifications.post(kLinkStateNotification, this);
}

// A writer on another thread may still hold the old client for a moment; the last reference
// is dropped on the main thread, never inside the client's own callback.
void EADSessionController::retireClient(std::shared_ptr<BLESocketClientImpl> client) {
    if (!client) return;
    env_.dispatch.main().post([retired = std::move(client)]() mutable { retired.reset(); });
}

// On "RECONNECT" (the current client's queue). A good link that is lost is rebuilt at once;
// a client lost before its link came up counts as a failed attempt and the next one waits.
void EADSessionController::linkLost(const void* sender) {
    double wait;
    std::shared_ptr<BLESocketClientImpl> failed;
    {
        std::lock_guard lock(clientMutex_);
        if (retryTimer_) return;  // this failure is being answered already
        // A client replaced meanwhile still reports the end of its own link; that is old news.
        if (sender && sender != bleSocketClient_.get()) return;
        if (!linkWasUp_ && bleSocketClient_) {
            wait = backoff_.nextWait();
            retryWait_ = wait;
            failed = std::move(bleSocketClient_);
            // Main thread, after the wait.
            retryTimer_ = env_.clock.callAfter(wait, [this] {
                {
                    std::lock_guard lock(clientMutex_);
                    retryTimer_.reset();
                }
                replaceClient(false);
            });
        }
    }
    if (!failed) {
        reConnnectSocket();
        return;
    }
    base::log(base::format("Connection attempt failed; trying again in %g s", wait));
    isConnected_ = false;
    isConnecting_ = true;
    announceLinkState();
    failed->close();
    retireClient(std::move(failed));
}

// ---- SocketDelegate (client queue) ----

void EADSessionController::socketConnected() {
    {
        std::lock_guard lock(clientMutex_);
        linkWasUp_ = true;
        backoff_.reset();
    }
    isConnecting_ = false;
    isConnected_ = true;
    announceLinkState();
    sendCode(kLinkUpCode);
}

void EADSessionController::socketError(const std::string&) {}

void EADSessionController::socketClosed() {
    // The old client is closed already; replaceClient sets the flags before opening.
    replaceClient(false);
}

void EADSessionController::socketReceived(const Bytes& bytes) {
    readData_.append(bytes);
    // Main thread: announce after the bytes are in the buffer.
    env_.dispatch.main().post([this, alive = alive_, bytes] {
        if (*alive) received(bytes);
    });
    base::log("received: " + hexStringFromNSData(bytes));
}

void EADSessionController::received(const Bytes& bytes) {
    env_.notifications.post(kDataReceivedNotification, this);
    std::set<std::shared_ptr<SocketDelegate>> delegates;
    {
        std::lock_guard lock(clientMutex_);
        delegates = socketDelegates_;
    }
    for (auto& delegate : delegates) delegate->socketReceived(bytes);
}

// ---- Listeners ----

void EADSessionController::addDelegate(std::shared_ptr<SocketDelegate> delegate) {
    if (!delegate) return;
    std::lock_guard lock(clientMutex_);
    socketDelegates_.insert(std::move(delegate));
}

void EADSessionController::removeDelegate(const std::shared_ptr<SocketDelegate>& delegate) {
    std::lock_guard lock(clientMutex_);
    socketDelegates_.erase(delegate);
}

// ---- Read buffer ----

std::size_t EADSessionController::readBytesAvailable() const {
    return readData_.size();
}

std::optional<Bytes> EADSessionController::readData(std::size_t n) {
    return readData_.take(n);
}

std::optional<Bytes> EADSessionController::peekData(std::size_t n) const {
    return readData_.peek(n);
}

bool EADSessionController::discardData(std::size_t n) {
    return readData_.drop(n);
}

// ---- Commands ----

std::shared_ptr<BLESocketClientImpl> EADSessionController::bleSocketClient() const {
    std::lock_guard lock(clientMutex_);
    return bleSocketClient_;
}

void EADSessionController::writeFrame(BLESocketClientImpl* client, const CommandFrame& frame) {
    if (!client || client->state() != kSocketConnected) return;
    client->send(Bytes(frame.begin(), frame.end()));
}

// Senders hold the client they write to, so a replacement meanwhile leaves it alive. The
// reference is taken before the frame lock and dropped after it: a replaced client may end
// right here, and its end waits for its own queue, which may be waiting for the frame lock.
void EADSessionController::sendCode(std::int32_t code) {
    auto client = bleSocketClient();
    std::lock_guard lock(frameMutex_);
    CommandFrame frame = buildCommandFrame(code, state_);
    if (code != kAcknowledgeCode && code != kRejectCode) {
        copyoutBuf_ = {frame[kTypeIndex], frame[kValueIndex]};
    }
    writeFrame(client.get(), frame);
}

void EADSessionController::resetOutBuffer() {
    std::lock_guard lock(frameMutex_);
    outBuf_.fill(0);
}

void EADSessionController::sendOutBuf(std::int32_t code) {
    std::lock_guard lock(frameMutex_);
    outBuf_ = buildCommandFrame(code, state_);
    if (code != kAcknowledgeCode && code != kRejectCode) {
        copyoutBuf_ = {outBuf_[kTypeIndex], outBuf_[kValueIndex]};
    }
}

void EADSessionController::sendCommand() {
    auto client = bleSocketClient();
    std::lock_guard lock(frameMutex_);
    writeFrame(client.get(), outBuf_);
}

CommandFrame EADSessionController::outBuf() const {
    std::lock_guard lock(frameMutex_);
    return outBuf_;
}

std::array<std::uint8_t, 2> EADSessionController::copyoutBuf() const {
    std::lock_guard lock(frameMutex_);
    return copyoutBuf_;
}

std::string EADSessionController::hexStringFromNSData(const Bytes& bytes) {
    return lowerHexWithTrailingSpaces(bytes);
}

// ---- Retry bookkeeping ----

double EADSessionController::nextRetryWait() const {
    std::lock_guard lock(clientMutex_);
    return backoff_.peek();
}

bool EADSessionController::retryPending() const {
    std::lock_guard lock(clientMutex_);
    return retryTimer_.has_value();
}

Bytes EADSessionController::inData() const {
    std::lock_guard lock(inDataMutex_);
    return inData_;
}

void EADSessionController::setInData(Bytes data) {
    std::lock_guard lock(inDataMutex_);
    inData_ = std::move(data);
}

}  // namespace chairlink
