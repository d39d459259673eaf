#include "panels/PanelLayout.h"

#include <QHash>
#include <QWidget>
#include <cmath>

#include "main/panelkit/Controls.h"
#include "main/toolkit/Fonts.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"

namespace panels {

namespace {
int whole(double value) {
    return static_cast<int>(std::lround(value));
}
}  // namespace

QRect wholePoints(const QRectF& f) {
    return QRect(whole(f.x()), whole(f.y()), whole(f.width()), whole(f.height()));
}

ControlSpec picture(const QString& image, QRectF frame) {
    return {ControlSpec::Kind::Picture, 0, image, frame, QString(), 0, 1, false};
}

ControlSpec bar(const QString& name, const QString& image, QRectF frame) {
    return {ControlSpec::Kind::Bar, 0, image, frame, name, 0, 1, false};
}

ControlSpec button(int tag, const QString& image, QRectF frame) {
    return {ControlSpec::Kind::Button, tag, image, frame, QString(), 0, 1, false};
}

ControlSpec segment(const QString& inBar, int tag, QRectF frame) {
    return {ControlSpec::Kind::Segment, tag, QString(), frame, inBar, 0, 1, false};
}

ControlSpec caption(int tag, const QString& key, QRectF frame, double font, int lines) {
    return {ControlSpec::Kind::Caption, tag, key, frame, QString(), font, lines, false};
}

ControlSpec leftCaption(int tag, const QString& key, QRectF frame, double font) {
    return {ControlSpec::Kind::LeftCaption, tag, key, frame, QString(), font, 1, false};
}

ControlSpec wrappedCaption(int tag, const QString& key, QRectF frame, double font) {
    ControlSpec spec = caption(tag, key, frame, font, 2);
    spec.wordWrap = true;
    return spec;
}

void addSegments(std::vector<ControlSpec>& specs, const QString& inBar, int firstTag, int count,
                 QRectF first) {
    for (int k = 0; k < count; ++k) {
        specs.push_back(segment(inBar, firstTag + k, first.translated(k * first.width(), 0)));
    }
}

void buildControls(QWidget* panel, tk::Bundle& bundle, std::span<const ControlSpec> specs) {
    QHash<QString, QWidget*> bars;
    for (const ControlSpec& spec : specs) {
        const QRect frame = wholePoints(spec.frame);
        switch (spec.kind) {
            case ControlSpec::Kind::Picture:
                makeImageView(panel, frame, bundle, spec.image, true);
                break;
            case ControlSpec::Kind::Bar: {
                auto* view = makeImageView(panel, frame, bundle, spec.image, true);
                view->setObjectName(spec.bar);
                bars.insert(spec.bar, view);
                break;
            }
            case ControlSpec::Kind::Button:
                makeImageButton(panel, frame, bundle, spec.image, spec.tag);
                break;
            case ControlSpec::Kind::Segment:
                // A segment whose bar is missing from the table has nowhere to go.
                if (QWidget* holder = bars.value(spec.bar)) {
                    makeImageButton(holder, frame, bundle, QString(), spec.tag);
                }
                break;
            case ControlSpec::Kind::Caption:
            case ControlSpec::Kind::LeftCaption: {
                auto* label = makeCaption(panel, frame, spec.font, spec.tag);
                if (spec.kind == ControlSpec::Kind::LeftCaption) {
                    label->setTextAlignment(Qt::AlignLeft);
                }
                if (spec.lines > 1) {
                    label->setNumberOfLines(spec.lines);
                    label->setLineBreakMode(spec.wordWrap ? tk::LineBreakMode::WordWrap
                                                          : tk::LineBreakMode::CharWrap);
                }
                break;
            }
        }
    }
}

QRect menuPanelFrame(const tk::Screen& s) {
    if (s.isTablet()) return QRect(120, 130, s.L - 250, 500);
    if (s.L > 500) return QRect(65, 55, s.L - 130, 210);
    return QRect(60, 55, s.L - 140, 210);
}

}  // namespace panels
