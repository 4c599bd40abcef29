// SPDX-License-Identifier: MIT
#include "trend/trend_window.h"

#include "window/song_font.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TrendWindow::TrendWindow(const ReadingSeries& series, QWidget* parent)
    : QWidget(parent), polled_(series) {
    setObjectName(QStringLiteral("TrendWindow"));
    setWindowFlag(Qt::Window);
    setWindowTitle(tr("趋势图"));
    setFont(SongFont(10.5));
    chart_ = new TrendChart(series, this);
    chart_->setObjectName(QStringLiteral("trendChart"));
    chart_->setAccessibleName(tr("温度和湿度趋势"));
    span_ = new QComboBox(this);
    span_->setObjectName(QStringLiteral("trendSpan"));
    span_->addItems({tr("最近 10 分钟"), tr("最近 1 小时"), tr("全部")});
    span_->setAccessibleName(tr("显示范围"));
    connect(span_, &QComboBox::currentIndexChanged, this,
            [this](int index) { chart_->setSpan(static_cast<TrendChart::Span>(index)); });

    source_ = new QComboBox(this);
    source_->setObjectName(QStringLiteral("trendSource"));
    source_->setAccessibleName(tr("显示的传感器"));
    source_->addItem(tr("单点采集"));
    connect(source_, &QComboBox::currentIndexChanged, this, &TrendWindow::showSource);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("传感器："), this));
    top->addWidget(source_);
    top->addWidget(new QLabel(tr("显示范围："), this));
    top->addWidget(span_);
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(chart_, 1);
    resize(760, 420);
}

void TrendWindow::setWatched(const std::vector<Watched>& watched) {
    const int shown = source_->currentIndex() > 0
                          ? watched_[static_cast<std::size_t>(source_->currentIndex() - 1)].address
                          : 0;
    watched_ = watched;
    const QSignalBlocker quiet(source_);
    source_->clear();
    source_->addItem(tr("单点采集"));
    int keep = 0;
    for (std::size_t i = 0; i < watched_.size(); ++i) {
        source_->addItem(tr("监视地址 %1").arg(watched_[i].address), watched_[i].address);
        if (watched_[i].address == shown)
            keep = static_cast<int>(i) + 1;
    }
    source_->setCurrentIndex(keep);
    showSource(keep);
}

void TrendWindow::setPolledReadouts(const ChartReadouts& readouts) {
    polledReadouts_ = readouts;
    showSource(source_->currentIndex());
}

void TrendWindow::showSource(int index) {
    if (index > 0) {
        const Watched& watched = watched_[static_cast<std::size_t>(index - 1)];
        chart_->setSeries(*watched.series);
        chart_->setReadouts(watched.readouts);
        return;
    }
    chart_->setSeries(polled_);
    chart_->setReadouts(polledReadouts_);
}

void TrendWindow::refresh() {
    if (isVisible())
        chart_->update();
}
