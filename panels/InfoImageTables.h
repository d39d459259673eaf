#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace panels {

// The Info panel's picture tables, by the value the chair reports. Index 0 of every
// indicator table is the empty indicator.
struct InfoImageTables {
    QStringList array1;           // technique, indicator 1
    QStringList array2;           // speed, indicator 2
    QStringList array3;           // width, indicator 3
    QStringList array4;           // massage range, indicator 4
    QStringList array5;           // stretch, indicator 9
    QStringList array6;           // arm air bags, indicator 7
    QStringList array7;           // lower body, indicator 8 at position 1
    QStringList array8;           // air bags, indicator 8 at position 2
    QStringList array9;           // legs, indicator 8 at position 3
    QStringList array10;          // foot rollers, indicator 10
    QStringList array11;          // waist heat, indicator 11
    QStringList array12;          // position, indicator 12
    QStringList arrayFirstSpeed;  // intensity bar, 0 to 5

    static InfoImageTables make();
};

inline const QString kEmptyIndicator = QStringLiteral("info_ico_bg");

// The picture of one time digit (0 to 9).
QString timeDigitImage(int digit);

// What a reader says for an indicator's picture, through `words` (a language's texts): what it
// shows and, for a graded picture, its grade ("Pace 3"); nothing for the empty indicator or a
// picture that says nothing.
QString statusText(const QString& picture, const QMap<QString, QString>& words);

}  // namespace panels
