// SPDX-License-Identifier: MIT
#include "json_locator.h"

#include <algorithm>
#include <cstring>

namespace {

// Walks a JSON text that is known to be well formed.
class Walker {
public:
    explicit Walker(const QByteArray& text) : text_(text) {}

    qsizetype find(const QList<JsonStep>& path) {
        skipSpace();
        qsizetype found = pos_;
        for (const JsonStep& step : path) {
            if (!enter(step))
                return found;
            skipSpace();
            found = pos_;
        }
        return found;
    }

private:
    char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

    void skipSpace() {
        while (pos_ < text_.size() &&
               (peek() == ' ' || peek() == '\t' || peek() == '\r' || peek() == '\n'))
            ++pos_;
    }

    // A string at pos_, decoded; pos_ ends after its closing quote.
    QString readString() {
        QByteArray bytes;
        ++pos_;
        while (pos_ < text_.size() && peek() != '"') {
            if (peek() == '\\' && pos_ + 1 < text_.size()) {
                const char escaped = text_[pos_ + 1];
                pos_ += 2;
                if (escaped == 'u' && pos_ + 4 <= text_.size()) {
                    const QString unit(QChar(text_.mid(pos_, 4).toUShort(nullptr, 16)));
                    bytes += unit.toUtf8();
                    pos_ += 4;
                } else {
                    const char* from = "bfnrt";
                    const char* to = "\b\f\n\r\t";
                    const char* at = escaped ? std::strchr(from, escaped) : nullptr;
                    bytes += at ? to[at - from] : escaped;
                }
                continue;
            }
            bytes += text_[pos_++];
        }
        ++pos_;
        return QString::fromUtf8(bytes);
    }

    // Steps over one value of any kind.
    void skipValue() {
        skipSpace();
        const char first = peek();
        if (first == '"') {
            readString();
            return;
        }
        if (first == '{' || first == '[') {
            const char close = first == '{' ? '}' : ']';
            ++pos_;
            skipSpace();
            while (pos_ < text_.size() && peek() != close) {
                if (first == '{') {
                    readString();
                    skipSpace();
                    ++pos_; // ':'
                }
                skipValue();
                skipSpace();
                if (peek() == ',')
                    ++pos_;
                skipSpace();
            }
            ++pos_;
            return;
        }
        while (pos_ < text_.size() && !std::strchr(",]} \t\r\n", peek()))
            ++pos_;
    }

    // Moves pos_ to the value the step names inside the value at pos_; false if absent.
    bool enter(const JsonStep& step) {
        const bool object = step.index < 0;
        if (peek() != (object ? '{' : '['))
            return false;
        const char close = object ? '}' : ']';
        ++pos_;
        skipSpace();
        for (int index = 0; pos_ < text_.size() && peek() != close; ++index) {
            bool match = index == step.index;
            if (object) {
                match = readString() == step.key;
                skipSpace();
                ++pos_; // ':'
            }
            skipSpace();
            if (match)
                return true;
            skipValue();
            skipSpace();
            if (peek() == ',')
                ++pos_;
            skipSpace();
        }
        return false;
    }

    const QByteArray& text_;
    qsizetype pos_ = 0;
};

} // namespace

int LineAtOffset(const QByteArray& text, qsizetype offset) {
    const auto end = text.begin() + std::clamp<qsizetype>(offset, 0, text.size());
    return 1 + static_cast<int>(std::count(text.begin(), end, '\n'));
}

int LineOfValue(const QByteArray& text, const QList<JsonStep>& path) {
    return LineAtOffset(text, Walker(text).find(path));
}
