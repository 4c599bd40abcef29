// SPDX-License-Identifier: MIT
#include "watch/bus_watch_window.h"

#include <QCloseEvent>

#include "address_list.h"
#include "bus_watch.h"
#include "tool_limits.h"
#include "watch/watch_table_model.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QSize kStartSize(640, 420);
}

BusWatchWindow::BusWatchWindow(WatchTableModel& table, QWidget* parent)
    : QDialog(parent), tableModel_(table) {
    setObjectName(QStringLiteral("BusWatchWindow"));
    setWindowTitle(SharedText::WatchFeature());
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    addresses_ = new QLineEdit;
    addresses_->setObjectName(QStringLiteral("watchAddresses"));
    addresses_->setAccessibleName(tr("要监视的地址"));
    addresses_->setPlaceholderText(tr("例如 1-5, 7, 9"));
    addressProblem_ = new QLabel;
    addressProblem_->setObjectName(QStringLiteral("addressProblem"));
    addressProblem_->setStyleSheet(QStringLiteral("color: #a00000"));
    timeout_ = new QSpinBox;
    timeout_->setObjectName(QStringLiteral("watchTimeout"));
    timeout_->setRange(BusWatch::kMinTimeoutMs, BusWatch::kMaxTimeoutMs);
    timeout_->setValue(WatchPlan{}.timeoutMs);
    timeout_->setSuffix(tr(" 毫秒"));
    auto* form = new QFormLayout;
    form->addRow(tr("地址(&A)："), addresses_);
    form->addRow(QString(), addressProblem_);
    form->addRow(tr("应答超时(&T)："), timeout_);

    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(&table);
    sorted_->setSortRole(Qt::UserRole);
    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("watchTable"));
    table_->setAccessibleName(tr("监视结果"));
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(WatchTableModel::kAddress, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    auto* copy = new QAction(tr("复制表格"), table_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &BusWatchWindow::copyTable);
    table_->addAction(copy);
    addRateActions();
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);

    note_ = new QLabel(tr("依次读取每个地址；监视期间串口由本窗口使用。"));
    note_->setObjectName(QStringLiteral("watchNote"));
    note_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox;
    start_ = buttons->addButton(tr("开始监视(&S)"), QDialogButtonBox::ActionRole);
    start_->setObjectName(QStringLiteral("startWatch"));
    stop_ = buttons->addButton(tr("停止监视(&P)"), QDialogButtonBox::ActionRole);
    stop_->setObjectName(QStringLiteral("stopWatch"));
    auto* copyButton = buttons->addButton(tr("复制表格(&C)"), QDialogButtonBox::ActionRole);
    copyButton->setObjectName(QStringLiteral("copyWatch"));
    export_ = buttons->addButton(tr("导出配置…"), QDialogButtonBox::ActionRole);
    export_->setObjectName(QStringLiteral("exportWatch"));
    export_->setToolTip(tr("把监视的全部传感器按各自型号导出为监控系统的配置"));
    // A button of our own text: a standard one takes Qt's text back at a change of language.
    buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    connect(start_, &QPushButton::clicked, this, [this] {
        const AddressList list = ParseAddressList(addresses_->text());
        if (list.ok())
            emit startRequested(list.addresses, timeout_->value());
    });
    connect(stop_, &QPushButton::clicked, this, &BusWatchWindow::stopRequested);
    connect(copyButton, &QPushButton::clicked, this, &BusWatchWindow::copyTable);
    connect(export_, &QPushButton::clicked, this, &BusWatchWindow::exportRequested);
    // Only sensors the table shows can be handed over.
    connect(&table, &QAbstractItemModel::modelReset, this, &BusWatchWindow::showExportable);
    // The models' names are known only when the watch begins.
    connect(&table, &QAbstractItemModel::modelReset, this, &BusWatchWindow::growToColumns,
            Qt::QueuedConnection);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(addresses_, &QLineEdit::textChanged, this, &BusWatchWindow::checkAddresses);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(table_, 1);
    layout->addWidget(note_);
    layout->addWidget(buttons);
    resize(std::max(kStartSize.width(), widthForColumns()), kStartSize.height());
    // Styles differ in the margins round a cell's text: where the estimate falls short,
    // the window grows by what the columns lack once they have their real widths (after
    // the header has laid them out: it stretches the last one only then).
    connect(table_->horizontalHeader(), &QHeaderView::sectionResized, this,
            &BusWatchWindow::growToColumns, Qt::QueuedConnection);
    showRunning(false);
    checkAddresses();
    showExportable();
}

