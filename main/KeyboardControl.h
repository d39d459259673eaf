#pragma once

class QWidget;

namespace mainscreen {

class RootViewController;

// The main screen on the keyboard: its reading order (menu button, the menu and the open
// panel, the quick keys, service, settings, power), Esc as the screen's go-back, and the
// shortcut keys (P power, M menu, 1 to 5 the quick keys from the top, as --help lists
// them). Made once the window and its controller stand.
void setUpKeyboard(QWidget& window, RootViewController& root);

}  // namespace mainscreen
