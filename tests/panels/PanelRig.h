#pragma once

#include <QFile>
#include <QStringList>
#include <QWidget>

#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Tag.h"

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

}  // namespace paneltest
