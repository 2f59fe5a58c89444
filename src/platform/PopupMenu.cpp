#include "platform/PopupMenu.h"

#include "platform/Application.h"
#include "platform/Exceptions.h"

#include <QComboBox>

PopupMenu::PopupMenu() : ToolkitControl(new QComboBox) {
    combo_ = static_cast<QComboBox*>(&Inner());
    // activated comes from the user's choice only, also of the row already chosen.
    QObject::connect(combo_, &QComboBox::activated,
                     [this] { Application::Dispatch([this] { Event_Change(); }); });
}

void PopupMenu::CheckRow(int row) const {
    if (row < 0 || row >= ListCount())
        throw OutOfBoundsException("pop-up menu row " + std::to_string(row) + " out of bounds");
}

void PopupMenu::AddRow(const std::string& text) {
    // A new row is not chosen: the first row added leaves the menu without a choice.
    const int chosen = ListIndex();
    combo_->addItem(QString::fromStdString(text));
    combo_->setCurrentIndex(chosen);
}

void PopupMenu::RemoveRow(int row) {
    CheckRow(row);
    combo_->removeItem(row);
}

void PopupMenu::DeleteAllRows() {
    combo_->clear();
}

int PopupMenu::ListCount() const {
    return combo_->count();
}

std::string PopupMenu::List(int row) const {
    CheckRow(row);
    return combo_->itemText(row).toStdString();
}

std::string PopupMenu::RowTag(int row) const {
    CheckRow(row);
    return combo_->itemData(row).toString().toStdString();
}

void PopupMenu::SetRowTag(int row, const std::string& tag) {
    CheckRow(row);
    combo_->setItemData(row, QString::fromStdString(tag));
}

int PopupMenu::ListIndex() const {
    return combo_->currentIndex();
}

void PopupMenu::SetListIndex(int row) {
    combo_->setCurrentIndex(row >= 0 && row < ListCount() ? row : -1);
}

std::string PopupMenu::Text() const {
    return ListIndex() < 0 ? std::string() : combo_->currentText().toStdString();
}
