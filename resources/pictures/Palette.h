#pragma once

#include <QColor>

// The one palette every picture draws from: deep blue-grey surfaces, cyan light for what is
// on, quiet grey-blue for what is off.
namespace pictures::palette {

inline const QColor kNight{0x07, 0x0E, 0x16};
inline const QColor kDeep{0x0C, 0x17, 0x22};
inline const QColor kSurface{0x13, 0x21, 0x2E};
inline const QColor kSlate{0x1C, 0x2D, 0x3C};
inline const QColor kSlateHigh{0x26, 0x3B, 0x4E};
inline const QColor kEdge{0x38, 0x52, 0x68};
inline const QColor kEdgeHigh{0x4E, 0x6D, 0x87};

inline const QColor kMuted{0x7C, 0x92, 0xA6};
inline const QColor kMutedShade{0x33, 0x48, 0x5B};

inline const QColor kCyan{0x22, 0xE3, 0xF0};
inline const QColor kCyanDeep{0x0C, 0x6F, 0x7E};
inline const QColor kTealFill{0x0D, 0x4B, 0x59};
inline const QColor kTealDark{0x09, 0x2C, 0x38};
inline const QColor kIce{0xE6, 0xFD, 0xFF};
inline const QColor kLitShade{0x22, 0x76, 0x86};

inline const QColor kWhite{0xF3, 0xF8, 0xFB};
inline const QColor kAmber{0xFF, 0xB4, 0x4A};

// Pale plates behind the black captions the Auto panel prints on its buttons.
inline const QColor kPlateOff{0xC3, 0xD1, 0xDC};
inline const QColor kPlateOn{0x8A, 0xF4, 0xFA};

inline QColor withAlpha(QColor colour, double alpha) {
    colour.setAlphaF(alpha);
    return colour;
}

}  // namespace pictures::palette
