#include "bluetooth/QtChairSources.h"

#include <QBluetoothLocalDevice>

#include "base/Log.h"

namespace bluetooth {

bool hasLocalAdapter(BluetoothThread& thread, std::chrono::milliseconds timeout) {
    // Bluetooth thread.
    auto answer =
        thread.call<bool>([] { return !QBluetoothLocalDevice::allDevices().isEmpty(); }, timeout);
    if (!answer) {
        base::log(base::format("BlueZ did not answer within %lld ms; taking it as no adapter",
                               static_cast<long long>(timeout.count())));
        return false;
    }
    return *answer;
}

chairlink::BleCentralFactory qtCentralFactory(std::shared_ptr<BluetoothThread> thread,
                                              base::Clock& clock, QtBleCentralOptions options) {
    return
        [thread = std::move(thread), &clock, options]() -> std::unique_ptr<chairlink::BleCentral> {
            return std::make_unique<QtBleCentral>(thread, clock, options);
        };
}

ChairSources qtChairSources(base::Clock& clock,
                            std::function<chairlink::BleCentralFactory()> standIn,
                            QtBleCentralOptions options) {
    auto thread = std::make_shared<BluetoothThread>();
    ChairSources sources;
    sources.bluetooth = [thread, &clock, options] {
        return qtCentralFactory(thread, clock, options);
    };
    sources.adapterPresent = [thread] { return hasLocalAdapter(*thread); };
    sources.standIn = std::move(standIn);
    return sources;
}

}  // namespace bluetooth
