// SPDX-License-Identifier: MIT
// Builds the window's controls at their fixed places, with their start properties.
#include "window/main_controls.h"

#include "tool_limits.h"
#include "window/captions.h"

#include "window/lamp.h"
#include "window/logo.h"
#include "window/song_font.h"
#include "window/twips.h"

#include <QGroupBox>
#include <QPushButton>

namespace {

constexpr qreal kDefaultPoints = 9;
constexpr qreal kLabelPoints = 10.5;
constexpr qreal kFramePoints = 12;
constexpr qreal kLargePoints = 14.25;
constexpr qreal kButtonPoints = 15;

void place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(TwipsRect(left, top, width, height));
}

// A caption label grows to fit its text, as an auto-sized label does.
void fitLabel(QLabel* widget) {
    const QSize hint = widget->sizeHint();
    widget->resize(std::max(widget->width(), hint.width()),
                   std::max(widget->height(), hint.height()));
}

QGroupBox* groupBox(QWidget* parent, const char* name) {
    auto* box = new QGroupBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setFont(SongFont(kFramePoints, true));
    return box;
}

// A caption label; its text comes with the language.
QLabel* label(QWidget* parent, const QString& name, int left, int top, int width, int height) {
    auto* widget = new QLabel(parent);
    widget->setObjectName(name);
    widget->setFont(SongFont(kLabelPoints));
    place(widget, left, top, width, height);
    return widget;
}

QPlainTextEdit* textBox(QWidget* parent, const QString& name, const QString& accessibleName,
                        qreal points) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessibleName);
    box->setFont(SongFont(points));
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setFocusPolicy(Qt::StrongFocus);
    box->setTabChangesFocus(true);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->document()->setDocumentMargin(2);
    return box;
}

EditableComboBox* comboBox(QWidget* parent, const QString& name, const QStringList& items,
                           const QString& startText, bool enabled) {
    auto* combo = new EditableComboBox(parent);
    combo->setObjectName(name);
    combo->setFont(SongFont(kDefaultPoints));
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setText(startText);
    combo->setEnabled(enabled);
    return combo;
}

QLabel* readout(QWidget* parent, const QString& name) {
    auto* display = new QLabel(parent);
    display->setObjectName(name);
    display->setFont(SongFont(kLargePoints));
    display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    display->setFrameShape(QFrame::Box);
    display->setLineWidth(1);
    display->setAutoFillBackground(true);
    QPalette palette = display->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 0));
    palette.setColor(QPalette::WindowText, QColor(128, 255, 128));
    display->setPalette(palette);
    return display;
}

QPushButton* button(QWidget* parent, const char* name, qreal points) {
    auto* push = new QPushButton(parent);
    push->setObjectName(QLatin1String(name));
    push->setFont(SongFont(points));
    push->setAutoDefault(false);
    return push;
}

} // namespace

void MainControls::setupControls(QWidget& window) {
    window.setObjectName(QStringLiteral("frmmain"));
    window.setFont(SongFont(kDefaultPoints));
    window.setFixedSize(TwipsToPixels(7455), TwipsToPixels(6030));
    createLinkFrame(window);
    createAcquisitionFrame(window);
    createAddressFrame(window);
    createLinkLabelAndBoxes(window);
    setTabOrder();
    retranslateControls(window);
}

void MainControls::retranslateControls(QWidget& window) {
    window.setWindowTitle(Caption::Window());
    Frame1->setTitle(tr(" 通讯设置 "));
    Frame7->setTitle(tr(" 温度采集"));
    Frame2->setTitle(tr(" 模块地址更改 "));
    const char* linkCaptions[] = {
        QT_TRANSLATE_NOOP("MainControls", "串口号"), QT_TRANSLATE_NOOP("MainControls", "波特率"),
        QT_TRANSLATE_NOOP("MainControls", "校验位"), QT_TRANSLATE_NOOP("MainControls", "数据位"),
        QT_TRANSLATE_NOOP("MainControls", "停止位")};
    for (int row = 0; row < 5; ++row)
        linkLabels_[row]->setText(tr(linkCaptions[row]));
    // The parity list's texts follow the language; its choice stays where it was.
    const int parity = Combo3->findText(Combo3->text(), Qt::MatchExactly);
    for (int item = 0; item < Combo3->count(); ++item)
        Combo3->setItemText(item, Caption::Parity(item));
    if (parity >= 0)
        Combo3->setText(Combo3->itemText(parity));
    Label17->setText(tr("模块地址:"));
    Label6->setText(tr("模块地址:"));
    Label18[0]->setText(tr("当前温度:"));
    Label18[1]->setText(tr("当前湿度:"));
    AI_SHOW(0)->setAccessibleDescription(tr("当前温度"));
    AI_SHOW(1)->setAccessibleDescription(tr("当前湿度"));
    Shape1->setAccessibleName(tr("串口状态"));
    Label8->setText(tr("温湿度"));
    Command_OK1->setText(Caption::Confirm());
    for (QLabel* caption : {linkLabels_[0], linkLabels_[1], linkLabels_[2], linkLabels_[3],
                            linkLabels_[4], Label17, Label6, Label18[0], Label18[1]})
        fitLabel(caption);
}

