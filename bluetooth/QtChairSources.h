#pragma once

#include <chrono>
#include <memory>

#include "base/Clock.h"
#include "bluetooth/BluetoothThread.h"
#include "bluetooth/ChairChoice.h"
#include "bluetooth/QtBleCentral.h"

namespace bluetooth {

// How long start-up waits for BlueZ to say whether there is an adapter.
inline constexpr std::chrono::milliseconds kAdapterProbeTimeout{3000};

// Whether the machine has a Bluetooth adapter, asked on the Bluetooth thread (Qt asks BlueZ
// with blocking calls). No answer within the timeout counts as none, with a log line.
bool hasLocalAdapter(BluetoothThread& thread,
                     std::chrono::milliseconds timeout = kAdapterProbeTimeout);

// Each call of the factory makes a new Qt central on the shared thread.
chairlink::BleCentralFactory qtCentralFactory(std::shared_ptr<BluetoothThread> thread,
                                              base::Clock& clock, QtBleCentralOptions options = {});

// The sources for this machine: Qt Bluetooth on one shared Bluetooth thread, the adapter
// probe, and the given stand-in. The clock times the connect timeout and must outlive the
// centrals.
ChairSources qtChairSources(base::Clock& clock,
                            std::function<chairlink::BleCentralFactory()> standIn,
                            QtBleCentralOptions options = {});

}  // namespace bluetooth
