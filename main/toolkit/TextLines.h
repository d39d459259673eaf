#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace tk {

// How a label breaks text that does not fit, numbered as the screens' line-break modes.
enum class LineBreakMode {
    WordWrap = 0,
    CharWrap = 1,
    Clip = 2,
    HeadTruncation = 3,
    TailTruncation = 4,
    MiddleTruncation = 5,
};

// Splits a label's text into the lines it shows: wrapped at words or characters, at most
// `numberOfLines` (0: as many as the height holds), the last shown line truncated with an
// ellipsis when text is left over and the mode truncates.
class TextLines {
public:
    static QStringList layout(const QString& text, const QFont& font, int width, int height,
                              int numberOfLines, LineBreakMode mode);
};

}  // namespace tk
