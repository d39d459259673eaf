#pragma once

#include "base/Clock.h"
#include "base/Dispatch.h"
#include "base/NotificationCenter.h"
#include "link/BleCentral.h"

namespace chairlink {

// What the session controller is built from. The app passes its real queues, clock and
// Bluetooth central; tests pass a pumped main thread, a manual clock and a fake central.
// The referenced objects must outlive the controller.
struct LinkEnvironment {
    base::Dispatch& dispatch;
    base::Clock& clock;
    base::NotificationCenter& notifications;
    BleCentralFactory centralFactory;
};

// Notification names the link posts and observes.
inline constexpr const char* kDataReceivedNotification = "EADSessionDataReceivedNotification";
inline constexpr const char* kReconnectNotification = "RECONNECT";
// Posted by the session controller (object: itself) whenever linkState() changes; on the
// thread that changed it.
inline constexpr const char* kLinkStateNotification = "LinkStateChanged";

// The chair's GATT identifiers.
inline constexpr const char* kChairServiceUUID = "FFE0";
inline constexpr const char* kChairNotifyCharacteristicUUID = "FFE1";
inline constexpr const char* kChairWriteCharacteristicUUID = "FFE2";

}  // namespace chairlink
