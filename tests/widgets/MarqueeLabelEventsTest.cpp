#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>

#include "MarqueeFixture.h"
#include "widgets/HintLine.h"
#include "widgets/ViewController.h"

namespace {

using marquee_test::MarqueeTest;
using widgets::ControllerInfo;
using widgets::MarqueeLabel;

TEST(ViewController, NearestMarkedAncestorElseTheWindowElseNone) {
    QWidget window, screenView, inner, label;
    screenView.setParent(&window);
    inner.setParent(&screenView);
    label.setParent(&inner);
    EXPECT_EQ(widgets::firstAvailableViewController(&label), &window);
    widgets::markAsViewController(&screenView);
    EXPECT_EQ(widgets::firstAvailableViewController(&label), &screenView);
    EXPECT_EQ(widgets::firstAvailableViewController(&screenView), &screenView);
    QWidget loose;
    EXPECT_EQ(widgets::firstAvailableViewController(&loose), nullptr);
    EXPECT_EQ(widgets::firstAvailableViewController(nullptr), nullptr);
}

TEST_F(MarqueeTest, ClassOperationsPostForAControllerOnly) {
    std::vector<std::pair<std::string, QWidget*>> posted;
    std::vector<base::ObserverRegistration> keep;
    for (const char* name :
         {widgets::kMarqueeRestartNotification, widgets::kMarqueeLabelizeNotification,
          widgets::kMarqueeAnimateNotification}) {
        keep.emplace_back(center, center.addObserver(name, nullptr, [&](const auto& n) {
            posted.emplace_back(n.name, std::any_cast<ControllerInfo>(n.userInfo).at("controller"));
        }));
    }
    MarqueeLabel::restartLabelsOfController(center, &screen);
    MarqueeLabel::controllerViewWillAppear(center, &screen);
    MarqueeLabel::controllerViewDidAppear(center, &screen);
    MarqueeLabel::controllerViewAppearing(center, &screen);
    MarqueeLabel::controllerLabelsShouldLabelize(center, &screen);
    MarqueeLabel::controllerLabelsShouldAnimate(center, &screen);
    MarqueeLabel::restartLabelsOfController(center, nullptr);
    MarqueeLabel::controllerLabelsShouldLabelize(center, nullptr);
    ASSERT_EQ(posted.size(), 6u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(posted[i].first, "MarqueeLabelViewControllerRestart");
    EXPECT_EQ(posted[4].first, "MarqueeLabelShouldLabelizeNotification");
    EXPECT_EQ(posted[5].first, "MarqueeLabelShouldAnimateNotification");
    for (const auto& p : posted) EXPECT_EQ(p.second, &screen);
}

TEST_F(MarqueeTest, ScreenNotificationsReachOnlyTheLabelsOfThatScreen) {
    QWidget otherScreen(&screen);
    widgets::markAsViewController(&otherScreen);
    otherScreen.show();
    auto* mine = hintLine();
    auto* theirs = hintLine(2, &otherScreen);
    mine->setText("long");
    theirs->setText("long");

    MarqueeLabel::controllerLabelsShouldLabelize(center, &screen);
    EXPECT_TRUE(mine->labelize());
    EXPECT_FALSE(theirs->labelize());
    MarqueeLabel::controllerLabelsShouldAnimate(center, &screen);
    EXPECT_FALSE(mine->labelize());

    clock.advance(3.3);
    MarqueeLabel::restartLabelsOfController(center, &otherScreen);
    const int moved = x(mine);
    EXPECT_EQ(x(theirs), 10);
    EXPECT_NEAR(moved, -108, 1);
    // A notification without the expected user info is ignored.
    center.post(widgets::kMarqueeRestartNotification, nullptr, std::string("junk"));
    EXPECT_EQ(x(mine), moved);
}

TEST_F(MarqueeTest, NavigationAwayStopsAndNavigationBackRestarts) {
    auto* label = hintLine();
    label->setText("long");
    clock.advance(3.3);
    QWidget other;
    center.post(widgets::kNavigationDidShowNotification, nullptr,
                ControllerInfo{{widgets::kLastVisibleControllerKey, &screen},
                               {widgets::kNextVisibleControllerKey, &other}});
    EXPECT_EQ(x(label), 10);
    EXPECT_EQ(clock.pendingCount(), 0u);
    center.post(widgets::kNavigationDidShowNotification, nullptr,
                ControllerInfo{{widgets::kLastVisibleControllerKey, &other},
                               {widgets::kNextVisibleControllerKey, &screen}});
    EXPECT_EQ(clock.pendingCount(), 1u);
}

TEST_F(MarqueeTest, LeavingTheForegroundStopsAndComingBackRestarts) {
    auto* label = hintLine();
    label->setText("long");
    clock.advance(3.3);
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    emit app->applicationStateChanged(Qt::ApplicationSuspended);
    EXPECT_EQ(x(label), 10);
    EXPECT_EQ(clock.pendingCount(), 0u);
    emit app->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_EQ(clock.pendingCount(), 1u);
}

TEST_F(MarqueeTest, RotationHoldsTheScrollUntilTheNewLayoutStands) {
    auto* label = hintLine();
    label->setText("long");
    clock.advance(3.3);
    emit QGuiApplication::primaryScreen()->orientationChanged(Qt::PortraitOrientation);
    EXPECT_TRUE(label->orientationWillChange());
    label->resize(200, 20);  // laid out again, but no scroll starts mid-rotation
    EXPECT_EQ(x(label), 10);
    EXPECT_FALSE(label->awayFromHome());
    clock.runDue();
    EXPECT_FALSE(label->orientationWillChange());
    EXPECT_TRUE(label->awayFromHome());
    EXPECT_DOUBLE_EQ(label->animationDuration(), 4.6);
}

TEST_F(MarqueeTest, FadeMaskFollowsTheFadeLengthAndWidth) {
    auto* label = hintLine();
    auto gradient = label->subLabel()->fadeMask();
    ASSERT_TRUE(gradient);
    EXPECT_EQ(gradient->start(), QPointF(0, 10));
    EXPECT_EQ(gradient->finalStop(), QPointF(300, 10));
    EXPECT_DOUBLE_EQ(gradient->stops()[1].first, 10.0 / 300);

    // A solid white text over a black screen: dark at the edges, white in the middle, also
    // after the copies moved (each repaint starts again from what lies beneath).
    QPalette black = screen.palette();
    black.setColor(QPalette::Window, Qt::black);
    screen.setPalette(black);
    screen.setAutoFillBackground(true);
    label->setText("long");
    label->setTextColor(Qt::white);
    label->setBackgroundColor(Qt::white);
    auto shot = [&] { return screen.grab().toImage().copy(label->geometry()); };
    EXPECT_EQ(qRed(shot().pixel(150, 10)), 255);
    EXPECT_LT(qRed(shot().pixel(299, 10)), 100);
    for (int frame = 0; frame < 3; ++frame) {
        clock.advance(1.0 + 4.6 + frame * 0.1 - clock.now());  // the main copy covers x = 0
        const QImage image = shot();
        EXPECT_LT(qRed(image.pixel(0, 10)), 40);
        EXPECT_EQ(qRed(image.pixel(150, 10)), 255);
        EXPECT_LT(qRed(image.pixel(299, 10)), 40);
    }

    label->setFadeLength(30);
    label->setText("short");  // 280 no longer fits between fades of 30
    EXPECT_TRUE(label->labelShouldScroll());
    gradient = static_cast<widgets::MarqueeCopy*>(copy(label, 701))->fadeMask();
    EXPECT_DOUBLE_EQ(gradient->stops()[1].first, 0.1);
    label->setFadeLength(0);
    EXPECT_FALSE(label->subLabel()->fadeMask());
    EXPECT_FALSE(label->labelShouldScroll());
    // The constructor keeps a fade within half the width.
    MarqueeLabel narrow(clock, center, QRect(0, 0, 40, 20),
                        widgets::ScrollSpeed::secondsPerScroll(7), 30);
    EXPECT_EQ(narrow.fadeLength(), 20);
}

TEST_F(MarqueeTest, SizingAddsTheFadesToTheTextWidth) {
    auto* label = hintLine();
    const QSize before = label->size();
    label->minimizeLabelFrameWithMaximumSize(QSize(), true);
    EXPECT_EQ(label->size(), before);  // no text: nothing changes
    label->setText("long");
    const int lineHeight = label->intrinsicContentSize().height();
    EXPECT_EQ(label->intrinsicContentSize().width(), 400);
    EXPECT_EQ(label->sizeThatFits(QSize(10, 10)), QSize(420, lineHeight));
    label->minimizeLabelFrameWithMaximumSize(QSize(350, 8), true);
    EXPECT_EQ(label->geometry(), QRect(90, 292, 350, 8));
    label->minimizeLabelFrameWithMaximumSize(QSize(0, 0), false);
    EXPECT_EQ(label->geometry(), QRect(90, 292, 420, 8));
    EXPECT_FALSE(label->labelShouldScroll());  // now wide enough to stand still
    EXPECT_EQ(clock.pendingCount(), 0u);
}

TEST_F(MarqueeTest, HintLineIsSetUpForPhoneAndTablet) {
    auto* phone = widgets::makeHintLine(clock, center, QRect(90, 292, 300, 20), false, &screen);
    auto* tablet = widgets::makeHintLine(clock, center, QRect(200, 700, 620, 40), true, &screen);
    EXPECT_EQ(phone->rate(), 100);
    EXPECT_EQ(tablet->rate(), 150);
    for (MarqueeLabel* label : {phone, tablet}) {
        EXPECT_EQ(label->fadeLength(), 10);
        EXPECT_EQ(label->marqueeType(), 2);
        EXPECT_EQ(label->continuousMarqueeExtraBuffer(), 50);
        EXPECT_EQ(label->animationCurve(), 0x30000);
        EXPECT_EQ(label->shadowOffset(), QPointF(0, -1));
        EXPECT_EQ(label->subLabel()->palette().color(QPalette::WindowText), QColor(Qt::white));
        EXPECT_TRUE(QFontInfo(label->subLabel()->font()).bold());
    }
    EXPECT_EQ(phone->subLabel()->font().pixelSize(), 15);
    EXPECT_EQ(tablet->subLabel()->font().pixelSize(), 30);
    // A font change measures the text again.
    phone->setText(QString(60, QChar('W')));
    const double width = phone->textWidth();
    phone->setFont(widgets::hintLineFont(30));
    EXPECT_GT(phone->textWidth(), width * 1.5);
}

}  // namespace
