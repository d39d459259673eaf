// Status frames from the chair. The drain has already checked and answered each frame; the
// status decoder turns it into what the screen shows.
#include "main/RootViewController.h"
#include "main/StatusDecoder.h"

namespace mainscreen {

void RootViewController::statusFrameReceived(const chairlink::Bytes& frame) {
    StatusDecoder(*this).decode(frame);
}

}  // namespace mainscreen
