#include "main/toolkit/TextLines.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <algorithm>
#include <vector>

namespace tk {

namespace {
struct Piece {
    int paragraph;
    int start;
    QString text;
};

QTextOption::WrapMode wrapModeFor(LineBreakMode mode) {
    return mode == LineBreakMode::CharWrap ? QTextOption::WrapAnywhere
                                           : QTextOption::WrapAtWordBoundaryOrAnywhere;
}

std::vector<Piece> wrap(const QStringList& paragraphs, const QFont& font, int width,
                        LineBreakMode mode, bool singleLine) {
    std::vector<Piece> pieces;
    for (int p = 0; p < paragraphs.size(); ++p) {
        const QString& paragraph = paragraphs[p];
        if (singleLine || paragraph.isEmpty()) {
            pieces.push_back({p, 0, paragraph});
            continue;
        }
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(wrapModeFor(mode));
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max(1, width));
            pieces.push_back(
                {p, line.textStart(), paragraph.mid(line.textStart(), line.textLength())});
        }
        layout.endLayout();
    }
    return pieces;
}

QString truncate(const QString& text, const QFontMetrics& metrics, int width, LineBreakMode mode) {
    switch (mode) {
        case LineBreakMode::HeadTruncation:
            return metrics.elidedText(text, Qt::ElideLeft, width);
        case LineBreakMode::MiddleTruncation:
            return metrics.elidedText(text, Qt::ElideMiddle, width);
        case LineBreakMode::TailTruncation:
            return metrics.elidedText(text, Qt::ElideRight, width);
        default:
            return text;
    }
}

bool truncates(LineBreakMode mode) {
    return mode == LineBreakMode::HeadTruncation || mode == LineBreakMode::MiddleTruncation ||
           mode == LineBreakMode::TailTruncation;
}

QString trimmedRight(QString text) {
    while (!text.isEmpty() && text.back().isSpace()) text.chop(1);
    return text;
}
}  // namespace

QStringList TextLines::layout(const QString& text, const QFont& font, int width, int height,
                              int numberOfLines, LineBreakMode mode) {
    if (text.isEmpty()) return {};
    const QFontMetrics metrics(font);
    const QStringList paragraphs = text.split('\n');
    const bool singleLine = numberOfLines == 1;
    const int fitting = std::max(1, height / std::max(1, metrics.lineSpacing()));
    const int maxLines = numberOfLines > 0 ? numberOfLines : fitting;

    const std::vector<Piece> pieces = wrap(paragraphs, font, width, mode, singleLine);
    const bool leftOver = int(pieces.size()) > maxLines;
    const bool overlong = singleLine && metrics.horizontalAdvance(pieces.front().text) > width;
    const int shown = std::min<int>(maxLines, pieces.size());

    QStringList lines;
    for (int i = 0; i < shown; ++i) lines << trimmedRight(pieces[i].text);
    if ((leftOver || overlong) && truncates(mode)) {
        // The last line holds everything from its start on, then loses what does not fit.
        const Piece& last = pieces[shown - 1];
        QString rest = paragraphs[last.paragraph].mid(last.start);
        if (last.paragraph + 1 < paragraphs.size()) rest += " " + paragraphs[last.paragraph + 1];
        if (leftOver && mode == LineBreakMode::TailTruncation &&
            metrics.horizontalAdvance(rest) <= width) {
            rest += QChar(0x2026);
        }
        lines.back() = truncate(rest, metrics, std::max(1, width), mode);
    }
    return lines;
}

}  // namespace tk
