#pragma once
// A drop-down list of rows, one of them chosen. Change follows a choice of the user only,
// never a ListIndex set by the program.
#include "platform/ToolkitControl.h"

#include <functional>
#include <string>

class QComboBox;

class PopupMenu : public ToolkitControl {
  public:
    PopupMenu();

    void AddRow(const std::string& text);
    // Rows that do not exist raise OutOfBoundsException.
    void RemoveRow(int row);
    void DeleteAllRows();
    int ListCount() const;
    std::string List(int row) const;
    std::string RowTag(int row) const;
    void SetRowTag(int row, const std::string& tag);

    // The chosen row; -1 for none. Values outside the rows choose none.
    int ListIndex() const;
    void SetListIndex(int row);
    // The chosen row's text; empty when none is chosen.
    std::string Text() const;

    std::function<void()> OnChange;
    virtual void Event_Change() {
        if (OnChange) OnChange();
    }

  private:
    void CheckRow(int row) const;
    QComboBox* combo_; // owned by the control's widget
};
