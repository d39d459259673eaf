// Status frames from the chair. The drain has already checked and answered each frame; the
// status decoder turns its report into what the screen shows.
#include "link/StatusReport.h"
#include "main/RootViewController.h"
#include "main/StatusDecoder.h"

namespace mainscreen {

void RootViewController::statusFrameReceived(const chairlink::Bytes& frame) {
    StatusDecoder(*this).apply(chairlink::decodeStatus(frame));
}

}  // namespace mainscreen
