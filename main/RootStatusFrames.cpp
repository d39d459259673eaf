// Status frames from the chair. The drain has already checked and answered each frame; what
// a frame changes on the screen (power button, running state, records, title and hint,
// panels) is the status decoder's job, which takes over this entry point. Until it is in,
// received frames are acknowledged and leave the screen as it is.
#include "main/RootViewController.h"

namespace mainscreen {

void RootViewController::statusFrameReceived(const chairlink::Bytes& /*frame*/) {}

}  // namespace mainscreen
