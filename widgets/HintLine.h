#pragma once

#include <QFont>
#include <QRect>

#include "base/Clock.h"
#include "base/NotificationCenter.h"

class QWidget;

namespace widgets {

class MarqueeLabel;

// "Helvetica-Bold" at the given pixel size, or a bold sans-serif where Helvetica is missing.
QFont hintLineFont(int pixelSize);

// The main screen's scrolling hint line: white text on a clear background, continuous
// scrolling with a 50-point gap, a 10-point fade and a linear curve; faster and in a bigger
// font on tablets. The caller gives it its tag and text.
MarqueeLabel* makeHintLine(base::Clock& clock, base::NotificationCenter& center, const QRect& frame,
                           bool tablet, QWidget* parent);

}  // namespace widgets
