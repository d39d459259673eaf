#include "panels/InfoView.h"

#include <QEvent>

#include "main/panelkit/Controls.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"
#include "panels/InfoLayout.h"

namespace panels {

namespace {
constexpr int kTopIndicators[] = {1, 2, 3, 4};
constexpr int kBottomIndicators[] = {7, 8, 9, 10, 11};
constexpr int kPositionIndicatorTag = 12;
constexpr std::int64_t kLongestTime = 45;
const QColor kLabelColor(0, 255, 255);

QRect stepped(const QRect& first, int step, int k) {
    return first.translated(step * k, 0);
}
}  // namespace

InfoView::InfoView(const QRect& frame, PanelContext context, QWidget* parent)
    : QWidget(parent), context_(context), tables_(InfoImageTables::make()) {
    setGeometry(frame);
    if (context_.runtime.screen().isTablet()) {
        InitInfoView1();
    } else {
        InitInfoView();
    }
}

QRect InfoView::frameOnScreen(const tk::Screen& screen) {
    return InfoLayout::panelFrame(screen);
}

void InfoView::InitInfoView() {
    build(InfoLayout::forPanel(tk::Idiom::Phone, width()));
}

void InfoView::InitInfoView1() {
    build(InfoLayout::forPanel(tk::Idiom::Tablet, width()));
}

void InfoView::build(const InfoLayout& layout) {
    tk::Bundle& bundle = context_.runtime.bundle();
    for (int k = 0; k < 4; ++k) {
        makeImageView(this, stepped(layout.firstTopIndicator, layout.topStep, k), bundle,
                      kEmptyIndicator, false, kTopIndicators[k]);
    }
    makeImageView(this, layout.firstDigit, bundle, timeDigitImage(0), false, kTensDigitTag);
    makeImageView(this, stepped(layout.firstDigit, layout.digitStep, 1), bundle, timeDigitImage(0),
                  false, kUnitsDigitTag);
    makeImageView(this, layout.minutesSign, bundle, "info_min");
    for (int k = 0; k < 5; ++k) {
        makeImageView(this, stepped(layout.firstBottomIndicator, layout.bottomStep, k), bundle,
                      kEmptyIndicator, false, kBottomIndicators[k]);
    }
    makeImageView(this, layout.positionIndicator, bundle, kEmptyIndicator, false,
                  kPositionIndicatorTag);

    tk::ImageView* startBar = makeImageView(this, layout.startBar, bundle, "info_start_bg", true);
    image1_ =
        makeImageView(startBar, layout.intensityBar, bundle, tables_.arrayFirstSpeed[0], true);
    addLabel(startBar, kCaptionTag, layout.intensityCaption, layout.fontSize);
    // Plain touch areas without a picture over the five steps of the bar.
    for (int tag = kFirstTouchAreaTag; tag <= kLastTouchAreaTag; ++tag) {
        auto* area = new tk::ImageButton(image1_);
        area->setGeometry(
            stepped(layout.firstTouchArea, layout.touchStep, tag - kFirstTouchAreaTag));
        tk::setTag(area, tag);
    }
    makeImageButton(startBar, layout.startPauseButton, bundle, "info_start", kStartPauseTag);
    addLabel(startBar, kStateLabelTag, layout.stateLabel, layout.fontSize);
    setLabelColor();
}

tk::Label* InfoView::addLabel(QWidget* parent, int tag, const QRect& frame, int fontSize) {
    tk::Label* label = makeCaption(parent, frame, fontSize, tag, kLabelColor);
    label->setTextAlignment(Qt::AlignLeft);
    return label;
}

void InfoView::setLabelColor() {
    for (int tag : {kCaptionTag, kStateLabelTag}) {
        if (auto* label = tk::viewWithTag<tk::Label>(this, tag)) label->setTextColor(kLabelColor);
    }
}

QString InfoView::text(const char* key) const {
    return dic_.value(QString::fromLatin1(key));
}

void InfoView::setLanguageForModeView(std::int64_t languageFlag) {
    dic_ = context_.languages.load(languageFlag);
    if (auto* caption = tk::viewWithTag<tk::Label>(this, kCaptionTag)) {
        caption->setText(text("strength"));
    }
    if (auto* state = tk::viewWithTag<tk::Label>(this, kStateLabelTag)) {
        state->setText(text(currentState_ == 1 ? "running" : "pause"));
        evenCaptionRows(state->parentWidget());
    }
    // The indicators are read in the new language.
    for (int tag = kTopIndicators[0]; tag <= kPositionIndicatorTag; ++tag) {
        if (auto* view = tk::viewWithTag<tk::ImageView>(this, tag))
            view->setAccessibleName(statusText(view->image().name(), dic_));
    }
    nameRemainingTime();
}

void InfoView::setIndicatorImage(int tag, const QString& name) {
    if (auto* view = tk::viewWithTag<tk::ImageView>(this, tag)) {
        view->setImage(context_.runtime.bundle().image(name));
        view->setAccessibleName(statusText(name, dic_));
    }
}

void InfoView::showFromTable(int tag, const QStringList& table, std::int64_t value) {
    if (value < 0 || value >= table.size()) return;
    setIndicatorImage(tag, table[static_cast<int>(value)]);
}

void InfoView::setImageView1(std::int64_t technique) {
    showFromTable(1, tables_.array1, technique);
}

void InfoView::setImageView2(std::int64_t speed) {
    showFromTable(2, tables_.array2, speed);
}

void InfoView::setImageView3(std::int64_t width) {
    showFromTable(3, tables_.array3, width);
}

void InfoView::setImageView4(std::int64_t range) {
    showFromTable(4, tables_.array4, range);
}

void InfoView::setTimeImageView(std::int64_t minutes) {
    if (minutes < 0 || minutes > kLongestTime) return;
    const int tens = static_cast<int>(minutes / 10);
    const int units = static_cast<int>(minutes - 10 * tens);
    setIndicatorImage(kTensDigitTag, timeDigitImage(tens));
    setIndicatorImage(kUnitsDigitTag, timeDigitImage(units));
    minutes_ = minutes;
    nameRemainingTime();
}

void InfoView::nameRemainingTime() {
    // A reader reads the two digit pictures as one text; the words may come before the file.
    QString words = text("a11yRemaining");
    if (!words.contains("%1")) words = "%1 min";
    if (auto* tens = tk::viewWithTag<tk::ImageView>(this, kTensDigitTag))
        tens->setAccessibleName(words.arg(minutes_));
}

void InfoView::setImageView7(std::int64_t armLevel) {
    showFromTable(7, tables_.array6, armLevel);
}

void InfoView::setImageView8(std::int64_t value, std::int64_t position) {
    if (value < 0 || value > 3 || position < 0 || position > 3) return;
    switch (position) {
        case 0:
            setIndicatorImage(8, kEmptyIndicator);
            break;
        case 1:
            showFromTable(8, tables_.array7, value);
            break;
        case 2:
            showFromTable(8, tables_.array8, value);
            break;
        default:
            showFromTable(8, tables_.array9, value);
            break;
    }
}

void InfoView::setImageView9(std::int64_t stretch) {
    showFromTable(9, tables_.array5, stretch);
}

void InfoView::setImageView10(std::int64_t footRollers) {
    showFromTable(10, tables_.array10, footRollers);
}

void InfoView::setImageView11(std::int64_t heat) {
    showFromTable(11, tables_.array11, heat);
}

void InfoView::setImageView12(std::int64_t position) {
    showFromTable(kPositionIndicatorTag, tables_.array12, position);
}

void InfoView::setSpeedImage(std::int64_t intensity) {
    if (intensity < 0 || intensity >= tables_.arrayFirstSpeed.size()) return;
    image1_->setImage(
        context_.runtime.bundle().image(tables_.arrayFirstSpeed[static_cast<int>(intensity)]));
}

void InfoView::setStartPause(std::int64_t state) {
    if (state != 0 && state != 1) return;
    const bool running = state == 1;
    if (auto* button = tk::viewWithTag<tk::ImageButton>(this, kStartPauseTag)) {
        button->setBackgroundImage(
            context_.runtime.bundle().image(running ? "info_pause" : "info_start"));
    }
    if (auto* label = tk::viewWithTag<tk::Label>(this, kStateLabelTag)) {
        label->setText(text(running ? "running" : "pause"));
        evenCaptionRows(label->parentWidget());
    }
    currentState_ = state;
}

void InfoView::observeInfoMessages(base::NotificationCenter& center,
                                   std::function<void()> onMessage) {
    // main thread: the status decoder posts "infoViewMessage" there.
    infoObservation_ = base::ObserverRegistration(
        center, center.addObserver(kMessageName, nullptr,
                                   [onMessage = std::move(onMessage)](const base::Notification&) {
                                       if (onMessage) onMessage();
                                   }));
}

bool InfoView::event(QEvent* event) {
    // Taken off the screen: the panel is gone for the controller even if Qt deletes it later.
    if (event->type() == QEvent::ParentChange && parentWidget() == nullptr) {
        infoObservation_.reset();
    }
    return QWidget::event(event);
}

}  // namespace panels
