// SPDX-License-Identifier: MIT
#include "trend_window.h"

#include "song_font.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TrendWindow::TrendWindow(const ReadingSeries& series, QWidget* parent) : QWidget(parent) {
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

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("显示范围："), this));
    top->addWidget(span_);
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(chart_, 1);
    resize(760, 420);
}

void TrendWindow::refresh() {
    if (isVisible())
        chart_->update();
}
