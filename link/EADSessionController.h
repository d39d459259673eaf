#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "link/BLESocketClientImpl.h"
#include "link/CommandFrames.h"
#include "link/LinkEnvironment.h"
#include "link/ReadBuffer.h"
#include "link/RetryBackoff.h"
#include "link/SocketClient.h"
#include "link/UpdateUpload.h"

namespace chairlink {

// Where the link stands, as the user is told: looking for the chair, connected, or waiting
// `retryWait` seconds before the next attempt after a failed one.
struct LinkState {
    enum class Phase { Searching, Connected, Retrying };
    Phase phase = Phase::Searching;
    double retryWait = 0;
    bool operator==(const LinkState&) const = default;
};

// The one object through which the app talks to the chair: owns the BLE client and rebuilds
// it when the link is lost, keeps the chair-state values that setting commands carry, builds
// and writes command frames, collects received bytes and announces each arrival with
// EADSessionDataReceivedNotification on the main thread, and sends update files.
//
// Threads: commands come from the main thread, the drain and the client's queue; the client's
// callbacks and "RECONNECT" arrive on the client's queue; retries fire on the main thread.
class EADSessionController : public SocketDelegate {
public:
    // Sets isConnected NO, then initApplicationData, then initBLE (the client starts scanning
    // once Bluetooth is on).
    explicit EADSessionController(LinkEnvironment environment);
    // Call only once all work that was handed to other threads has finished.
    ~EADSessionController() override;
    EADSessionController(const EADSessionController&) = delete;
    EADSessionController& operator=(const EADSessionController&) = delete;

    // The app names once, before the first sharedController(), what the shared instance is
    // built from. A second configuration is refused (false, with a log line).
    static bool configureShared(LinkEnvironment environment);
    // Built on first use and never destroyed. Using it unconfigured is a programming error:
    // it logs and throws std::logic_error.
    static EADSessionController& sharedController();

    void initApplicationData();
    // Closes the current client (if any) and opens a new one at once.
    void reConnnectSocket();

    // SocketDelegate; called on the current client's queue.
    void socketConnected() override;
    void socketError(const std::string& error) override;
    void socketClosed() override;
    void socketReceived(const Bytes& bytes) override;

    // Listeners of our own, handed to every client built from now on and told of every chunk.
    void addDelegate(std::shared_ptr<SocketDelegate> delegate);
    void removeDelegate(const std::shared_ptr<SocketDelegate>& delegate);

    // Read buffer; any thread.
    std::size_t readBytesAvailable() const;
    // Exactly n bytes from the front, or nothing (and nothing removed).
    std::optional<Bytes> readData(std::size_t n);
    // Exactly n bytes from the front left in place, or nothing.
    std::optional<Bytes> peekData(std::size_t n) const;
    // Exactly n bytes removed from the front unread (the drain has peeked at them), or false.
    bool discardData(std::size_t n);

    // Commands. sendCode builds and writes one frame as one step and is safe from any thread;
    // sendOutBuf + sendCommand is the two-step form kept for the main thread's callers.
    void sendCode(std::int32_t code);
    void resetOutBuffer();
    void sendOutBuf(std::int32_t code);
    void sendCommand();
    CommandFrame outBuf() const;
    std::array<std::uint8_t, 2> copyoutBuf() const;

    // Update data, written raw in 102-byte pieces while connected, one file at a time. The
    // pieces go out in order, at most kUpdatePiecesInFlight of them handed to the central and
    // not yet taken, so the radio stays busy and little is queued below. A piece counts as
    // sent once the central has taken it; a refused piece, or a link whose writes are too
    // short for one, ends the upload as failed. The listener hears of the progress on the
    // main thread. Any thread.
    UploadStart update(const Bytes& bytes, std::weak_ptr<UploadListener> listener = {});
    bool uploading() const;

    // "aa 55 0d " form: lowercase pairs, each followed by a space.
    static std::string hexStringFromNSData(const Bytes& bytes);

    bool isConnected() const { return isConnected_.load(); }
    bool isConnecting() const { return isConnecting_.load(); }
    std::shared_ptr<BLESocketClientImpl> bleSocketClient() const;
    // Any thread; kLinkStateNotification tells of each change.
    LinkState linkState() const;
    // The wait before the next attempt if the current one fails, and whether one is waiting.
    double nextRetryWait() const;
    bool retryPending() const;

