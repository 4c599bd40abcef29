#include "reply_check.h"

bool CheckReply(const QString& SendHex, const QString& ReceiveHex) {
    const auto length = ReceiveHex.size();
    if (length != 63 && length != 27 && length != 24 && length != 21)
        return false;
    if (SendHex.size() < 5)
        return false;
    return QStringView(ReceiveHex).left(5) == QStringView(SendHex).left(5);
}
