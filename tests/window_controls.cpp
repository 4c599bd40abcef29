// SPDX-License-Identifier: MIT
#include "window_controls.h"

namespace {
template <typename Control> Control* named(frmmain& window, const char* name) {
    auto* control = window.findChild<Control*>(QLatin1String(name));
    Q_ASSERT_X(control, "WindowControls", name);
    return control;
}
} // namespace

WindowControls::WindowControls(frmmain& window)
    : Frame1(named<QGroupBox>(window, "Frame1")), Frame7(named<QGroupBox>(window, "Frame7")),
      Frame2(named<QGroupBox>(window, "Frame2")), Label1(named<QLabel>(window, "Label1")),
      Label2(named<QLabel>(window, "Label2")), Label3(named<QLabel>(window, "Label3")),
      Label4(named<QLabel>(window, "Label4")), Label5(named<QLabel>(window, "Label5")),
      Label6(named<QLabel>(window, "Label6")), Label7(named<QLabel>(window, "Label7")),
      Label8(named<QLabel>(window, "Label8")), Label9(named<QLabel>(window, "Label9")),
      Label14(named<QLabel>(window, "Label14")), Text2(named<QPlainTextEdit>(window, "Text2")),
      Message_Show(named<QPlainTextEdit>(window, "Message_Show")),
      Combo1(named<EditableComboBox>(window, "Combo1")),
      Combo2(named<EditableComboBox>(window, "Combo2")),
      Combo3(named<EditableComboBox>(window, "Combo3")),
      Combo4(named<EditableComboBox>(window, "Combo4")),
      Combo5(named<EditableComboBox>(window, "Combo5")),
      Command1(named<QPushButton>(window, "Command1")),
      Command_OK1(named<QPushButton>(window, "Command_OK1")),
      Command_OK3(named<QPushButton>(window, "Command_OK3")), Shape1(named<Lamp>(window, "Shape1")),
      Picture1(named<QLabel>(window, "Picture1")), Timer1(*named<QTimer>(window, "Timer1")),
      Timer2(*named<QTimer>(window, "Timer2")), Timer3(*named<QTimer>(window, "Timer3")),
      window_(window) {
    Label13.set(0, named<QLabel>(window, "Label13(0)"));
    Label17.set(0, named<QLabel>(window, "Label17(0)"));
    Label18.set(0, named<QLabel>(window, "Label18(0)"));
    Label18.set(1, named<QLabel>(window, "Label18(1)"));
    AI_SHOW.set(0, named<QLabel>(window, "AI_SHOW(0)"));
    AI_SHOW.set(1, named<QLabel>(window, "AI_SHOW(1)"));
    Text1.set(0, named<QPlainTextEdit>(window, "Text1(0)"));
    Combo_Addr.set(0, named<EditableComboBox>(window, "Combo_Addr(0)"));
    Combo_Addr.set(2, named<EditableComboBox>(window, "Combo_Addr(2)"));
}
