// SPDX-License-Identifier: MIT
// The parts beyond the window's own controls, reached from its context menu and shortcuts.
#include "frmmain.h"

#include "line_health.h"
#include "recording_part.h"
#include "scan_launcher.h"
#include "tool_menu.h"
#include "trend_part.h"

#include <QContextMenuEvent>
#include <QPushButton>

void frmmain::createExtensions() {
    scanLauncher_ =
        new ScanLauncher(*this, *line_, messages_,
                         {[this] { return portShownOpen(); }, [this] { return acquiring(); },
                          [this] { return line_->lineSettings(); }});
    connect(scanLauncher_, &ScanLauncher::sensorChosen, this, &frmmain::selectSensor);

    recording_ = new RecordingPart(*this, messages_, settingsFolder());
    connect(this, &frmmain::cycleJudged, recording_, &RecordingPart::keep);
    connect(recording_, &RecordingPart::noteChanged, this, &frmmain::showStatusToolTip);
    connect(recording_, &RecordingPart::stoppedByFailure, this, &frmmain::setStatus);

    trend_ = new TrendPart(*this);
    connect(this, &frmmain::cycleJudged, trend_, &TrendPart::keep);

    lineHealth_ = new LineHealth(*this);

    toolMenu_ = new ToolMenu(*this);
    toolMenu_->addGroup({scanLauncher_->action(), lineHealth_->action()});
    toolMenu_->addGroup(recording_->actions() << trend_->action());
    for (QPlainTextEdit* box : {Text1(0), Text2, Message_Show})
        toolMenu_->attachTo(box);
    for (EditableComboBox* list :
         {Combo1, Combo2, Combo3, Combo4, Combo5, Combo_Addr(0), Combo_Addr(2)})
        toolMenu_->attachTo(list->lineEdit());

    const QString hint = tr("地址或波特率不明时，可右键选择“扫描传感器…”（Ctrl+F）");
    Combo_Addr(0)->setToolTip(hint);
    Combo_Addr(2)->setToolTip(hint);
    Command_OK1->setToolTip(tr("地址写入以广播（地址 0）发出：线上的每个传感器都会改用新地址。"
                               "请只接上要更改的那一个传感器"));
}

void frmmain::contextMenuEvent(QContextMenuEvent* event) {
    toolMenu_->popup(event->globalPos());
}

// com.txt keeps a new rate from the next close on.
void frmmain::selectSensor(int address, int baud) {
    Combo_Addr(2)->setText(QString::number(address));
    const QString rate = QString::number(baud);
    if (Combo2->text() == rate)
        return;
    Combo2->setText(rate);
    line_->reopen(choice());
}
