#pragma once
// A list of rows and columns that its owner mostly draws itself: for every row slot it shows,
// also below the last row, the list raises CellBackgroundPaint with a surface clipped to the
// cell and its origin at the cell's corner, then CellTextPaint for the cells of real rows.
#include "platform/Color.h"
#include "platform/Control.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Graphics;
class ListBoxWidget;

// The in-place editor of a cell while EditCell is active.
class CellEditor {
  public:
    virtual ~CellEditor() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual int SelLength() const = 0;
    // Selects that many characters from the start of the text.
    virtual void SetSelLength(int length) = 0;
    virtual void SetBackColor(Color color) = 0;
};

class ListBox : public RectControl {
  public:
    enum Alignment { AlignDefault = 0, AlignLeft = 1, AlignCenter = 2, AlignRight = 3 };
    enum ColumnKind { TypeDefault = 0, TypeNormal = 1, TypeCheckBox = 2 };
    enum Border { BorderDefault = 0, BorderNone = 1, BorderThin = 2 };

    ListBox();
    ~ListBox() override;

    // Text settings of the cells.
    std::string TextFont = "System";
    int TextSize = 0;
    bool Bold = false;

    int ColumnCount() const { return columnCount_; }
    void SetColumnCount(int count);
    // Widths as a comma-separated list: pixels, percentages of the list's width, or "*" for
    // shares of what is left ("2*" takes two shares); columns past the list share the rest.
    const std::string& ColumnWidths() const { return columnWidths_; }
    void SetColumnWidths(const std::string& widths);
    // The width a column has now, in pixels.
    int ColumnWidth(int column) const;
    int ColumnLeft(int column) const;
    int ColumnType(int column) const;
    void SetColumnType(int column, int type);
    int ColumnAlignment(int column) const;
    void SetColumnAlignment(int column, int alignment);
    int ColumnAlignmentOffset(int column) const;
    void SetColumnAlignmentOffset(int column, int offset);

    int ListCount() const { return static_cast<int>(rows_.size()); }
    // The row added or inserted last; -1 before any.
    int LastIndex() const { return lastIndex_; }
    void AddRow(const std::string& text = {});
    void InsertRow(int row, const std::string& text = {});
    void RemoveRow(int row);
    void DeleteAllRows();
    // Changes whenever rows are added, removed or moved or a cell's text or check mark is set,
    // and never returns to an earlier number.
    uint64_t Revision() const { return revision_; }

    // Cells of rows that do not exist raise OutOfBoundsException.
    const std::string& Cell(int row, int column) const;
    void SetCell(int row, int column, const std::string& text);
    std::string CellTag(int row, int column) const;
    void SetCellTag(int row, int column, const std::string& tag);
    bool CellCheck(int row, int column) const;
    void SetCellCheck(int row, int column, bool value);
    int CellAlignment(int row, int column) const;
    void SetCellAlignment(int row, int column, int alignment);
    int CellBorderBottom(int row, int column) const;
    void SetCellBorderBottom(int row, int column, int border);

    // -1 sizes rows after the text font.
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int height);
    int RowHeight() const;

    // The selected row; -1 for none. Changing the selection raises Change.
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int row);
    bool Selected(int row) const { return row >= 0 && row == listIndex_; }
    void SetSelected(int row, bool value);

    // The first row shown.
    int ScrollPosition() const { return scrollPosition_; }
    void SetScrollPosition(int row);
    bool ScrollBarVertical() const { return scrollBarVertical_; }
    void SetScrollBarVertical(bool value);
    bool ScrollBarHorizontal() const { return scrollBarHorizontal_; }
    void SetScrollBarHorizontal(bool value);
    bool EnableDragReorder = false;
    // Cleared, a click below the last row clears the selection.
    bool RequiresSelection = true;

    // Repaints one cell; a column of -1 repaints the whole row.
    void InvalidateCell(int row, int column);

    // Opens the in-place editor on a cell; ActiveCell is that editor until the edit ends,
    // nullptr otherwise. Ending the edit stores the text and raises CellAction.
    void EditCell(int row, int column);
    CellEditor* ActiveCell() const;
    // Ends an open in-place edit as Return does: the text is stored and CellAction raised.
    void EndEditCell() { EndEdit(true); }

    std::function<bool(Graphics& g, int row, int column)> OnCellBackgroundPaint;
    std::function<bool(Graphics& g, int row, int column, int x, int y)> OnCellTextPaint;
    std::function<bool(int row, int column, int x, int y)> OnCellClick;
    std::function<void(int row, int column)> OnCellAction;
    std::function<void()> OnChange;
    std::function<void()> OnDoubleClick;
    std::function<bool(int newPosition, int parentRow)> OnDragReorderRows;
    std::function<void(int row, int column)> OnCellGotFocus;
    std::function<void(int row, int column)> OnCellLostFocus;

    virtual bool Event_CellBackgroundPaint(Graphics& g, int row, int column) {
        return OnCellBackgroundPaint && OnCellBackgroundPaint(g, row, column);
    }
    virtual bool Event_CellTextPaint(Graphics& g, int row, int column, int x, int y) {
        return OnCellTextPaint && OnCellTextPaint(g, row, column, x, y);
    }
    virtual bool Event_CellClick(int row, int column, int x, int y) {
        return OnCellClick && OnCellClick(row, column, x, y);
    }
    virtual void Event_CellAction(int row, int column) {
        if (OnCellAction) OnCellAction(row, column);
    }
    virtual void Event_Change() {
        if (OnChange) OnChange();
    }
    virtual void Event_DoubleClick() {
        if (OnDoubleClick) OnDoubleClick();
    }
    virtual bool Event_DragReorderRows(int newPosition, int parentRow) {
        return OnDragReorderRows && OnDragReorderRows(newPosition, parentRow);
    }
    virtual void Event_CellGotFocus(int row, int column) {
        if (OnCellGotFocus) OnCellGotFocus(row, column);
    }
    virtual void Event_CellLostFocus(int row, int column) {
        if (OnCellLostFocus) OnCellLostFocus(row, column);
    }

  private:
    friend class ListBoxWidget;
    struct CellData {
        std::string text, tag;
        bool check = false;
        int alignment = AlignDefault;
        int borderBottom = BorderDefault;
    };
    struct Column {
        int type = TypeDefault;
        int alignment = AlignDefault;
        int offset = 0;
    };
    using Row = std::vector<CellData>;

    CellData& At(int row, int column);
    const CellData& At(int row, int column) const;
    Row NewRow(const std::string& text) const;
    // The pixel widths of all columns at the list's present width; worked out again only when
    // the widths, the column count or that width changed (painting asks for every cell).
    const std::vector<int>& ResolvedWidths() const;
    ListBoxWidget& List() const;
    void MoveRow(int from, int to);
    void EndEdit(bool keep);

    std::vector<Row> rows_;
    std::vector<Column> columns_;
    std::string columnWidths_;
    int columnCount_ = 1;
    struct ResolvedColumns {
        std::string widths;
        int count = -1, total = -1;
        std::vector<int> pixels;
    };
    mutable ResolvedColumns resolved_;
    int defaultRowHeight_ = -1;
    int listIndex_ = -1;
    int lastIndex_ = -1;
    int scrollPosition_ = 0;
    uint64_t revision_ = 0;
    bool scrollBarVertical_ = false;
    bool scrollBarHorizontal_ = false;
};

// The pixel widths of columns from a width list (see ColumnWidths) over a total width.
std::vector<int> ResolveColumnWidths(const std::string& widths, int count, int total);
