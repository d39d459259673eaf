#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/SerialQueue.h"
#include "link/BleCentral.h"

namespace linktest {

using chairlink::Bytes;
using chairlink::PeripheralId;

// One advertiser the fake radio knows, with its faults.
struct FakePeripheral {
    PeripheralId id;
    std::optional<std::string> name;
    int rssi = -50;
    bool refuseConnection = false;
    std::optional<std::string> serviceError;
    std::optional<std::string> characteristicError;
};

struct RecordedWrite {
    PeripheralId peripheral;
    std::string characteristic;
    Bytes value;
};

class FakeCentral;

// The air between the clients' centrals and the simulated peripherals. Every client gets a
// central of its own from factory(); the radio records what they all write.
class FakeRadio {
public:
    void addPeripheral(FakePeripheral peripheral);
    // The two characteristic answers come in the reverse order of the requests.
    void setReverseCharacteristicAnswers(bool reverse);
    void setRefuseConnection(const PeripheralId& id, bool refuse);
    // While held, a connection request waits until releaseConnection().
    void setHoldConnections(bool hold);
    void releaseConnection();

    chairlink::BleCentralFactory factory();

    // Drive the newest central: a value notified on FFE1, or the link dropping.
    void notify(const Bytes& value);
    void dropLink();
    // While withheld, the newest central keeps its "write taken" reports until released.
    void setWithholdWriteReports(bool withhold);
    void releaseWriteReports();

    std::vector<RecordedWrite> writes() const;
    std::vector<Bytes> writtenValues() const;
    void clearWrites();
    int centralsMade() const;
    std::vector<std::string> connectAttempts() const;

private:
    friend class FakeCentral;
    void recordWrite(RecordedWrite write);
    void recordConnect(const PeripheralId& id);
    std::vector<FakePeripheral> peripherals() const;
    bool reverseCharacteristicAnswers() const;
    bool holdConnections() const;
    bool withholdWriteReports() const;
    std::shared_ptr<FakeCentral> newest() const;

    mutable std::mutex mutex_;
    std::vector<FakePeripheral> peripherals_;
    bool reverse_ = false;
    bool hold_ = false;
    bool withholdReports_ = false;
    std::vector<RecordedWrite> writes_;
    std::vector<std::string> connects_;
    std::vector<std::weak_ptr<FakeCentral>> centrals_;
};

}  // namespace linktest
