#include "platform/Fonts.h"

#include "platform/GraphicsQt.h"
#include "platform/Text.h"
#include "platform/Toolkit.h"

#include <QFontDatabase>

#include <map>
#include <set>

namespace {

enum class Kind { Sans, Serif, Mono, Wide };

struct Substitute {
    const char* name; // lower case
    Kind kind;
};

// Every family the calendar's designs name, with the kind of face that stands in for it.
constexpr Substitute kSubstitutes[] = {
    {"", Kind::Sans},
    {"system", Kind::Sans},
    {"smallsystem", Kind::Sans},
    {"arial", Kind::Sans},
    {"arial black", Kind::Sans},
    {"helvetica", Kind::Sans},
    {"helvetica neue", Kind::Sans},
    {"geneva", Kind::Sans},
    {"lucida grande", Kind::Sans},
    {"tahoma", Kind::Sans},
    {"microsoft sans serif", Kind::Sans},
    {"ms sans serif", Kind::Sans},
    {"impact", Kind::Sans},
    {"optima", Kind::Sans},
    {"optima extra black", Kind::Sans},
    {"verdana", Kind::Wide},
    {"webdings", Kind::Wide},
    {"times", Kind::Serif},
    {"times new roman", Kind::Serif},
    {"georgia", Kind::Serif},
    {"palatino", Kind::Serif},
    {"new york", Kind::Serif},
    {"courier", Kind::Mono},
    {"courier new", Kind::Mono},
    {"monaco", Kind::Mono},
    {"lucida console", Kind::Mono},
};

// Liberation first (metric-compatible with the common faces), DejaVu where it is missing. The
// wide kind is DejaVu Sans, whose glyphs are as wide as Verdana's and which has the symbols.
std::vector<const char*> Candidates(Kind kind) {
    switch (kind) {
    case Kind::Serif:
        return {"Liberation Serif", "DejaVu Serif"};
    case Kind::Mono:
        return {"Liberation Mono", "DejaVu Sans Mono"};
    case Kind::Wide:
        return {"DejaVu Sans", "Liberation Sans"};
    case Kind::Sans:
        break;
    }
    return {"Liberation Sans", "DejaVu Sans"};
}

// Installed families by lower-case name.
const std::map<std::string, std::string>& InstalledFamilies() {
    static const std::map<std::string, std::string> families = [] {
        EnsureToolkit();
        // The toolkit would otherwise read the whole configuration a second time beside it.
        Toolkit::WaitForFontSetUp();
        std::map<std::string, std::string> result;
        for (const QString& family : QFontDatabase::families())
            result.emplace(Lowercase(family.toStdString()), family.toStdString());
        return result;
    }();
    return families;
}

std::string FirstInstalled(Kind kind) {
    const auto candidates = Candidates(kind);
    for (const char* family : candidates)
        if (InstalledFamilies().contains(Lowercase(family))) return family;
    return candidates.front(); // the toolkit picks its own stand-in
}

std::string CleanName(std::string_view name) {
    std::string clean = Trim(name);
    if (clean.size() >= 2 && clean.front() == '"' && clean.back() == '"')
        clean = Trim(std::string_view(clean).substr(1, clean.size() - 2));
    return Lowercase(clean);
}

} // namespace

std::string ResolveFontFamily(std::string_view name) {
    static std::map<std::string, std::string> resolved;
    const std::string key = CleanName(name);
    if (const auto found = resolved.find(key); found != resolved.end()) return found->second;
    std::string family;
    for (const Substitute& substitute : kSubstitutes)
        if (key == substitute.name) family = FirstInstalled(substitute.kind);
    if (family.empty()) {
        const auto installed = InstalledFamilies().find(key);
        family =
            installed != InstalledFamilies().end() ? installed->second : FirstInstalled(Kind::Sans);
    }
    resolved.emplace(key, family);
    return family;
}

QFont FontFor(const std::string& name, int size, bool bold, bool italic, bool underline) {
    QFont font(QString::fromStdString(ResolveFontFamily(name)));
    font.setPixelSize(size > 0 ? size : 12);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    // Unhinted outlines measure the same on every display and in every picture.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}
