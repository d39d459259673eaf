#pragma once

#include <QFont>
#include <QString>

namespace tk {

// Fonts by the names the screens use, sized in points (1 point = 1 device-independent
// pixel). A family the machine lacks falls back to a similar one.
class Fonts {
public:
    static QFont system(double size);
    static QFont boldSystem(double size);
    // "Family", "Family-Bold", "Family-Oblique", "Family-BoldOblique" and the like.
    static QFont named(const QString& name, double size);
};

}  // namespace tk
