#pragma once

#include <QRectF>
#include <QString>
#include <span>
#include <vector>

#include "main/toolkit/Screen.h"

class QWidget;

namespace tk {
class Bundle;
}

namespace panels {

// One control of a panel as its frame table lists it. Frames may carry the fractional steps
// of the layout formulas; the builder rounds them to whole points.
struct ControlSpec {
    enum class Kind {
        Picture,      // a picture under the controls
        Bar,          // a picture that holds touch segments; found again by its name
        Button,       // an image button, found again by its tag
        Segment,      // a button without picture inside the bar named `bar`
        Caption,      // a label whose text comes from the language file under `key`
        LeftCaption,  // the same, left aligned
    };
    Kind kind;
    int tag = 0;
    QString image;  // picture, or the button's first look; for captions the text key
    QRectF frame;
    QString bar;            // a bar's own name, or the bar a segment sits in
    double font = 10;       // captions
    int lines = 1;          // captions: more than one wraps by character...
    bool wordWrap = false;  // ...or by word, where a caption has room for two whole lines
};

// The rows of a frame table, one call per line.
ControlSpec picture(const QString& image, QRectF frame);
ControlSpec bar(const QString& name, const QString& image, QRectF frame);
ControlSpec button(int tag, const QString& image, QRectF frame);
ControlSpec segment(const QString& inBar, int tag, QRectF frame);
ControlSpec caption(int tag, const QString& key, QRectF frame, double font, int lines = 1);
ControlSpec leftCaption(int tag, const QString& key, QRectF frame, double font);
ControlSpec wrappedCaption(int tag, const QString& key, QRectF frame, double font);

// A row of `count` segment buttons inside a bar, tags from `firstTag`, each `first` moved on
// by its width.
void addSegments(std::vector<ControlSpec>& specs, const QString& inBar, int firstTag, int count,
                 QRectF first);

// Makes the controls in table order (later ones on top). Segments go into the bar of that
// name made before them; a bar or picture lets touches through to what sits on it.
void buildControls(QWidget* panel, tk::Bundle& bundle, std::span<const ControlSpec> specs);

// The working-area frame the menu's panels share.
QRect menuPanelFrame(const tk::Screen& screen);

// Whole points: half-point origins of the layout formulas round to the nearest.
QRect wholePoints(const QRectF& frame);

}  // namespace panels
