#include "platform/ShapedText.h"

#include <QFontMetricsF>
#include <QHash>
#include <QTextLayout>

#include <algorithm>
#include <optional>

namespace {
struct Entry {
    std::optional<ShapedLine> line;
    std::optional<qreal> advance;
};

// Drawing happens on the main thread only. The store is emptied when it grows past what any
// screen shows, so that it never grows without bound.
constexpr qsizetype kMaxEntries = 4096;

Entry& Find(const QString& fontKey, const QString& text) {
    static QHash<QString, Entry> store;
    if (store.size() >= kMaxEntries) store.clear();
    return store[fontKey + QChar(0) + text];
}
} // namespace

bool ShapesAlike(const QFont& font, const QString& text) {
    return !font.underline() && !font.strikeOut() && !font.overline() &&
           std::none_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; });
}

const ShapedLine& Shaped(const QFont& font, const QString& fontKey, const QString& text) {
    Entry& entry = Find(fontKey, text);
    if (!entry.line) {
        QTextLayout layout(text, font);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setNumColumns(static_cast<int>(text.size()));
        layout.endLayout();
        entry.line = ShapedLine{layout.glyphRuns(), line.ascent(), line.horizontalAdvance()};
    }
    return *entry.line;
}

qreal LineAdvance(const QFont& font, const QString& fontKey, const QString& text) {
    if (ShapesAlike(font, text)) return Shaped(font, fontKey, text).advance;
    Entry& entry = Find(fontKey, text);
    if (!entry.advance) entry.advance = QFontMetricsF(font).horizontalAdvance(text);
    return *entry.advance;
}
