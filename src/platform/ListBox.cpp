#include "platform/ListBox.h"

#include "platform/Application.h"
#include "platform/Exceptions.h"
#include "platform/GraphicsQt.h"
#include "platform/ShapedText.h"
#include "platform/Text.h"
#include "platform/Widgets_p.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

std::vector<int> ResolveColumnWidths(const std::string& widths, int count, int total) {
    count = std::max(count, 0);
    std::vector<double> fixed(count, 0), shares(count, 0);
    for (int column = 0; column < count; ++column) {
        const std::string field = Trim(NthField(widths, ",", column + 1));
        if (field.empty() || field.back() == '*') {
            const std::string weight = field.size() > 1 ? field.substr(0, field.size() - 1) : "";
            shares[column] = weight.empty() ? 1.0 : std::max(Val(weight), 0.0);
        } else if (field.back() == '%') {
            fixed[column] = total * Val(field) / 100.0;
        } else {
            fixed[column] = std::max(Val(field), 0.0);
        }
    }
    double used = 0, shareSum = 0;
    for (int column = 0; column < count; ++column) {
        used += fixed[column];
        shareSum += shares[column];
    }
    const double perShare = shareSum > 0 ? std::max(total - used, 0.0) / shareSum : 0;
    // Round the column boundaries, not the widths, so the columns add up to the whole.
    std::vector<int> result(count);
    double edge = 0;
    int previous = 0;
    for (int column = 0; column < count; ++column) {
        edge += fixed[column] + shares[column] * perShare;
        const int rounded = static_cast<int>(std::floor(edge + 0.5));
        result[column] = rounded - previous;
        previous = rounded;
    }
    return result;
}

// ---- the widget ----

class CellLineEdit : public QLineEdit, public CellEditor {
  public:
    explicit CellLineEdit(QWidget* parent) : QLineEdit(parent) {}
    std::string Text() const override { return text().toStdString(); }
    void SetText(const std::string& value) override { setText(QString::fromStdString(value)); }
    int SelLength() const override { return static_cast<int>(selectedText().size()); }
    void SetSelLength(int length) override {
        setSelection(0, std::min<int>(length, static_cast<int>(text().size())));
    }
    void SetBackColor(Color color) override {
        setStyleSheet(
            QString("background-color: rgb(%1,%2,%3)").arg(color.r).arg(color.g).arg(color.b));
    }
    std::function<void(bool keep)> finished;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
            event->key() == Qt::Key_Tab) {
            if (finished) finished(true);
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        if (finished) finished(true);
    }
};

namespace {
// A box centred in the cell, ticked when checked.
void DrawCheckBox(QPainter& painter, const QRect& cell, bool checked) {
    const int size = std::min(12, cell.height() - 2);
    const QRect check(cell.left() + (cell.width() - size) / 2,
                      cell.top() + (cell.height() - size) / 2, size, size);
    painter.setPen(QColor(90, 90, 90));
    painter.setBrush(Qt::white);
    painter.drawRect(check.adjusted(0, 0, -1, -1));
    if (!checked) return;
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(check.left() + 2, check.center().y(), check.center().x(), check.bottom() - 2);
    painter.drawLine(check.center().x(), check.bottom() - 2, check.right() - 2, check.top() + 2);
}
} // namespace

class ListBoxWidget : public ControlWidget {
  public:
    ListBoxWidget() : scrollBar(Qt::Vertical, this) {
        scrollBar.hide();
        QObject::connect(&scrollBar, &QScrollBar::valueChanged, [this](int value) {
            if (!syncing) Box().SetScrollPosition(value);
        });
    }
    ListBox& Box() const { return static_cast<ListBox&>(Control()); }

    int VisibleRows() const { return std::max(1, height() / std::max(1, Box().RowHeight())); }
    int ContentWidth() const {
        return scrollBar.isVisible() ? std::max(0, width() - scrollBar.width()) : width();
    }
    // The row and column at a point; the row may lie past the last one, -1 when none.
    int RowAt(int y) const { return y < 0 ? -1 : y / Box().RowHeight() + Box().ScrollPosition(); }
    int ColumnAt(int x) const {
        const std::vector<int>& widths = Box().ResolvedWidths();
        for (int column = 0, left = 0; column < static_cast<int>(widths.size()); ++column) {
            left += widths[static_cast<size_t>(column)];
            if (x < left) return column;
        }
        return -1;
    }
    QRect CellRect(int row, int column) const {
        const int rowHeight = Box().RowHeight();
        return QRect(Box().ColumnLeft(column), (row - Box().ScrollPosition()) * rowHeight,
                     Box().ColumnWidth(column), rowHeight);
    }
    void UpdateScrollBar() {
        syncing = true;
        scrollBar.setGeometry(width() - scrollBar.sizeHint().width(), 0,
                              scrollBar.sizeHint().width(), height());
        scrollBar.setRange(0, std::max(0, Box().ListCount() - VisibleRows()));
        scrollBar.setPageStep(VisibleRows());
        scrollBar.setValue(Box().ScrollPosition());
        scrollBar.setVisible(Box().ScrollBarVertical());
        syncing = false;
    }