int BusWatchWindow::columnNeed(int column) const {
    const QFontMetrics cells = table_->fontMetrics();
    // A cell's text, its margins on either side and the grid line.
    const int cellMargins =
        2 * (table_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table_) + 1) + 1;
    int widest = table_->horizontalHeader()->sectionSizeHint(column);
    for (const QString& text : tableModel_.widestTexts(column))
        widest = std::max(widest, cells.horizontalAdvance(text) + cellMargins);
    return widest;
}

int BusWatchWindow::widthForColumns() const {
    int columns = 0;
    for (int column = 0; column < WatchTableModel::kColumns; ++column)
        columns += columnNeed(column);
    const int scrollBar = table_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table_);
    const QMargins around = layout()->contentsMargins();
    return columns + scrollBar + 2 * table_->frameWidth() + around.left() + around.right();
}

void BusWatchWindow::setAddressText(const QString& text) {
    addresses_->setText(text);
}

QString BusWatchWindow::addressText() const {
    return addresses_->text();
}

void BusWatchWindow::setTimeoutMs(int ms) {
    timeout_->setValue(ms);
}

int BusWatchWindow::timeoutMs() const {
    return timeout_->value();
}

void BusWatchWindow::checkAddresses() {
    const AddressList list = ParseAddressList(addresses_->text());
    addressProblem_->setText(list.error);
    addressProblem_->setVisible(!list.ok());
    addresses_->setAccessibleDescription(list.error);
    start_->setEnabled(!running_ && list.ok());
}

void BusWatchWindow::showExportable() {
    export_->setEnabled(sorted_->rowCount() > 0);
}

void BusWatchWindow::showRunning(bool running) {
    running_ = running;
    addresses_->setReadOnly(running);
    timeout_->setEnabled(!running);
    stop_->setEnabled(running);
    checkAddresses();
}

void BusWatchWindow::showNote(const QString& note) {
    note_->setText(note);
}

QString BusWatchWindow::tableText() const {
    return TableAsText(*sorted_);
}

void BusWatchWindow::copyTable() const {
    QApplication::clipboard()->setText(tableText());
}

// A dialog says finished only when it was visible; the watch must end either way.
void BusWatchWindow::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    emit closed();
}

void BusWatchWindow::growToColumns() {
    // The last column stretches over what is left, so its own need counts, not its width.
    const QHeaderView& header = *table_->horizontalHeader();
    const int last = header.count() - 1;
    const int lacking =
        header.length() - header.sectionSize(last) + columnNeed(last) - table_->viewport()->width();
    if (lacking > 0)
        resize(width() + lacking, height());
}

void BusWatchWindow::addRateActions() {
    for (const bool chosenOnly : {true, false}) {
        auto* action = new QAction(chosenOnly ? tr("更改波特率…") : tr("全部更改波特率…"), table_);
        action->setObjectName(chosenOnly ? QStringLiteral("rowRateChange")
                                         : QStringLiteral("allRateChange"));
        connect(action, &QAction::triggered, this, [this, chosenOnly] {
            const QList<int> addresses = rowAddresses(chosenOnly);
            if (!addresses.isEmpty())
                emit rateChangeRequested(addresses);
        });
        table_->addAction(action);
    }
}

QList<int> BusWatchWindow::rowAddresses(bool chosenOnly) const {
    QList<int> addresses;
    for (int row = 0; row < sorted_->rowCount(); ++row) {
        if (chosenOnly && !table_->selectionModel()->isRowSelected(row, {}))
            continue;
        const QModelIndex cell = sorted_->index(row, WatchTableModel::kAddress);
        addresses << sorted_->data(cell, Qt::UserRole).toInt();
    }
    return addresses;
}
