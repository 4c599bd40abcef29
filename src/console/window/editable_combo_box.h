// SPDX-License-Identifier: MIT
#pragma once

#include <QComboBox>

// A drop-down list with an editable text field whose selection follows the text: typing
// never adds an item, and text that is not the selected item means no selection.
class EditableComboBox final : public QComboBox {
    Q_OBJECT
public:
    explicit EditableComboBox(QWidget* parent = nullptr);

    QString text() const { return currentText(); }
    void setText(const QString& text) { setEditText(text); }
    // Selection index, -1 when the text is not the selected item.
    int listIndex() const;
    // Sets the selection from code; raises clicked as a pick would.
    void setListIndex(int index);

    void showPopup() override;

signals:
    // The list is about to open, so items can be brought up to date.
    void popupAboutToShow();
    // An item was picked by the operator or by setListIndex.
    void clicked();
};
