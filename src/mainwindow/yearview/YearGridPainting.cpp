// Painting the year face: stripes, the year number in a side margin, the dividers between the
// month blocks, then every cell of the shown year. The text settings carry from one cell to
// the next, so a cell's look can depend on the cell painted before it.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/yearview/YearGrid.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "platform/Graphics.h"
#include "platform/Screen.h"
#include "platform/Text.h"

using YearGrid::Int;

namespace {

constexpr Color kStripe = RGB(240, 240, 240);
constexpr Color kGrey = RGB(200, 200, 200); // dividers and the hatch of special days
constexpr Color kToday = RGB(255, 0, 0);

// The grid's geometry in the painter's terms.
struct Band {
    int W, H;
    double LMW, RMW;
    int CW, RH, MH, TS;

    explicit Band(const calCanvas& grid)
        : W(grid.Width()), H(grid.Height()), LMW(grid.LeftMarginWidth), RMW(grid.RightMarginWidth),
          CW(grid.ColumnsWidth), RH(grid.DefaultRowHeight), MH(grid.MarginHeight),
          TS(grid.TextSize) {}
    int CellLeft(int c) const { return Int(LMW + c * CW); }
    int Baseline(int r) const { return MH + r * RH; }
};

void DrawStripes(Graphics& g, const Band& b) {
    g.ForeColor = kStripe;
    for (int y = 1; y <= b.H; y += 4)
        g.DrawLine(0, y, b.W, y);
}

// Where the year number stands: the left margin, or the right one.
int YearLeft(const Band& b, const CustomizationModule& m, double width, bool pictures) {
    if (m.yearOnRight) {
        if (m.leftJustifyYear) return Int(b.W - b.RMW + b.CW);
        if (m.rightJustifyYear && pictures) return b.W - b.CW - static_cast<int>(width);
        return Int(b.W - b.RMW / 2 - width / 2);
    }
    if (m.rightJustifyYear) return Int(b.LMW - width);
    return Int((b.LMW + b.CW) / 2 - width / 2);
}

// Four digits stacked downwards, from the edition's digit pictures or else as text.
void DrawYearNumber(Graphics& g, const Band& b, const CustomizationModule& m,
                    CalendarWindow& window, int year) {
    const bool pictures = !m.yearNumber.empty() && m.yearNumber[0] && window.YearDigitScaled(0);
    if (pictures) {
        const PicturePtr& zero = window.YearDigitScaled(0);
        const int pw = zero->Width(), ph = zero->Height();
        const int x = YearLeft(b, m, pw, true);
        const std::string s = Str(static_cast<long long>(year) - m.yearImageStartYear);
        const int top = Int(b.H / 2.0 - (4.0 * ph) / 2 - 20);
        for (int i = 1; i <= 4; ++i) {
            const char ch = i <= static_cast<int>(s.size()) ? s[static_cast<size_t>(i - 1)] : '0';
            const int digit = ch >= '0' && ch <= '9' ? ch - '0' : 0;
            if (const PicturePtr& picture = window.YearDigitScaled(digit))
                g.DrawPicture(*picture, x, top + i * ph);
        }
        return;
    }
    g.ForeColor = m.yearColor;
    g.TextFont = "Tahoma";
    g.TextSize = 64;
    const int w = Int(g.StringWidth("0"));
    const double h = g.StringHeight("0", 99);
    const int x = YearLeft(b, m, w, false);
    const int top = Int(b.H / 2.0 - (4 * h) / 2);
    const std::string s = Str(static_cast<long long>(year));
    for (int i = 1; i <= 4 && i <= static_cast<int>(s.size()); ++i)
        g.DrawString(s.substr(static_cast<size_t>(i - 1), 1), x, top + i * h);
}

void DrawDividers(Graphics& g, const Band& b) {
    g.ForeColor = kGrey;
    const int left = Int(b.LMW + b.CW / 2.0), right = Int(b.W - b.RMW);
    // Through the empty rows between the rows of month blocks.
    for (const int row : {8, 17}) {
        const int y = Int(b.MH + row * b.RH + b.RH / 2.0);
        g.DrawLine(left, y, right, y);
    }
    // A third into the empty column before the second, third and fourth month blocks.
    for (const int column : {8, 16, 24}) {
        const int x = Int(b.LMW + column * b.CW + b.CW / 3.0);
        g.DrawLine(x, b.MH + b.RH, x, b.H - b.MH);
    }
}

// A 15-pixel checkerboard of 3-pixel squares in a frame, in the day's cell box. Its height
// comes from whatever text settings the previous cell left.
void DrawHatch(Graphics& g, const Band& b, int r, int c) {
    const int boxLeft = b.CellLeft(c), boxTop = b.MH + (r - 1) * b.RH;
    const double sh = g.StringHeight("3", 999);
    const int x0 = Int(b.CW / 2.0 - 7);
    const int y0 = Int(b.RH - sh + 2);
    g.ForeColor = kGrey;
    for (int line = 0; line < 5; ++line) {
        const int y = boxTop + y0 + 3 * line;
        for (int x = line % 2 == 0 ? 0 : 3; x <= 12; x += 6)
            g.FillRect(boxLeft + x0 + x, y, 3, 3);
    }
    g.DrawRect(boxLeft + x0 - 1, boxTop + y0 - 1, 17, 17);
}

// What stays the same for every cell of one paint.
struct CellStyle {
    const CustomizationModule& module;
    const std::string& gridFont;
    int monthNameSize;
    std::string today;
};

void DrawWeekdayLetter(Graphics& g, const Band& b, const CellStyle& s, const std::string& t, int r,
                       int c) {
    // The font stays the one the month-name row above left.
    g.ForeColor = s.module.dayHeaderColor;
    g.TextSize = b.TS + 1;
    g.Underline = false;
    g.Bold = true;
    g.DrawString(t, b.CellLeft(c) + 2, b.Baseline(r));
}

// Also takes the empty cells, which set the settings and draw nothing.
void DrawMonthName(Graphics& g, const Band& b, const CellStyle& s, const std::string& t, int r,
                   int c) {
    const CustomizationModule& m = s.module;
    std::string n = m.monthNamesUppercase ? Uppercase(t) : t;
    if (m.monthNamesAbbreviated) n = n.substr(0, 3);
    g.ForeColor = m.monthNamesColor;
    g.TextFont = s.gridFont;
    g.Underline = false;
    g.TextSize = s.monthNameSize;
    g.Bold = m.monthNamesBold;
    if (n.empty()) return;
    int x = b.CellLeft(c);
    if (!m.monthNamesLeftJ) {
        // Centred over the block's seven day columns, less half the width of "W  ".
        const int wn = Int(g.StringWidth(n));
        const double ww = g.StringWidth("W  ");
        x = Int(b.LMW + c * b.CW + 7 * b.CW / 2.0 - wn / 2.0 - ww / 2);
    }
    g.DrawString(n, x, b.Baseline(r));
}

void DrawDay(Graphics& g, const Band& b, const CellStyle& s, const std::string& t, int r, int c) {
    g.Underline = false;
    bool underline = false;
    if (InStr(t, "//") > 0) {
        if (InStr(t, "Special") > 0)
            DrawHatch(g, b, r, c);
        else
            underline = true;
    }
    g.ForeColor = s.module.daysColor;
    g.TextFont = "Arial";
    g.TextSize = b.TS + 2;
    g.Bold = false;
    g.Underline = underline;
    const std::string date = t.substr(0, t.find("//"));
    std::string number = NthField(date, "/", 2);
    if (number.size() == 1) number = " " + number;
    g.DrawString(number, b.CellLeft(c), b.Baseline(r));
    if (date == s.today) {
        g.ForeColor = kToday;
        const int dh = Int(g.StringHeight("9", 99));
        g.DrawOval(Int(b.LMW + c * b.CW - 2), b.Baseline(r) - dh, dh + 2, dh + 2);
    }
}

} // namespace

void CalendarWindow::Calendar_Paint(Graphics& g) {
    const CustomizationModule& module = Customization();
    const calCanvas& grid = *Calendar;
    const Band band(grid);
    g.Bold = false;
    if (module.includeStriping) DrawStripes(g, band);
    DrawYearNumber(g, band, module, *this, YearGrid::ShownYear());
    if (!module.hideMonthDividers) DrawDividers(g, band);

    const CellStyle style{module, grid.TextFont, band.TS + (Screen(0).Height > 960 ? 4 : 3),
                          App().currentDate.ShortDate()};
    const int yearOffset = YearGrid::ShownYearOffset();
    for (int r = 1; r <= YearGrid::kRowsPerYear; ++r) {
        const int row = yearOffset + r;
        if (row > grid.CellTag.UBound(1)) continue;
        for (int c = 1; c <= 31; ++c) {
            const std::string& t = grid.CellTag(row, c);
            if (t.find('/') != std::string::npos)
                DrawDay(g, band, style, t, r, c);
            else if (t.size() == 1)
                DrawWeekdayLetter(g, band, style, t, r, c);
            else
                DrawMonthName(g, band, style, t, r, c);
        }
    }
}
