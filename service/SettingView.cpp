#include "service/SettingView.h"

#include <cmath>

#include "main/panelkit/Controls.h"
#include "main/panelkit/LanguageStore.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/ListView.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"

namespace service {

namespace {
// A volume read back from a sound server is a float a hair off its tenth (0.14f is a bit
// above 0.14); the bounds of the snapping table include such values.
constexpr double kTolerance = 1e-6;
}  // namespace

// The numbers of one builder; the volume group is placed from the box on both.
struct SettingView::Layout {
    QRect language, languageMarker, languageCaption;
    QRect volume, volumeMarker, volumeCaption;
    QRect box;
    double captionFont;
    int volumeImageHeight;
    int stepSize;  // buttons 3 and 4
    QSize goBack;
    QPoint goBackInset;
};

SettingView::SettingView(const QRect& frame, panels::PanelContext context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setGeometry(frame);
    if (context_.runtime.screen().isTablet()) {
        initSettingView1();
    } else {
        initSettingView();
    }
    // Opens with the box empty and neither choice lit.
    hideSound();
    hideLanguageView();
}

QRect SettingView::frameFor(const tk::Runtime& runtime) {
    const tk::Screen& s = runtime.screen();
    if (s.isTablet()) return QRect(150, 100, 720, 550);
    if (s.L > 500) return QRect(65, 55, s.L - 130, 210);
    return QRect(60, 55, s.L - 140, 210);
}

void SettingView::initSettingView() {
    build({
        .language = QRect(50, 50, 50, 60),
        .languageMarker = QRect(100, 65, 20, 20),
        .languageCaption = QRect(50, 95, 50, 20),
        .volume = QRect(50, 115, 50, 60),
        .volumeMarker = QRect(100, 130, 20, 20),
        .volumeCaption = QRect(50, 160, 50, 20),
        .box = QRect(120, 40, width() <= 430 ? 200 : 240, 135),
        .captionFont = 10,
        .volumeImageHeight = 30,
        .stepSize = 30,
        .goBack = QSize(40, 40),
        .goBackInset = QPoint(50, 40),
    });
}

void SettingView::initSettingView1() {
    build({
        .language = QRect(100, 100, 100, 120),
        .languageMarker = QRect(200, 130, 40, 40),
        .languageCaption = QRect(100, 190, 100, 30),
        .volume = QRect(100, 270, 100, 120),
        .volumeMarker = QRect(200, 300, 40, 40),
        .volumeCaption = QRect(100, 360, 100, 30),
        .box = QRect(250, 85, 400, 300),
        .captionFont = 20,
        .volumeImageHeight = 60,
        .stepSize = 50,
        .goBack = QSize(70, 70),
        .goBackInset = QPoint(80, 70),
    });
}

void SettingView::build(const Layout& l) {
    tk::Bundle& bundle = context_.runtime.bundle();
    const QRect choices[2] = {l.language, l.volume};
    const QRect markers[2] = {l.languageMarker, l.volumeMarker};
    const QRect captions[2] = {l.languageCaption, l.volumeCaption};
    const char* const pictures[2] = {"setting_lang_off", "setting_volume_off"};
    for (int i = 0; i < 2; ++i) {
        panels::makeImageButton(this, choices[i], bundle, pictures[i], kLanguageTag + i);
        // A marker shows only beside the chosen one.
        panels::makeImageView(this, markers[i], bundle, "setting_tag", false,
                              kLanguageMarkerTag + i)
            ->hide();
        auto* caption = panels::makeCaption(this, captions[i], l.captionFont,
                                            kLanguageCaptionTag + i, QColor(0, 255, 255));
        caption->setNumberOfLines(2);
        caption->setLineBreakMode(tk::LineBreakMode::CharWrap);
    }

    // The box takes touches so that none fall through to the main screen behind it.
    panels::makeImageView(this, l.box, bundle, "setting_box_bg", true);

    tableView_ = new tk::ListView(this);
    tableView_->setGeometry(l.box.adjusted(5, 5, -5, -5));
    tableView_->setSeparatorColor(Qt::black);
    tableView_->setBackgroundColor(QColor());
    tableView_->show();

    const double centreX = l.box.x() + l.box.width() / 2.0;
    const double centreY = l.box.y() + l.box.height() / 2.0;
    const int imageWidth = int(std::lround(0.6 * l.box.width()));
    const auto centredAt = [](double x, double y, int w, int h) {
        return QRect(int(std::lround(x - w / 2.0)), int(std::lround(y - h / 2.0)), w, h);
    };
    imagView1_ =
        panels::makeImageView(this, centredAt(centreX, centreY, imageWidth, l.volumeImageHeight),
                              bundle, "setting_volume_0");
    const double stepOffset = imageWidth / 2.0 + 15;
    panels::makeImageButton(this, centredAt(centreX - stepOffset, centreY, l.stepSize, l.stepSize),
                            bundle, "setting_volume_lower_on", kDownTag);
    panels::makeImageButton(this, centredAt(centreX + stepOffset, centreY, l.stepSize, l.stepSize),
                            bundle, "setting_volume_upper_on", kUpTag);

    const QRect goBack(QPoint(width() - l.goBackInset.x(), height() - l.goBackInset.y()), l.goBack);
    panels::makeImageButton(this, goBack, bundle, "layout_goback_on", kGoBackTag);
}

void SettingView::setLanguageForModeView(std::int64_t languageFlag) {
    const panels::LanguageDictionary& dictionary = context_.languages.load(languageFlag);
    if (auto* label = tk::viewWithTag<tk::Label>(this, kLanguageCaptionTag)) {
        label->setText(dictionary.value("languageoption"));
    }
    if (auto* label = tk::viewWithTag<tk::Label>(this, kVolumeCaptionTag)) {
        label->setText(dictionary.value("volumeadjust"));
    }
    panels::evenCaptionRows(this);
}

void SettingView::setButtonImage(int tag, const QString& image) {
    if (auto* button = tk::viewWithTag<tk::ImageButton>(this, tag)) {
        button->setBackgroundImage(context_.runtime.bundle().image(image));
    }
}

void SettingView::setChoiceNormal() {
    setButtonImage(kLanguageTag, "setting_lang_off");
    setButtonImage(kVolumeTag, "setting_volume_off");
}

void SettingView::setChoiceSel(int choice) {
    setChoiceNormal();
    if (choice != kLanguageTag && choice != kVolumeTag) return;
    setButtonImage(choice, choice == kLanguageTag ? "setting_lang_on" : "setting_volume_on");
    for (int tag : {kLanguageMarkerTag, kVolumeMarkerTag}) {
        if (auto* marker = tk::viewWithTag(this, tag)) {
            marker->setHidden(tag != kLanguageMarkerTag + choice - 1);
        }
    }
}

void SettingView::showLanguageView() {
    tableView_->show();
}

void SettingView::hideLanguageView() {
    tableView_->hide();
}

void SettingView::setSoundHidden(bool hidden) {
    imagView1_->setHidden(hidden);
    for (int tag : {kDownTag, kUpTag}) {
        if (auto* button = tk::viewWithTag(this, tag)) button->setHidden(hidden);
    }
}

void SettingView::showSound() {
    setSoundHidden(false);
}

void SettingView::hideSound() {
    setSoundHidden(true);
}

int SettingView::snapToTenths(double volume) {
    for (int tenths = 0; tenths < 10; ++tenths) {
        if (volume <= tenths / 10.0 + 0.04 + kTolerance) return tenths;
    }
    return 10;
}

std::optional<QString> SettingView::volumeImageFor(std::int64_t level) {
    // Eight pictures for eleven levels.
    static const int kPicture[11] = {0, 1, -1, 2, 3, 4, -1, 5, 6, -1, 7};
    if (level < 0 || level > 10 || kPicture[level] < 0) return std::nullopt;
    return QString("setting_volume_%1").arg(kPicture[level]);
}

void SettingView::setVolumn(std::int64_t level) {
    if (const auto image = volumeImageFor(level)) {
        imagView1_->setImage(context_.runtime.bundle().image(*image));
        // The level picture's steps as a reader says them.
        imagView1_->setAccessibleName(QString("%1 %").arg(level * 10));
    }
}

}  // namespace service
