// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QList>

class WatchTableModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QSpinBox;
class QTableView;

// 多传感器监视: the addresses to watch as typed ("1-5, 7, 9", checked while typed), the
// reply timeout, start and stop, and the table, sortable by any column and copied as text.
class BusWatchWindow final : public QDialog {
    Q_OBJECT
public:
    BusWatchWindow(WatchTableModel& table, QWidget* parent = nullptr);

    void setAddressText(const QString& text);
    QString addressText() const;
    void setTimeoutMs(int ms);
    int timeoutMs() const;
    // Whether the watch runs: the buttons and the fields follow.
    void showRunning(bool running);
    void showNote(const QString& note);
    // The table as shown, with a header line, tab-separated.
    QString tableText() const;
    void copyTable() const;

signals:
    // The window was closed, shown or not: the watch ends with it.
    void closed();
    void startRequested(const QList<int>& addresses, int timeoutMs);
    void stopRequested();
    // 更改波特率… on the chosen rows, or on every row: their addresses.
    void rateChangeRequested(const QList<int>& addresses);
    // 导出配置…: every watched sensor handed over to monitoring.
    void exportRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void growToColumns();

    const WatchTableModel& tableModel_;
    void addRateActions();
    QList<int> rowAddresses(bool chosenOnly) const;
    void checkAddresses();
    void showExportable();
    // Wide enough for every column at its widest, in the language shown.
    int widthForColumns() const;
    // The width column needs for its header and its widest text.
    int columnNeed(int column) const;

    QLineEdit* addresses_;
    QLabel* addressProblem_;
    QSpinBox* timeout_;
    QPushButton* start_;
    QPushButton* stop_;
    QPushButton* export_;
    QTableView* table_;
    QSortFilterProxyModel* sorted_;
    QLabel* note_;
    bool running_ = false;
};
