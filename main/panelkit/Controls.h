#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QWidget;

namespace tk {
class Bundle;
class ImageButton;
class ImageView;
class Label;
}  // namespace tk

namespace panels {

// The few ways the screens make their controls, so every panel and the main screen make
// them alike.

// A button whose look is the bundle picture `image` (nothing when it is missing).
tk::ImageButton* makeImageButton(QWidget* parent, const QRect& frame, tk::Bundle& bundle,
                                 const QString& image, int tag = 0);

// A picture; `touchesToSubviews` lets buttons placed on it take touches.
tk::ImageView* makeImageView(QWidget* parent, const QRect& frame, tk::Bundle& bundle,
                             const QString& image, bool touchesToSubviews = false, int tag = 0);

// Captions shrink down to this share of their font size before any text is cut off.
inline constexpr double kSmallestCaptionScale = 0.55;

// A one-line label in the system font, centred, in `color`; a text too long for the frame is
// drawn smaller, down to kSmallestCaptionScale.
tk::Label* makeCaption(QWidget* parent, const QRect& frame, double fontSize, int tag = 0,
                       const QColor& color = Qt::white);

// Gives the captions among `parent`'s children that form one row one text size: the largest
// at which every one of them fits. Captions of one size side by side, or one above another at
// one left edge, form a row. Called again whenever one of their texts changes.
void evenCaptionRows(QWidget* parent);

}  // namespace panels
