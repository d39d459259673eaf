#pragma once

#include <QFile>
#include <QStringList>
#include <QWidget>

#include "main/panelkit/LanguageStore.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Tag.h"
#include "support/TestRuntime.h"

namespace paneltest {

inline void writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(text);
}

// "x,y,w,h" of each view, space-separated, so a layout table fits one case to a line or two.
inline QString geometries(std::initializer_list<const QWidget*> views) {
    QStringList out;
    for (const QWidget* v : views) {
        const QRect r = v->geometry();
        out << QString("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    return out.join(' ');
}

inline tk::ImageButton* button(QWidget* view, int tag) {
    return tk::viewWithTag<tk::ImageButton>(view, tag);
}
inline QString picture(QWidget* view, int tag) {
    return button(view, tag)->backgroundImage().name();
}

// A panel placed on a shown window of the screen's size (touches reach only views on screen),
// with `en.plist` written first when the panel's texts are under test.
template <class View>
struct PanelRig {
    PanelRig(tk::Screen screen, const QRect& frame, const QByteArray& english = {})
        : rt(screen), languages(rt.bundle) {
        if (!english.isEmpty()) writeFile(rt.dir.path() + "/en.plist", english);
        root.resize(screen.windowSize());
        root.show();
        place(frame);
    }
    explicit PanelRig(tk::Screen screen = tk::Screen::phone(), const QByteArray& english = {})
        : PanelRig(screen, View::frameOnScreen(screen), english) {}
    View* place(const QRect& frame) {
        delete panel;
        panel = new View(frame, {rt.runtime, languages}, &root);
        panel->show();
        return panel;
    }

    testsupport::TestRuntime rt;
    panels::LanguageStore languages;
    QWidget root;
    View* panel = nullptr;
};

}  // namespace paneltest
