#include "platform/ShapedText.h"

#include "platform/Text.h"

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

std::string_view LineReaching(const QFont& font, const QString& fontKey, std::string_view line,
                              qreal limit) {
    // A first guess of a byte a pixel, doubled while the beginning falls short. Marks that take
    // no room could keep it short for ever: past a sixteenth of a pixel a byte, the rest is
    // taken not to show.
    size_t bytes = static_cast<size_t>(std::max<qreal>(limit, 0)) + 64;
    const size_t most = 16 * bytes;
    // Past limit by a wide character, so that the last one that shows keeps its marks.
    const qreal reach = std::max<qreal>(limit, 0) + 2 * QFontMetricsF(font).height();
    while (bytes < line.size()) {
        const std::string_view start = Utf8Beginning(line, bytes);
        if (start.find_first_of("\r\n") != std::string_view::npos) return line;
        if (bytes >= most) return start;
        const QString text = QString::fromUtf8(start.data(), static_cast<qsizetype>(start.size()));
        if (LineAdvance(font, fontKey, text) > reach) return start;
        bytes *= 2;
    }
    return line;
}