    QScrollBar scrollBar;
    std::unique_ptr<CellLineEdit> editor;
    int editRow = -1, editColumn = -1;
    int dragRow = -1;
    bool dragging = false;
    bool syncing = false;

  protected:
    void resizeEvent(QResizeEvent*) override { UpdateScrollBar(); }

    void Draw(QPainter& painter) override {
        ListBox& box = Box();
        const QFont font = FontFor(box.TextFont, box.TextSize, box.Bold, false, false);
        painter.setFont(font);
        const QFontMetrics metrics(font);
        const QString fontKey = font.key();
        // The geometry is worked out once for the whole paint rather than for every cell.
        const int rowHeight = box.RowHeight();
        const std::vector<int> widths = box.ResolvedWidths();
        const int contentWidth = ContentWidth();
        const int slotCount = height() / rowHeight + 1;
        for (int slot = 0; slot < slotCount; ++slot) {
            const int row = slot + box.ScrollPosition();
            const bool real = row < box.ListCount();
            int left = 0;
            for (int column = 0; column < static_cast<int>(widths.size()); ++column) {
                const int width = widths[static_cast<size_t>(column)];
                const QRect cell(left, slot * rowHeight, width, rowHeight);
                left += width;
                if (cell.left() >= contentWidth) break;
                painter.save();
                painter.setClipRect(cell);
                bool painted = false;
                {
                    auto g = GraphicsOnPainter(painter, cell);
                    Application::Dispatch(
                        [&] { painted = box.Event_CellBackgroundPaint(*g, row, column); });
                }
                if (!painted)
                    painter.fillRect(cell, real && box.Selected(row) ? QColor(200, 215, 240)
                                                                     : QColor(Qt::white));
                // The handler may have removed the row or the column.
                if (real && row < box.ListCount() && column < box.ColumnCount())
                    DrawCell(painter, {font, fontKey, metrics}, cell, row, column);
                painter.restore();
            }
        }
    }

    struct CellFont {
        const QFont& font;
        const QString& key;
        const QFontMetrics& metrics;
    };

