#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace tk {

class ImageButton;

// What screen readers are told about the screens' own controls: a button's name is its
// title, else the caption under it, else the name the app gives its picture (quick keys,
// power, go-back: pictures without a caption); it says "checked" while its picture shows it
// lit. Labels read their text. One per window, as its child; the app fills in the names in
// the current language. Main thread only.
class AccessibleNames : public QObject {
    Q_OBJECT
public:
    // Looks up a language key in the screen's current language.
    using Text = std::function<QString(const QString& key)>;

    // `pictures`: every picture name of the bundle, from which the lit ones are told;
    // `keysByStem`: the text key naming each captionless picture, by stem.
    AccessibleNames(QWidget& window, const QStringList& pictures,
                    QHash<QString, QString> keysByStem, Text text);

    // Installs the interfaces for the toolkit's controls; once per process is enough.
    static void install();
    static AccessibleNames* of(const QWidget* widget);

    QString nameOf(const ImageButton& button) const;
    // A picture is lit when it is the "on" or a numbered look of a stem that also has an
    // "_off" look, or one of the selected looks of a group ("service2").
    bool isLit(const QString& picture) const { return lit_.contains(picture); }
    // "layout_power" for "layout_power_on" and "layout_power_off", "manual_3d" for
    // "manual_3d_2".
    static QString stemOf(const QString& picture);

private:
    QHash<QString, QString> keysByStem_;
    Text text_;
    QSet<QString> lit_;
};

}  // namespace tk
