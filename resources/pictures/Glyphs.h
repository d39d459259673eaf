#pragma once

#include <QString>

#include "pictures/Glyph.h"

// The icon set. Every glyph is drawn in the 100 x 100 design box of `Glyph`.
namespace pictures::glyphs {

// Controls of the main screen, the service and the settings panels.
Glyph power();
Glyph menu();
Glyph gear();
Glyph wrench();
Glyph goBack();
Glyph play();
Glyph pause();
Glyph playPause();
Glyph confirm();
Glyph arrow(bool up);
Glyph minus();
Glyph plus();
Glyph speaker();
Glyph globe();
Glyph signal();
Glyph document();
Glyph folder();
Glyph upload();
Glyph memorySlot(int slot);
Glyph stopwatch();
Glyph pointer();
Glyph automatic();
Glyph hand();
Glyph gauge();
Glyph moreTiles();
// `text` set in the bold face, fitted into `box`.
Glyph lettering(const QString& text, const QRectF& box, Glyph::Layer layer = Glyph::Layer::Main);

// The chair seen from the side with one of its movements.
enum class ChairMove { None, FootUp, FootDown, BackUp, BackDown };
Glyph chair(ChairMove move);

// The body from the front, with the air-bag zone lit.
enum class Zone { Arms, LowerBody, WaistToHip, Legs, Traction };
Glyph bodyZone(Zone zone);

// The back seen from behind, with the massage range lit.
enum class Range { Full, Upper, Lower, Partial, Fixed };
Glyph backRange(Range range);
// The back alone, the spine drawn in full.
Glyph back();
// The back with a marker at `level` of `levels` (1 = lowest).
Glyph backMarker(int level, int levels);

Glyph heat();
Glyph waistHeat();
Glyph footRollers();

// Manual techniques.
Glyph shoulderGrasp();
Glyph knead();
Glyph tap();
Glyph kneadAndTap();
Glyph shiatsu();
Glyph threeD();
Glyph speed(int level, int levels);
Glyph width(int level, int levels);

// Automatic programmes.
Glyph comfort();
Glyph relax();
Glyph acheRelief();
Glyph waistTwist();
Glyph airPressure();
Glyph waistStretch();

}  // namespace pictures::glyphs
