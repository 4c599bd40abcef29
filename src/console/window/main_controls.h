// SPDX-License-Identifier: MIT
#pragma once

#include "window/control_array.h"
#include "window/editable_combo_box.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>

class Lamp;
class QGroupBox;
class QPushButton;

// The main window's controls, by their names, at their fixed places with their start
// properties. The window inherits them, so its handlers name them as they always have.
class MainControls {
    Q_DECLARE_TR_FUNCTIONS(MainControls)

protected:
    void setupControls(QWidget& window);
    // Every fixed text in the language now chosen; the captions that show state
    // (Command1, Command_OK3) are the window's to set.
    void retranslateControls(QWidget& window);

    QLabel* Label9 = nullptr;
    ControlArray<QLabel> AI_SHOW;
    ControlArray<QPlainTextEdit> Text1;
    QPlainTextEdit* Text2 = nullptr;
    QPlainTextEdit* Message_Show = nullptr;
    EditableComboBox* Combo1 = nullptr;
    EditableComboBox* Combo2 = nullptr;
    EditableComboBox* Combo3 = nullptr;
    EditableComboBox* Combo4 = nullptr;
    EditableComboBox* Combo5 = nullptr;
    ControlArray<EditableComboBox> Combo_Addr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command_OK1 = nullptr;
    QPushButton* Command_OK3 = nullptr;
    Lamp* Shape1 = nullptr;

private:
    void createLinkFrame(QWidget& window);
    void createAcquisitionFrame(QWidget& window);
    void createAddressFrame(QWidget& window);
    void createLinkLabelAndBoxes(QWidget& window);
    QLabel* createAddressList(QWidget* frame, const QString& labelName, int labelTop, int index);
    void setTabOrder();

    // The captions' holders, for a change of language.
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame7 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* linkLabels_[5] = {};
    QLabel* Label17 = nullptr; // Label17(0)
    QLabel* Label18[2] = {};
    QLabel* Label6 = nullptr;
    QLabel* Label8 = nullptr;
};