    void DrawCell(QPainter& painter, const CellFont& cellFont, const QRect& cell, int row,
                  int column) const {
        const QFontMetrics& metrics = cellFont.metrics;
        ListBox& box = Box();
        const ListBox::CellData& data = box.At(row, column);
        const int left = box.ColumnAlignmentOffset(column);
        if (box.ColumnType(column) == ListBox::TypeCheckBox) {
            DrawCheckBox(painter, cell, data.check);
            return;
        }
        // A text dozens of times wider than its cell shows its beginning, from the cell's left:
        // only that much of it is converted, measured and drawn.
        const std::string_view shown =
            LineReaching(cellFont.font, cellFont.key, data.text, 64.0 * cell.width());
        const QString text = QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
        const int alignment = shown.size() < data.text.size() ? ListBox::AlignLeft
                              : data.alignment != ListBox::AlignDefault
                                  ? data.alignment
                                  : box.ColumnAlignment(column);
        const int textWidth = metrics.horizontalAdvance(text);
        int x = 2 + left;
        if (alignment == ListBox::AlignCenter)
            x = (cell.width() - textWidth) / 2 + left;
        else if (alignment == ListBox::AlignRight)
            x = cell.width() - textWidth - 2 + left;
        const int y = (cell.height() + metrics.ascent() - metrics.descent()) / 2;
        // Read now: the paint handler may change the rows, and data with them.
        const int borderBottom = data.borderBottom;
        bool painted = false;
        {
            auto g = GraphicsOnPainter(painter, cell);
            Application::Dispatch(
                [&] { painted = box.Event_CellTextPaint(*g, row, column, x, y); });
        }
        if (!painted) {
            painter.setPen(Qt::black);
            painter.drawText(cell.left() + x, cell.top() + y, text);
        }
        if (borderBottom == ListBox::BorderThin) {
            painter.setPen(QColor(0, 0, 0));
            painter.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        if (NotePointer(at, event->button())) return;
        ListBox& box = Box();
        // A list that takes the keyboard takes it with a click, for its arrow keys.
        if (box.AcceptFocus()) setFocus(Qt::MouseFocusReason);
        pressTaken_ = false;
        bool taken = false;
        Application::Dispatch([&] { taken = box.Event_MouseDown(at.x(), at.y()); });
        if (taken) {
            pressTaken_ = true;
            return;
        }
        const int row = RowAt(at.y()), column = ColumnAt(at.x());
        if (row >= box.ListCount() && !box.RequiresSelection) box.SetListIndex(-1);
        if (row < 0 || row >= box.ListCount() || column < 0) return;
        const QRect cell = CellRect(row, column);
        bool handled = false;
        Application::Dispatch([&] {
            handled = box.Event_CellClick(row, column, at.x() - cell.left(), at.y() - cell.top());
        });
        // The handler may have removed rows.
        if (handled || row >= box.ListCount()) return;
        box.SetListIndex(row);
        // So may the Change handler.
        if (box.ColumnType(column) == ListBox::TypeCheckBox && row < box.ListCount()) {
            box.SetCellCheck(row, column, !box.CellCheck(row, column));
            Application::Dispatch([&] { box.Event_CellAction(row, column); });
        }
        dragRow = box.EnableDragReorder ? row : -1;
        dragging = false;
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        if (pressTaken_ || event->buttons() == Qt::NoButton) {
            ControlWidget::mouseMoveEvent(event);
            return;
        }
        NotePointer(event->position().toPoint());
        if (dragRow >= 0) dragging = true;
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (pressTaken_) {
            ControlWidget::mouseReleaseEvent(event);
            return;
        }
        const QPoint at = event->position().toPoint();
        NotePointer(at);
        ListBox& box = Box();
        if (dragging && dragRow >= 0 && dragRow < box.ListCount()) {
            const int target = std::clamp(RowAt(at.y()), 0, box.ListCount() - 1);
            if (target != dragRow) {
                bool refused = false;
                Application::Dispatch([&] { refused = box.Event_DragReorderRows(target, -1); });
                if (!refused) box.MoveRow(dragRow, target);
            }
        }
        dragRow = -1;
        dragging = false;
    }

    // Up and down move the selection one row, unless the owner takes them; other keys take
    // the usual road.
    void keyPressEvent(QKeyEvent* event) override {
        const int step = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
        if (step == 0 || event->modifiers() != Qt::NoModifier) {
            ControlWidget::keyPressEvent(event);
            return;
        }
        ListBox& box = Box();
        bool used = false;
        Application::Dispatch([&] { used = box.Event_KeyDown(FrameworkKey(*event)); });
        if (used || box.ListCount() == 0) return;
        const int last = box.ListCount() - 1;
        const int row = box.ListIndex() < 0 ? (step > 0 ? 0 : last)
                                            : std::clamp(box.ListIndex() + step, 0, last);
        box.SetListIndex(row);
        if (row < box.ScrollPosition()) box.SetScrollPosition(row);
        if (row >= box.ScrollPosition() + VisibleRows())
            box.SetScrollPosition(row - VisibleRows() + 1);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        mousePressEvent(event);
        Application::Dispatch([this] { Box().Event_DoubleClick(); });
    }

    void wheelEvent(QWheelEvent* event) override {
        const QPoint at = event->position().toPoint();
        NotePointer(at);
        int dx = 0, dy = 0;
        WheelSteps(*event, dx, dy);
        bool used = false;
        Application::Dispatch([&] { used = Box().Event_MouseWheel(at.x(), at.y(), dx, dy); });
        if (!used && Box().ScrollBarVertical())
            Box().SetScrollPosition(Box().ScrollPosition() + dy * 3);
        event->accept();
    }
};

// ---- the list ----

ListBox::ListBox() : RectControl(std::make_unique<ListBoxWidget>()) {
    columns_.resize(1);
}

ListBox::~ListBox() = default;

ListBoxWidget& ListBox::List() const {
    return static_cast<ListBoxWidget&>(Host());
}

void ListBox::SetColumnCount(int count) {
    columnCount_ = std::max(count, 1);
    columns_.resize(columnCount_);
    for (Row& row : rows_)
        row.resize(columnCount_);
    Invalidate();
}

void ListBox::SetColumnWidths(const std::string& widths) {
    columnWidths_ = widths;
    Invalidate();
}

const std::vector<int>& ListBox::ResolvedWidths() const {
    const int total = List().ContentWidth();
    if (resolved_.count != columnCount_ || resolved_.total != total ||
        resolved_.widths != columnWidths_)
        resolved_ = {columnWidths_, columnCount_, total,
                     ResolveColumnWidths(columnWidths_, columnCount_, total)};
    return resolved_.pixels;
}

int ListBox::ColumnWidth(int column) const {
    if (column < 0 || column >= columnCount_) return 0;
    return ResolvedWidths()[static_cast<size_t>(column)];
}

int ListBox::ColumnLeft(int column) const {
    const auto& widths = ResolvedWidths();
    int left = 0;
    for (int i = 0; i < column && i < columnCount_; ++i)
        left += widths[i];
    return left;
}

int ListBox::ColumnType(int column) const {
    return column >= 0 && column < columnCount_ ? columns_[column].type : TypeDefault;
}
void ListBox::SetColumnType(int column, int type) {
    if (column >= 0 && column < columnCount_) columns_[column].type = type;
    Invalidate();
}
int ListBox::ColumnAlignment(int column) const {
    return column >= 0 && column < columnCount_ ? columns_[column].alignment : AlignDefault;
}
void ListBox::SetColumnAlignment(int column, int alignment) {
    if (column >= 0 && column < columnCount_) columns_[column].alignment = alignment;
    Invalidate();
}
int ListBox::ColumnAlignmentOffset(int column) const {
    return column >= 0 && column < columnCount_ ? columns_[column].offset : 0;
}
void ListBox::SetColumnAlignmentOffset(int column, int offset) {
    if (column >= 0 && column < columnCount_) columns_[column].offset = offset;
    Invalidate();
}

ListBox::Row ListBox::NewRow(const std::string& text) const {
    Row row(columnCount_);
    row[0].text = text;
    return row;
}

void ListBox::AddRow(const std::string& text) {
    rows_.push_back(NewRow(text));
    ++revision_;
    lastIndex_ = ListCount() - 1;
    List().UpdateScrollBar();
    Invalidate();
}

void ListBox::InsertRow(int row, const std::string& text) {
    row = std::clamp(row, 0, ListCount());
    EndEdit(true);
    rows_.insert(rows_.begin() + row, NewRow(text));
    ++revision_;
    lastIndex_ = row;
    if (listIndex_ >= row) ++listIndex_;
    List().UpdateScrollBar();
    Invalidate();
}

void ListBox::RemoveRow(int row) {
    if (row < 0 || row >= ListCount()) throw OutOfBoundsException("no row " + std::to_string(row));
    if (List().editRow == row) EndEdit(false);
    rows_.erase(rows_.begin() + row);
    ++revision_;
    if (List().editRow > row) --List().editRow;
    bool changed = false;
    if (listIndex_ == row) {
        listIndex_ = -1;
        changed = true;
    } else if (listIndex_ > row) {
        --listIndex_;
    }
    scrollPosition_ = std::clamp(scrollPosition_, 0, std::max(0, ListCount() - 1));
    List().UpdateScrollBar();
    Invalidate();
    if (changed) Application::Dispatch([this] { Event_Change(); });
}

void ListBox::DeleteAllRows() {
    EndEdit(false);
    const bool changed = listIndex_ != -1;
    rows_.clear();
    ++revision_;
    listIndex_ = -1;
    scrollPosition_ = 0;
    List().UpdateScrollBar();
    Invalidate();
    if (changed) Application::Dispatch([this] { Event_Change(); });
}

void ListBox::MoveRow(int from, int to) {
    // The reorder handler may have removed rows since the drag began.
    if (from < 0 || from >= ListCount() || to < 0 || to >= ListCount()) return;
    Row moved = std::move(rows_[from]);
    rows_.erase(rows_.begin() + from);
    rows_.insert(rows_.begin() + to, std::move(moved));
    ++revision_;
    if (listIndex_ == from) listIndex_ = to;
    Invalidate();
    Application::Dispatch([this] { Event_Change(); });
}

ListBox::CellData& ListBox::At(int row, int column) {
    if (row < 0 || row >= ListCount() || column < 0 || column >= columnCount_)
        throw OutOfBoundsException("no cell " + std::to_string(row) + "," + std::to_string(column));
    return rows_[row][column];
}

const ListBox::CellData& ListBox::At(int row, int column) const {
    return const_cast<ListBox*>(this)->At(row, column);
}

const std::string& ListBox::Cell(int row, int column) const {
    return At(row, column).text;
}
void ListBox::SetCell(int row, int column, const std::string& text) {
    At(row, column).text = text;
    ++revision_;
    InvalidateCell(row, column);
}
std::string ListBox::CellTag(int row, int column) const {
    return At(row, column).tag;
}
void ListBox::SetCellTag(int row, int column, const std::string& tag) {
    At(row, column).tag = tag;
}
bool ListBox::CellCheck(int row, int column) const {
    return At(row, column).check;
}
void ListBox::SetCellCheck(int row, int column, bool value) {
    At(row, column).check = value;
    ++revision_;
    InvalidateCell(row, column);
}
int ListBox::CellAlignment(int row, int column) const {
    return At(row, column).alignment;
}
void ListBox::SetCellAlignment(int row, int column, int alignment) {
    At(row, column).alignment = alignment;
    InvalidateCell(row, column);
}
int ListBox::CellBorderBottom(int row, int column) const {
    return At(row, column).borderBottom;
}
void ListBox::SetCellBorderBottom(int row, int column, int border) {
    At(row, column).borderBottom = border;
    InvalidateCell(row, column);
}

void ListBox::SetDefaultRowHeight(int height) {
    defaultRowHeight_ = height;
    List().UpdateScrollBar();
    Invalidate();
}

int ListBox::RowHeight() const {
    if (defaultRowHeight_ > 0) return defaultRowHeight_;
    const QFontMetrics metrics(FontFor(TextFont, TextSize, Bold, false, false));
    return metrics.height() + 4;
}

void ListBox::SetListIndex(int row) {
    if (row < -1 || row >= ListCount()) row = -1;
    if (row == listIndex_) return;
    listIndex_ = row;
    Invalidate();
    Application::Dispatch([this] { Event_Change(); });
}

void ListBox::SetSelected(int row, bool value) {
    if (value)
        SetListIndex(row);
    else if (row == listIndex_)
        SetListIndex(-1);
}

void ListBox::SetScrollPosition(int row) {
    row = std::clamp(row, 0, std::max(0, ListCount() - 1));
    if (row == scrollPosition_) return;
    scrollPosition_ = row;
    List().UpdateScrollBar();
    Invalidate();
}

void ListBox::SetScrollBarVertical(bool value) {
    scrollBarVertical_ = value;
    List().UpdateScrollBar();
    Invalidate();
}

void ListBox::SetScrollBarHorizontal(bool value) {
    scrollBarHorizontal_ = value;
}

void ListBox::InvalidateCell(int row, int column) {
    ListBoxWidget& list = List();
    if (column < 0) {
        list.update(QRect(0, (row - scrollPosition_) * RowHeight(), list.width(), RowHeight()));
        return;
    }
    list.update(list.CellRect(row, column));
}

void ListBox::EditCell(int row, int column) {
    At(row, column); // raises for a cell that is not there
    EndEdit(true);
    ListBoxWidget& list = List();
    list.editor = std::make_unique<CellLineEdit>(&list);
    list.editRow = row;
    list.editColumn = column;
    list.editor->setGeometry(list.CellRect(row, column));
    list.editor->setFrame(false);
    list.editor->setText(QString::fromStdString(Cell(row, column)));
    list.editor->finished = [this](bool keep) { EndEdit(keep); };
    list.editor->show();
    list.editor->setFocus();
    Application::Dispatch([&] { Event_CellGotFocus(row, column); });
}

CellEditor* ListBox::ActiveCell() const {
    return List().editor.get();
}

void ListBox::EndEdit(bool keep) {
    ListBoxWidget& list = List();
    if (!list.editor) return;
    // Detach first: hiding the editor takes its focus, which ends the edit again.
    std::unique_ptr<CellLineEdit> editor = std::move(list.editor);
    editor->finished = nullptr;
    const int row = list.editRow, column = list.editColumn;
    list.editRow = list.editColumn = -1;
    const std::string text = editor->Text();
    editor->hide();
    editor.release()->deleteLater();
    if (!keep || row < 0 || row >= ListCount() || column >= columnCount_) return;
    At(row, column).text = text;
    ++revision_;
    InvalidateCell(row, column);
    Application::Dispatch([&] { Event_CellLostFocus(row, column); });
    Application::Dispatch([&] { Event_CellAction(row, column); });
}
