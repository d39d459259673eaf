#include "main/panelkit/Controls.h"

#include "main/toolkit/Bundle.h"
#include "main/toolkit/Fonts.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Tag.h"

namespace panels {

tk::ImageButton* makeImageButton(QWidget* parent, const QRect& frame, tk::Bundle& bundle,
                                 const QString& image, int tag) {
    auto* button = new tk::ImageButton(parent);
    button->setGeometry(frame);
    button->setBackgroundImage(bundle.image(image));
    if (tag != 0) tk::setTag(button, tag);
    button->show();
    return button;
}

tk::ImageView* makeImageView(QWidget* parent, const QRect& frame, tk::Bundle& bundle,
                             const QString& image, bool touchesToSubviews, int tag) {
    auto* view = new tk::ImageView(bundle.image(image), parent);
    view->setGeometry(frame);
    view->setUserInteractionEnabled(touchesToSubviews);
    if (tag != 0) tk::setTag(view, tag);
    view->show();
    return view;
}

tk::Label* makeCaption(QWidget* parent, const QRect& frame, double fontSize, int tag,
                       const QColor& color) {
    auto* label = new tk::Label(parent);
    label->setGeometry(frame);
    label->setTextFont(tk::Fonts::system(fontSize));
    label->setTextColor(color);
    label->setTextAlignment(Qt::AlignHCenter);
    // A caption that would be cut off in either language is drawn smaller instead.
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumScaleFactor(kSmallestCaptionScale);
    if (tag != 0) tk::setTag(label, tag);
    label->show();
    return label;
}

}  // namespace panels
