// SPDX-License-Identifier: MIT
#include "sensor_model/sensor_model_dialog.h"

#include "model_texts.h"
#include "window/song_font.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

SensorModelDialog::SensorModelDialog(const SensorCatalogue& catalogue, const QString& chosenId,
                                     QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("SensorModelDialog"));
    setWindowTitle(tr("传感器型号"));
    setFont(SongFont(10.5));
    table_ = new QTableWidget(0, kColumns, this);
    table_->setObjectName(QStringLiteral("modelTable"));
    table_->setHorizontalHeaderLabels({tr("型号"), tr("读取"), tr("出厂线路"), tr("地址更改")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->verticalHeader()->hide();
    problems_ = new QLabel(this);
    problems_->setObjectName(QStringLiteral("modelFileProblems"));
    problems_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* use = buttons->addButton(tr("使用"), QDialogButtonBox::AcceptRole);
    use->setObjectName(QStringLiteral("useModelButton"));
    QPushButton* reload = buttons->addButton(tr("重新读取型号文件"), QDialogButtonBox::ActionRole);
    reload->setObjectName(QStringLiteral("reloadModelsButton"));
    buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    connect(use, &QPushButton::clicked, this, &SensorModelDialog::chooseSelected);
    connect(table_, &QTableWidget::cellDoubleClicked, this, &SensorModelDialog::chooseSelected);
    connect(reload, &QPushButton::clicked, this, &SensorModelDialog::reloadRequested);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(problems_);
    layout->addWidget(buttons);
    resize(900, 420);
    showCatalogue(catalogue, chosenId);
}

void SensorModelDialog::showCatalogue(const SensorCatalogue& catalogue, const QString& chosenId) {
    table_->setRowCount(0);
    ids_.clear();
    for (const SensorModel& model : catalogue.models()) {
        const int row = table_->rowCount();
        table_->insertRow(row);
        const QString tip = ModelTexts::summary(model) +
                            (model.note.isEmpty() ? QString() : QLatin1Char('\n') + model.note);
        const QString texts[kColumns] = {ModelTexts::name(model), ModelTexts::readMap(model),
                                         ModelTexts::line(model.line),
                                         ModelTexts::addressWay(model)};
        for (int column = 0; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            item->setToolTip(tip);
            table_->setItem(row, column, item);
        }
        ids_ << model.id;
        if (model.id == chosenId)
            table_->selectRow(row);
    }
    problems_->setText(catalogue.problems().join(QLatin1Char('\n')));
    problems_->setVisible(!catalogue.problems().isEmpty());
}

void SensorModelDialog::chooseSelected() {
    const auto rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    emit modelChosen(ids_.at(rows.first().row()));
    accept();
}

void SensorModelDialog::addSection(QWidget* section) {
    auto* box = static_cast<QVBoxLayout*>(layout());
    box->insertWidget(box->count() - 1, section);
    // The list keeps its room: the dialog grows by the section.
    resize(width(), height() + section->sizeHint().height() + box->spacing());
}
