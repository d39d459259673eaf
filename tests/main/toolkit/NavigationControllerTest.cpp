#include "main/toolkit/NavigationController.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ViewController.h"

namespace {

using Journal = std::vector<std::string>;

struct Screen : tk::ViewController {
    Screen(std::string name, Journal& journal, bool hidesBar = false)
        : name(std::move(name)), journal(journal), hidesBar(hidesBar) {
        setTitle(QString::fromStdString(this->name));
    }
    ~Screen() override { journal.push_back(name + " gone"); }

    void viewDidLoad() override { journal.push_back(name + " loaded"); }
    void viewWillAppear(bool) override {
        journal.push_back(name + " appears");
        if (hidesBar) navigationController()->setNavigationBarHidden(true, true);
    }
    void viewWillDisappear(bool) override { journal.push_back(name + " disappears"); }

    std::string name;
    Journal& journal;
    bool hidesBar;
};

struct NavigationTest : ::testing::Test {
    Journal journal;
    std::shared_ptr<Screen> root = std::make_shared<Screen>("root", journal, true);
    std::unique_ptr<tk::NavigationController> nav;

    NavigationTest() {
        nav = std::make_unique<tk::NavigationController>(root);
        nav->resize(568, 320);
        nav->show();
    }
    std::shared_ptr<Screen> screen(const std::string& name) {
        return std::make_shared<Screen>(name, journal);
    }
    void tapBack() {
        nav->backButton()->touchDown();
        nav->backButton()->touchUp(true);
    }
};

TEST_F(NavigationTest, RootHidesTheBarAndPushShowsOnlyTheTopWithItsTitleAndBackButton) {
    EXPECT_EQ(journal, (Journal{"root loaded", "root appears"}));
    EXPECT_TRUE(nav->isNavigationBarHidden());
    EXPECT_EQ(root->view()->geometry(), QRect(0, 0, 568, 320));

    auto files = screen("/");
    nav->pushViewController(files, true);
    nav->setNavigationBarHidden(false, true);
    EXPECT_EQ(nav->topViewController(), files.get());
    EXPECT_TRUE(files->view()->isVisible());
    EXPECT_FALSE(root->view()->isVisible());
    EXPECT_EQ(nav->barTitle(), "/");
    EXPECT_TRUE(nav->backButton()->isVisible());
    EXPECT_TRUE(nav->backButton()->title().endsWith("root"));
    EXPECT_EQ(files->view()->geometry().top(), tk::NavigationController::kBarHeight);

    auto folder = screen("Documents");
    nav->pushViewController(folder, false);
    nav->pushViewController(folder, true);  // already on the stack: not again
    using List = std::vector<tk::ViewController*>;
    EXPECT_EQ(nav->viewControllers(), (List{root.get(), files.get(), folder.get()}));
    EXPECT_EQ(nav->barTitle(), "Documents");
    EXPECT_TRUE(nav->backButton()->title().endsWith("/"));
    folder->setTitle("Docs");
    EXPECT_EQ(nav->barTitle(), "Docs");
}

// Popped screens live until the stack changes again, so they may pop themselves.
TEST_F(NavigationTest, BackPopsOneScreenWhileTheBarShowsAndPopToRootDropsTheRest) {
    nav->popViewController(true);
    EXPECT_EQ(nav->depth(), 1) << "the root cannot be popped";
    nav->pushViewController(screen("/"), true);
    tapBack();
    EXPECT_EQ(nav->depth(), 2) << "the root hid the bar";
    nav->setNavigationBarHidden(false, true);
    nav->pushViewController(screen("Documents"), true);
    nav->pushViewController(screen("Pictures"), true);
    journal.clear();
    tapBack();
    EXPECT_EQ(nav->depth(), 3);
    EXPECT_EQ(nav->barTitle(), "Documents");
    nav->popToRootViewController(true);
    EXPECT_EQ(nav->depth(), 1);
    EXPECT_TRUE(nav->isNavigationBarHidden());
    EXPECT_TRUE(root->view()->isVisible());
    EXPECT_FALSE(nav->backButton()->isVisible());
    EXPECT_EQ(journal, (Journal{"Pictures disappears", "Documents appears", "Pictures gone",
                                "Documents disappears", "root appears"}));
    journal.clear();
    nav->popToRootViewController(true);
    EXPECT_EQ(journal, (Journal{"Documents gone", "/ gone"}));
}

}  // namespace
