#pragma once
// For the platform's own sources: single lines of text shaped once and kept by font and text.
// A calendar draws and measures the same day numbers, weekday and month names hundreds of times
// a frame, and shaping them is most of what drawing them costs.
#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QString>

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
