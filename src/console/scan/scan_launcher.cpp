// SPDX-License-Identifier: MIT
#include "scan/scan_launcher.h"

#include "menu/part_actions.h"
#include "message_sink.h"
#include "scan/scan_dialog.h"
#include "sensor_exchange.h"
#include "serial_line.h"
#include "tool_limits.h"

#include <QAction>

ScanLauncher::ScanLauncher(QWidget& window, SerialLine& line, const SensorExchange& exchange,
                           MessageSink& messages)
    : QObject(&window), window_(window), line_(line), exchange_(exchange), messages_(messages) {
    setObjectName(QStringLiteral("scanLauncher"));
    action_ = AddPartAction(
        window, this, [] { return SharedText::ScanFeature() + QStringLiteral("…"); }, "scanAction",
        QKeySequence(Qt::CTRL | Qt::Key_F));
    FollowLanguage(window, this, [this] { retranslate(); });
    connect(action_, &QAction::triggered, this, &ScanLauncher::open);
}

bool ScanLauncher::scanning() const {
    return dialog_ && dialog_->scanning();
}

void ScanLauncher::retranslate() {
    if (dialog_ && !dialog_->scanning())
        RebuildForLanguage(dialog_, [this] { open(); });
}

void ScanLauncher::stopScan() {
    if (dialog_)
        dialog_->stopScan();
}

void ScanLauncher::open() {
    if (!line_.shownOpen()) {
        messages_.show(SharedText::OpenPortFirst());
        return;
    }
    if (exchange_.acquiring()) {
        messages_.show(SharedText::StopAcquisitionFirst());
        return;
    }
    if (!line_.heldFor().isEmpty()) {
        messages_.show(SharedText::LineHeldBy(line_.heldFor()));
        return;
    }
    delete dialog_;
    dialog_ = new ScanDialog(line_, line_.lineSettings(),
                             models_ ? models_() : QList<SensorModel>(), &window_);
    connect(dialog_, &ScanDialog::sensorChosen, this,
            [this](int address, const LineSetup& line, const QString& modelId) {
                emit sensorChosen(address, line, modelId);
                if (dialog_)
                    dialog_->accept();
            });
    connect(dialog_, &ScanDialog::watchChosen, this,
            [this](const QList<int>& addresses, const LineSetup& line, const QString& note,
                   const QStringList& modelIds) {
                // The scan's dialog goes first, so that its line settings are back.
                if (dialog_)
                    dialog_->accept();
                emit watchChosen(addresses, line, note, modelIds);
            });
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->show();
    dialog_->raise();
}

QStringList ScanLauncher::foundModels() const {
    QStringList ids;
    if (!dialog_)
        return ids;
    const QString own = QLatin1String(ModelId::kToolsOwn);
    for (const ScanFinding& finding : dialog_->findings()) {
        const Identification& model = finding.model;
        if (model.verdict == Identification::Verdict::Known)
            ids << model.modelId;
        else if (model.verdict == Identification::Verdict::Unknown)
            ids << (model.candidates.contains(own) ? own : QString());
        else // not identified: the tool's own read answered
            ids << own;
    }
    return ids;
}
