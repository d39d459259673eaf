#pragma once

#include <memory>

#include "link/BleCentral.h"
#include "link/LinkCapture.h"

namespace chairlink {

// Centrals that tell `capture` of every value written to the chair's write characteristic
// and every value notified on its notify characteristic, and otherwise are the centrals
// `inner` makes. Without a capture, `inner` itself.
BleCentralFactory capturingCentrals(BleCentralFactory inner, std::shared_ptr<LinkCapture> capture);

}  // namespace chairlink
