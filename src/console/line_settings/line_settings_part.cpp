// SPDX-License-Identifier: MIT
#include "line_settings/line_settings_part.h"

#include "line_settings/line_settings_dialog.h"
#include "menu/part_actions.h"
#include "message_sink.h"
#include "serial_line.h"
#include "tool_limits.h"

#include <QAction>

LineSettingsPart::LineSettingsPart(QWidget& window, const SerialLine& line, MessageSink& messages,
                                   const QString& settingsFolder, std::function<Shown()> shown,
                                   std::function<QString()> note)
    : QObject(&window), window_(window), line_(line), messages_(messages),
      settings_(settingsFolder), shown_(std::move(shown)), note_(std::move(note)) {
    setObjectName(QStringLiteral("lineSettings"));
    action_ = AddPartAction(
        window, this, [] { return LineSettingsPart::tr("线路设置…"); }, "lineSettingsAction",
        QKeySequence(Qt::CTRL | Qt::Key_B));
    FollowLanguage(window, this, [this] { retranslate(); });
    connect(action_, &QAction::triggered, this, &LineSettingsPart::showDialog);
}

void LineSettingsPart::showDialog() {
    if (!dialog_) {
        const Shown shown = shown_();
        dialog_ = new LineSettingsDialog(shown.baud, shown.format, note_(), &window_);
        dialog_->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog_, &QDialog::accepted, this, &LineSettingsPart::choose);
    }
    BringToFront(*dialog_);
}

void LineSettingsPart::retranslate() {
    RebuildForLanguage(dialog_, [this] { showDialog(); });
}

// A scan or the watch sets the line itself while it runs; a change now would pull it away.
void LineSettingsPart::choose() {
    if (!line_.heldFor().isEmpty()) {
        messages_.show(SharedText::LineHeldBy(line_.heldFor()));
        return;
    }
    emit lineChosen(dialog_->baud(), dialog_->format());
}

void LineSettingsPart::keep(const LineFormat& format) {
    if (format == keptFormat())
        return;
    settings_.setLineFormat(format);
    settings_.sync();
}
