// SPDX-License-Identifier: MIT
#include "message_box.h"

#include <QMessageBox>

void QtMessageBox::show(const QString& text, const QString& reason) {
    QMessageBox box(QMessageBox::NoIcon, title_(), text, QMessageBox::Ok, parent_);
    box.setInformativeText(reason);
    box.exec();
}
