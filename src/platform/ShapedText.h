#pragma once
// For the platform's own sources: single lines of text shaped once and kept by font and text.
// A calendar draws and measures the same day numbers, weekday and month names hundreds of times
// a frame, and shaping them is most of what drawing them costs.
#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QString>

#include <string_view>

struct ShapedLine {
    QList<QGlyphRun> runs; // positioned with the line's top at 0
    qreal ascent = 0;
    qreal advance = 0;
};

// Whether a line in font is drawn from its shaped form exactly as the toolkit draws it itself.
// Lines are left to the toolkit when they hold control characters or are underlined, struck
// out or overlined: the toolkit places a shaped line's decorations wrongly on a moved painter.
bool ShapesAlike(const QFont& font, const QString& text);

// The shaped line; fontKey is font.key(), which the caller keeps with its font.
const ShapedLine& Shaped(const QFont& font, const QString& fontKey, const QString& text);

// The line's advance, as QFontMetricsF::horizontalAdvance gives it; taken from the shaped line
// where there is one, so that a line measured and then drawn is shaped once.
qreal LineAdvance(const QFont& font, const QString& fontKey, const QString& text);

// The part of a line of UTF-8 text that reaches limit pixels in font: the whole line when it is
// narrower (or holds a line break), else a beginning cut at a character's edge whose advance
// passes limit by a little. Only that beginning is converted and shaped, so a line of millions
// of characters costs what a screenful does.
std::string_view LineReaching(const QFont& font, const QString& fontKey, std::string_view line,
                              qreal limit);
