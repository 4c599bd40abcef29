// SPDX-License-Identifier: MIT
#include "window/editable_combo_box.h"

#include <QLineEdit>

EditableComboBox::EditableComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Completion would turn typed text into a pick behind the operator's back.
    setCompleter(nullptr);
    setMaxVisibleItems(10);
    connect(this, &QComboBox::activated, this, [this] { emit clicked(); });
}

int EditableComboBox::listIndex() const {
    const int index = currentIndex();
    if (index < 0 || itemText(index) != currentText())
        return -1;
    return index;
}

void EditableComboBox::setListIndex(int index) {
    setCurrentIndex(index);
    if (index < 0)
        setEditText(QString());
    emit clicked();
}

void EditableComboBox::showPopup() {
    emit popupAboutToShow();
    QComboBox::showPopup();
}
