// Functions beyond the window's own controls, reached from its context menu and shortcuts.
#include "frmmain.h"

#include "scan_dialog.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>

void frmmain::createExtensions() {
    scanAction_ = new QAction(tr("扫描传感器…"), this);
    scanAction_->setObjectName(QStringLiteral("scanAction"));
    scanAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(scanAction_, &QAction::triggered, this, &frmmain::openScan);
    addAction(scanAction_);

    const QString hint = tr("地址或波特率不明时，可右键选择“扫描传感器…”（Ctrl+F）");
    Combo_Addr(0)->setToolTip(hint);
    Combo_Addr(2)->setToolTip(hint);
}

void frmmain::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addActions(actions());
    menu.exec(event->globalPos());
}

void frmmain::openScan() {
    if (!portControl_->shownOpen()) {
        messages_.show(QStringLiteral("请先打开串口！"));
        return;
    }
    if (Command_OK3->text() == Caption::kStop) {
        messages_.show(tr("请先停止采集！"));
        return;
    }
    if (!scanDialog_) {
        scanDialog_ = new ScanDialog(
            services_.port, portControl_->portSettings(),
            [this](int address, int baud) { useScanFinding(address, baud); }, this);
        scanDialog_->setWindowModality(Qt::WindowModal);
    }
    scanDialog_->show();
    scanDialog_->raise();
}

bool frmmain::scanRunning() const {
    return scanDialog_ && scanDialog_->scan().running();
}

// The found sensor becomes the polled one; a different rate reopens the port at it, and
// com.txt keeps it from the next close on.
void frmmain::useScanFinding(int address, int baud) {
    Combo_Addr(2)->setText(QString::number(address));
    const QString rate = QString::number(baud);
    if (Combo2->text() != rate) {
        Combo2->setText(rate);
        if (portControl_->shownOpen()) {
            portControl_->closePort();
            portControl_->toggleOpen();
        }
    }
    if (scanDialog_)
        scanDialog_->accept();
}