void MainControls::createLinkFrame(QWidget& window) {
    Frame1 = groupBox(&window, "Frame1");
    place(Frame1, 240, 120, 2175, 4455);

    // The five lists, each to the right of its caption; only the port can be changed.
    QStringList ports;
    for (int n = 1; n <= Limits::kPortCount; ++n)
        ports << QStringLiteral("COM%1").arg(n);
    QStringList rates;
    for (const int rate : Limits::kOfferedBaudRates)
        rates << QString::number(rate);
    struct Row {
        const char* label;
        EditableComboBox* MainControls::*list;
        const char* listName;
        QStringList items;
    };
    const Row rows[] = {
        {"Label1", &MainControls::Combo1, "Combo1", ports},
        {"Label2", &MainControls::Combo2, "Combo2", rates},
        {"Label3", &MainControls::Combo3, "Combo3", {QString(), QString(), QString()}},
        {"Label4",
         &MainControls::Combo4,
         "Combo4",
         {QStringLiteral("8"), QStringLiteral("7"), QStringLiteral("6")}},
        {"Label5", &MainControls::Combo5, "Combo5", {QStringLiteral("1"), QStringLiteral("2")}},
    };
    int top = 480;
    int rowIndex = 0;
    for (const Row& row : rows) {
        linkLabels_[rowIndex++] = label(Frame1, QLatin1String(row.label), 240, top, 630, 210);
        const QString name = QLatin1String(row.listName);
        EditableComboBox* list =
            comboBox(Frame1, name, row.items, name, row.list == &MainControls::Combo1);
        place(list, 960, top, 975, 300);
        this->*row.list = list;
        top += 600;
    }

    Shape1 = new Lamp(Frame1);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    place(Shape1, 240, 3670, 255, 375);
    Command1 = button(Frame1, "Command1", kDefaultPoints);
    Command1->setText(PortCaption::Open());
    place(Command1, 720, 3600, 1215, 495);
}

void MainControls::createAcquisitionFrame(QWidget& window) {
    Frame7 = groupBox(&window, "Frame7");
    place(Frame7, 2640, 120, 4695, 2295);
    Label17 = createAddressList(Frame7, QStringLiteral("Label17(0)"), 525, 2);
    Label18[0] = label(Frame7, QStringLiteral("Label18(0)"), 240, 1080, 945, 210);
    AI_SHOW.set(0, readout(Frame7, QStringLiteral("AI_SHOW(0)")));
    place(AI_SHOW(0), 1680, 980, 1455, 375);
    Label18[1] = label(Frame7, QStringLiteral("Label18(1)"), 240, 1680, 945, 210);
    AI_SHOW.set(1, readout(Frame7, QStringLiteral("AI_SHOW(1)")));
    place(AI_SHOW(1), 1680, 1580, 1455, 375);

    auto* Picture1 = new QLabel(Frame7);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(LogoPixmap());
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setAutoFillBackground(true);
    Picture1->setBackgroundRole(QPalette::Window);
    Picture1->setAccessibleName(QStringLiteral("logo"));
    place(Picture1, 3360, 480, 1095, 975);
    Label8 = new QLabel(Picture1);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->setFont(SongFont(kLabelPoints));
    place(Label8, 180, 600, 735, 255);

    Command_OK3 = button(Frame7, "Command_OK3", kButtonPoints);
    Command_OK3->setText(Caption::Start());
    place(Command_OK3, 3360, 1560, 1095, 500);
}

void MainControls::createAddressFrame(QWidget& window) {
    Frame2 = groupBox(&window, "Frame2");
    place(Frame2, 2640, 2640, 4695, 1095);
    Label6 = createAddressList(Frame2, QStringLiteral("Label6"), 500, 0);
    Command_OK1 = button(Frame2, "Command_OK1", kButtonPoints);
    place(Command_OK1, 3360, 360, 1095, 495);
}

void MainControls::createLinkLabelAndBoxes(QWidget& window) {
    Label9 = new QLabel(Caption::kWebAddress, &window);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setFont(SongFont(kLargePoints));
    Label9->setCursor(Qt::ArrowCursor);
    place(Label9, 2640, 3960, 4695, 495);

    QLabel* sendCaption = label(&window, QStringLiteral("Label13(0)"), 450, 4920, 525, 210);
    sendCaption->setText(QStringLiteral("Send:"));
    fitLabel(sendCaption);
    Text1.set(
        0, textBox(&window, QStringLiteral("Text1(0)"), QStringLiteral("Send:"), kDefaultPoints));
    place(Text1(0), 1080, 4800, 2415, 375);
    auto* Label7 = label(&window, QStringLiteral("Label7"), 4200, 4920, 840, 210);
    Label7->setText(QStringLiteral("Message:"));
    fitLabel(Label7);
    Message_Show =
        textBox(&window, QStringLiteral("Message_Show"), QStringLiteral("Message:"), kLabelPoints);
    place(Message_Show, 5160, 4800, 2175, 375);
    auto* Label14 = label(&window, QStringLiteral("Label14"), 120, 5640, 840, 210);
    Label14->setText(QStringLiteral("Receive:"));
    fitLabel(Label14);
    Text2 = textBox(&window, QStringLiteral("Text2"), QStringLiteral("Receive:"), kDefaultPoints);
    place(Text2, 1080, 5520, 6255, 375);
    sendCaption->setBuddy(Text1(0));
    Label7->setBuddy(Message_Show);
    Label14->setBuddy(Text2);
}

void MainControls::setTabOrder() {
    const QList<QWidget*> order = {Command_OK1, Combo_Addr(0), Command_OK3, Combo_Addr(2), Command1,
                                   Combo1,      Text1(0),      Text2,       Message_Show};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    Command_OK1->setFocus();
}

// Both address frames open with the module address: its caption and the list beside it.
QLabel* MainControls::createAddressList(QWidget* frame, const QString& labelName, int labelTop,
                                        int index) {
    QLabel* caption = label(frame, labelName, 240, labelTop, 945, 210);
    Combo_Addr.set(index,
                   comboBox(frame, QStringLiteral("Combo_Addr(%1)").arg(index), {}, {}, true));
    place(Combo_Addr(index), 1680, 480, 1455, 300);
    return caption;
}
