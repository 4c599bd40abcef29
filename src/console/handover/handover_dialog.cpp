// SPDX-License-Identifier: MIT
#include "handover/handover_dialog.h"

#include "file_store.h"
#include "handover_readouts.h"
#include "language/qt_texts.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum Column { kAddress, kModel, kName, kColumns };
const QSize kStartSize(720, 560);
} // namespace

HandoverDialog::HandoverDialog(HandoverBus bus, const QString& note, QWidget* parent)
    : QDialog(parent), bus_(std::move(bus)) {
    setObjectName(QStringLiteral("HandoverDialog"));
    setWindowTitle(tr("导出配置"));
    const bool english = CurrentLanguage() == Language::English;

    sensors_ = new QTableWidget(static_cast<int>(bus_.sensors.size()), kColumns);
    sensors_->setObjectName(QStringLiteral("handoverSensors"));
    sensors_->setAccessibleName(tr("传感器"));
    sensors_->setHorizontalHeaderLabels({tr("地址"), tr("型号"), tr("名称（可编辑）")});
    sensors_->verticalHeader()->hide();
    sensors_->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < bus_.sensors.size(); ++row) {
        const HandoverSensor& sensor = bus_.sensors[row];
        const auto fixed = [&](int column, const QString& text) {
            auto* item = new QTableWidgetItem(text);
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            sensors_->setItem(row, column, item);
        };
        fixed(kAddress, QString::number(sensor.address));
        fixed(kModel, english ? sensor.model.name.en : sensor.model.name.zh);
        sensors_->setItem(row, kName, new QTableWidgetItem(sensor.name));
    }
    sensors_->resizeColumnsToContents();
    connect(sensors_, &QTableWidget::cellChanged, this, &HandoverDialog::rename);

    previews_ = new QTabWidget;
    previews_->setObjectName(QStringLiteral("handoverPreviews"));
    auto* lineNote = new QLabel(note);
    lineNote->setObjectName(QStringLiteral("handoverNote"));
    lineNote->setWordWrap(true);
    lineNote->setVisible(!note.isEmpty());
    result_ = new QLabel;
    result_->setObjectName(QStringLiteral("handoverResult"));
    result_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox;
    QPushButton* save = buttons->addButton(tr("保存到文件夹…"), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("handoverSave"));
    // A button of our own text: a standard one takes Qt's text back at a change of language.
    buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    connect(save, &QPushButton::clicked, this, &HandoverDialog::chooseFolder);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sensors_);
    layout->addWidget(lineNote);
    layout->addWidget(previews_, 1);
    layout->addWidget(result_);
    layout->addWidget(buttons);
    resize(kStartSize);
    showFiles();
}

void HandoverDialog::rename(int row, int column) {
    if (column != kName || row < 0 || row >= bus_.sensors.size())
        return;
    const QString name = sensors_->item(row, column)->text().trimmed();
    // An emptied name falls back to the one the sensor started with.
    bus_.sensors[row].name =
        name.isEmpty() ? DefaultSensorName(bus_.sensors[row].model, bus_.sensors[row].address)
                       : name;
    showFiles();
}

void HandoverDialog::showFiles() {
    files_ = HandoverFiles(bus_);
    const int shown = previews_->currentIndex();
    while (previews_->count() > 0) {
        QWidget* page = previews_->widget(0);
        previews_->removeTab(0);
        delete page;
    }
    for (const HandoverFile& file : files_) {
        auto* text = new QPlainTextEdit(file.text);
        text->setObjectName(QStringLiteral("preview-") + file.id);
        text->setReadOnly(true);
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        previews_->addTab(text, file.fileName);
    }
    previews_->setCurrentIndex(std::max(0, shown));
}

bool HandoverDialog::saveInto(const QString& folder, QString* error) const {
    for (const HandoverFile& file : files_) {
        const QString path = QDir(folder).filePath(file.fileName);
        QString why;
        if (!WriteFileAtomically(path, file.text.toUtf8(), &why)) {
            if (error)
                *error = tr("无法写入 %1：%2").arg(QDir::toNativeSeparators(path), why);
            return false;
        }
    }
    return true;
}

void HandoverDialog::chooseFolder() {
    const QString folder = QFileDialog::getExistingDirectory(this, tr("保存配置到文件夹"));
    if (folder.isEmpty())
        return;
    QString error;
    result_->setText(saveInto(folder, &error)
                         ? tr("已保存 %n 个文件到 %1", "", static_cast<int>(files_.size()))
                               .arg(QDir::toNativeSeparators(folder))
                         : error);
}
