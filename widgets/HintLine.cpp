#include "widgets/HintLine.h"

#include "main/toolkit/Fonts.h"
#include "widgets/MarqueeLabel.h"

namespace widgets {
namespace {
constexpr double kPhoneRate = 100.0;
constexpr double kTabletRate = 150.0;
constexpr double kFadeLength = 10.0;
constexpr double kCopyGap = 50.0;
constexpr int kPhoneFontSize = 15;
constexpr int kTabletFontSize = 30;
}  // namespace

QFont hintLineFont(int pixelSize) {
    return tk::Fonts::named("Helvetica-Bold", pixelSize);
}

MarqueeLabel* makeHintLine(base::Clock& clock, base::NotificationCenter& center, const QRect& frame,
                           bool tablet, QWidget* parent) {
    auto* label = new MarqueeLabel(clock, center, frame,
                                   ScrollSpeed::pointsPerSecond(tablet ? kTabletRate : kPhoneRate),
                                   kFadeLength, parent);
    label->setMarqueeType(static_cast<int>(MarqueeType::Continuous));
    label->setAnimationCurve(static_cast<int>(AnimationCurve::Linear));
    label->setContinuousMarqueeExtraBuffer(kCopyGap);
    label->setShadowOffset(QPointF(0, -1));
    label->setAlignment(Qt::AlignLeft);
    label->setTextColor(Qt::white);
    label->setBackgroundColor(Qt::transparent);
    label->setFont(hintLineFont(tablet ? kTabletFontSize : kPhoneFontSize));
    return label;
}

}  // namespace widgets
