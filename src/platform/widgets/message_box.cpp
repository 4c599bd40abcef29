// SPDX-License-Identifier: MIT
#include "message_box.h"

#include <QMessageBox>

void QtMessageBox::show(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title_(), text, QMessageBox::Ok, parent_);
    box.exec();
}
