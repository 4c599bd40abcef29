// SPDX-License-Identifier: MIT
#pragma once

#include "window/control_array.h"
#include "window/editable_combo_box.h"
#include "window/frmmain.h"
#include "window/lamp.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

// The window's controls and timers, found by their object names.
class WindowControls {
public:
    explicit WindowControls(frmmain& window);

    QGroupBox* Frame1;
    QGroupBox* Frame7;
    QGroupBox* Frame2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label14;
    ControlArray<QLabel> Label13;
    ControlArray<QLabel> Label17;
    ControlArray<QLabel> Label18;
    ControlArray<QLabel> AI_SHOW;
    ControlArray<QPlainTextEdit> Text1;
    QPlainTextEdit* Text2;
    QPlainTextEdit* Message_Show;
    EditableComboBox* Combo1;
    EditableComboBox* Combo2;
    EditableComboBox* Combo3;
    EditableComboBox* Combo4;
    EditableComboBox* Combo5;
    ControlArray<EditableComboBox> Combo_Addr;
    QPushButton* Command1;
    QPushButton* Command_OK1;
    QPushButton* Command_OK3;
    Lamp* Shape1;
    QLabel* Picture1;
    QTimer& Timer1;
    QTimer& Timer2;
    QTimer& Timer3;

    // Timer1's tick as the timer delivers it: a one-shot is no longer active by then.
    void tickTimer1() {
        Timer1.stop();
        window_.Timer1_Timer();
    }

private:
    frmmain& window_;
};
