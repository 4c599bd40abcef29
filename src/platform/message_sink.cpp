#include "message_sink.h"

#include <QMessageBox>

void QtMessageBox::show(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title_, text, QMessageBox::Ok, parent_);
    box.exec();
}