    // Chair state; any thread.
    ChairState chairState() const;
    bool powerStatus() const;
    void setPowerStatus(bool value);
    bool isPaused() const;
    void setIsPaused(bool value);
    std::uint8_t massageMode() const;
    void setMassageMode(std::uint8_t value);
    std::uint8_t uppperIntensity() const;
    void setUppperIntensity(std::uint8_t value);
    std::uint8_t handSpeed() const;
    void setHandSpeed(std::uint8_t value);
    std::uint8_t handWidth() const;
    void setHandWidth(std::uint8_t value);
    bool armPressureStatus() const;
    void setArmPressureStatus(bool value);
    std::uint8_t armPressureIntensity() const;
    void setArmPressureIntensity(std::uint8_t value);
    std::uint8_t lowerPressureStatus() const;
    void setLowerPressureStatus(std::uint8_t value);
    std::uint8_t lowerPressureIntensity() const;
    void setLowerPressureIntensity(std::uint8_t value);
    std::uint8_t footRollerSpeed() const;
    void setFootRollerSpeed(std::uint8_t value);
    bool footStretchStatus() const;
    void setFootStretchStatus(bool value);
    bool otherFootRollerStatus() const;
    void setOtherFootRollerStatus(bool value);
    bool otherBackHeartStatus() const;
    void setOtherBackHeartStatus(bool value);
    std::int64_t theTimes() const;
    void setTheTimes(std::int64_t value);

    // Never set in this system; kept so the controller's surface is complete.
    const std::optional<std::string>& protocolString() const { return protocolString_; }
    Bytes inData() const;
    void setInData(Bytes data);

private:
    class ClientListener;

    void initBLE();
    // Builds, registers and opens a new client, replacing (and retiring) the current one.
    void replaceClient(bool closePrevious);
    // A lost link: at once after a good link, after the back-off wait otherwise.
    // `sender` is the client that posted "RECONNECT", or nullptr when anyone else did.
    void linkLost(const void* sender);
    void retireClient(std::shared_ptr<BLESocketClientImpl> client);
    void announceLinkState();

    struct Upload;
    // Writes the pieces of the running upload; see the update operations.
    void sendMessageBy102(const std::shared_ptr<Upload>& upload);
    void writePieces(const std::shared_ptr<Upload>& upload);
    void pieceTaken(const std::shared_ptr<Upload>& upload, const ErrorText& refusal);
    // Ends the upload as failed, with one log line that says why.
    void failUpload(const std::shared_ptr<Upload>& upload, const std::string& why);
    // Ends the running upload when it goes to `client` (any upload for nullptr).
    void stopUpload(const BLESocketClientImpl* client);
    void reportUpload(const Upload& upload, const UploadProgress& progress);
    // Under the frame lock.
    void writeFrame(BLESocketClientImpl* client, const CommandFrame& frame);
    // main thread
    void received(const Bytes& bytes);
    template <typename T>
    T readState(T ChairState::*field) const;
    template <typename T>
    void writeState(T ChairState::*field, T value);

    LinkEnvironment env_;
    ReadBuffer readData_;
    std::atomic<bool> isConnected_{false};
    std::atomic<bool> isConnecting_{false};

    // One lock for building and writing a frame, so a frame is never overwritten before
    // it is sent; also guards the chair state the frames read.
    mutable std::mutex frameMutex_;
    CommandFrame outBuf_{};
    ChairState state_;
    std::array<std::uint8_t, 2> copyoutBuf_{};

    // Guards the client field and the link bookkeeping; writers take a reference under it.
    mutable std::mutex clientMutex_;
    std::shared_ptr<BLESocketClientImpl> bleSocketClient_;
    std::set<std::shared_ptr<SocketDelegate>> socketDelegates_;
    bool linkWasUp_ = false;  // the current client reached the connected state
    RetryBackoff backoff_;
    std::optional<base::Clock::TimerId> retryTimer_;
    double retryWait_ = 0;  // of the attempt retryTimer_ waits for

    mutable std::mutex uploadMutex_;  // guards upload_ and its counters
    std::shared_ptr<Upload> upload_;

    std::shared_ptr<ClientListener> listener_;
    // Cleared by the destructor (main thread); announcements still queued for the main
    // thread then find the controller gone and do nothing.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    base::ObserverRegistration reconnectObservation_;

    std::optional<std::string> protocolString_;
    mutable std::mutex inDataMutex_;
    Bytes inData_;
};

}  // namespace chairlink
