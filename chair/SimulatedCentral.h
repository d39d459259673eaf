#pragma once

#include <atomic>
#include <memory>

#include "chair/CentralLink.h"
#include "link/BleCentral.h"

namespace chair {

class StandInChair;

// The central a BLE client drives: every call goes over to the chair's queue, every answer
// comes back as an event on the client's queue.
class SimulatedCentral final : public chairlink::BleCentral {
public:
    explicit SimulatedCentral(std::shared_ptr<StandInChair> chair);
    ~SimulatedCentral() override;

    void start(BleCentralEvents& events, std::shared_ptr<base::SerialQueue> queue) override;
    void stop() override;
    ManagerState state() const override;
    void scan(const std::string& service, bool allowDuplicates) override;
    void stopScan() override;
    void connect(const PeripheralId& peripheral) override;
    void cancelConnection(const PeripheralId& peripheral) override;
    bool isConnected(const PeripheralId& peripheral) const override;
    void discoverServices(const PeripheralId& peripheral,
                          const std::vector<std::string>& services) override;
    void discoverCharacteristics(const PeripheralId& peripheral, const std::string& service,
                                 const std::vector<std::string>& characteristics) override;
    std::optional<std::vector<BleServiceInfo>> services(
        const PeripheralId& peripheral) const override;
    void setNotify(const PeripheralId& peripheral, const std::string& service,
                   const std::string& characteristic, bool enabled) override;
    void writeWithoutResponse(const PeripheralId& peripheral, const std::string& service,
                              const std::string& characteristic,
                              const chairlink::Bytes& value) override;
    std::optional<std::size_t> maximumWriteLength(const PeripheralId& peripheral) const override;

private:
    // Runs the step on the chair's queue with the chair's radio.
    template <typename Step>
    void onChair(Step step);

    std::shared_ptr<StandInChair> chair_;
    std::shared_ptr<CentralLink> link_ = std::make_shared<CentralLink>();
    std::atomic<bool> started_{false};
};

}  // namespace chair
