// SPDX-License-Identifier: MIT
#include "crc.h"
#include "language/language_part.h"
#include "language/qt_texts.h"
#include "sensor_catalogue.h"
#include "sensor_exchange.h"
#include "sensor_model/sensor_model_dialog.h"
#include "sensor_model/sensor_model_part.h"
#include "statistics/statistics_window.h"
#include "tool_rig.h"
#include "trend/trend_window.h"
#include "watch/bus_watch_part.h"
#include "window/lamp.h"
#include "window/link_colour.h"
#include "window/one_at_a_time_messages.h"
#include "window/twips.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextLayout>

class TestWindow : public QObject {
    Q_OBJECT
private slots:
    void captionAndSize();
    void controlsSitWhereTheLayoutPutsThem_data();
    void controlsSitWhereTheLayoutPutsThem();
    void startStateOfEveryControl();
    void addressListsHold1To254();
    void tabOrderAndFirstFocus();
    void textBoxesCarryTheirLabelsAsNames();
    void startUpReadsTheSettingsFile_data();
    void startUpReadsTheSettingsFile();
    void closingWritesTheSettingsFile();
    void closingWhenTheFileCannotBeWritten();
    void linkLabelColourAndClick();
    void messagesFallingDueWhileABoxIsOpen();
    void qtTextsAndTextBoxMenusAreChinese();
    void shortcutsOpenThePartsFromTheWindow();
    void languageSwitchesEveryTextAndBack();
    void captionsFitTheirControlsInEitherLanguage();
    void languageChoiceSurvivesARestart();
    void broadcastAsksOnlyWhereOtherModelsAreKnown();
};

namespace {
const QRegularExpression kHan(QStringLiteral("\\p{Han}"));

// Every text a person reads in the visible windows, by where it sits: captions, labels,
// buttons, list items, table headers, tooltips, window titles.
QMap<QString, QString> visibleTexts() {
    QMap<QString, QString> texts;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || qobject_cast<QMenu*>(top))
            continue;
        const QString window = top->objectName();
        texts[window + QStringLiteral("/title")] = top->windowTitle();
        // Named by the widget's name and kind, and its place among those alike.
        QMap<QString, int> alike;
        for (QWidget* widget : top->findChildren<QWidget*>()) {
            // A part's window is the window's child too: its widgets count under its own
            // name, whatever order the parts rebuilt their windows in.
            if (widget->window() != top || !widget->isVisibleTo(top) ||
                !(qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget) ||
                  qobject_cast<QGroupBox*>(widget) || qobject_cast<QComboBox*>(widget) ||
                  qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QHeaderView*>(widget)))
                continue;
            const QString kind = widget->objectName() + QLatin1Char('@') +
                                 QLatin1String(widget->metaObject()->className());
            const QString where = QStringLiteral("%1/%2#%3").arg(window, kind).arg(alike[kind]++);
            if (!widget->toolTip().isEmpty())
                texts[where + QStringLiteral("#tip")] = widget->toolTip();
            if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty())
                texts[where] = label->text();
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
                texts[where] = button->text();
            else if (auto* box = qobject_cast<QGroupBox*>(widget))
                texts[where] = box->title();
            else if (auto* box = qobject_cast<QPlainTextEdit*>(widget))
                texts[where] = box->toPlainText();
            else if (auto* list = qobject_cast<QComboBox*>(widget)) {
                // An address list's 254 numbers say nothing in either language.
                texts[where] = list->currentText();
                for (int item = 0; item < std::min(list->count(), 10); ++item)
                    texts[where + QStringLiteral("#%1").arg(item)] = list->itemText(item);
            } else if (auto* header = qobject_cast<QHeaderView*>(widget);
                       header && header->model()) {
                for (int section = 0; section < header->count(); ++section)
                    texts[where + QStringLiteral("#%1").arg(section)] =
                        header->model()->headerData(section, header->orientation()).toString();
            }
        }
    }
    return texts;
}

// The main window and every part's window open at once.
void openEveryPart(ToolRig& f) {
    f.w().show();
    for (const char* action :
         {"scanAction", "statisticsAction", "trendAction", "watchAction", "networkPortsAction"})
        f.w().findChild<QAction*>(QLatin1String(action))->trigger();
}
} // namespace

void TestWindow::captionAndSize() {
    ToolRig f;
    const QString caption = f.w().windowTitle();
    QCOMPARE(caption, QStringLiteral("温湿度传感器Modbus调试软件") + QString(9, QChar(0x3000)) +
                          QString(13, QLatin1Char(' ')) + QStringLiteral("Quorvex"));
    QCOMPARE(f.w().size(), QSize(497, 402));
    QCOMPARE(f.w().minimumSize(), f.w().maximumSize());
}

void TestWindow::controlsSitWhereTheLayoutPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("exactSize"); // labels may grow to fit their text
    const auto row = [](const char* name, int l, int t, int w, int h, bool exact = true) {
        QTest::newRow(name) << QString::fromUtf8(name) << QRect(l, t, w, h) << exact;
    };
    row("Frame1", 240, 120, 2175, 4455);
    row("Frame7", 2640, 120, 4695, 2295);
    row("Frame2", 2640, 2640, 4695, 1095);
    row("Label9", 2640, 3960, 4695, 495);
    row("Label13(0)", 450, 4920, 525, 210, false);
    row("Text1(0)", 1080, 4800, 2415, 375);
    row("Label7", 4200, 4920, 840, 210, false);
    row("Message_Show", 5160, 4800, 2175, 375);
    row("Label14", 120, 5640, 840, 210, false);
    row("Text2", 1080, 5520, 6255, 375);
    row("Label1", 240, 480, 630, 210, false);
    row("Combo1", 960, 480, 975, 300);
    row("Combo2", 960, 1080, 975, 300);
    row("Combo3", 960, 1680, 975, 300);
    row("Combo4", 960, 2280, 975, 300);
    row("Combo5", 960, 2880, 975, 300);
    row("Shape1", 240, 3670, 255, 375);
    row("Command1", 720, 3600, 1215, 495);
    row("Label17(0)", 240, 525, 945, 210, false);
    row("Combo_Addr(2)", 1680, 480, 1455, 300);
    row("Label18(0)", 240, 1080, 945, 210, false);
    row("AI_SHOW(0)", 1680, 980, 1455, 375);
    row("Label18(1)", 240, 1680, 945, 210, false);
    row("AI_SHOW(1)", 1680, 1580, 1455, 375);
    row("Picture1", 3360, 480, 1095, 975);
    row("Label8", 180, 600, 735, 255);
    row("Command_OK3", 3360, 1560, 1095, 500);
    row("Label6", 240, 500, 945, 210, false);
    row("Combo_Addr(0)", 1680, 480, 1455, 300);
    row("Command_OK1", 3360, 360, 1095, 495);
}

void TestWindow::controlsSitWhereTheLayoutPutsThem() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(bool, exactSize);
    ToolRig f;
    auto* control = f.w().findChild<QWidget*>(name);
    QVERIFY2(control, qPrintable(name));
    const QRect expected = TwipsRect(twips.x(), twips.y(), twips.width(), twips.height());
    QCOMPARE(control->pos(), expected.topLeft());
    if (exactSize) {
        QCOMPARE(control->size(), expected.size());
    } else {
        QVERIFY(control->width() >= expected.width());
        QVERIFY(control->width() >= control->sizeHint().width()); // nothing clipped
    }
}

void TestWindow::startStateOfEveryControl() {
    ToolRig f;
    WindowControls& w = f.ui();
    QCOMPARE(w.Frame1->title(), QStringLiteral(" 通讯设置 "));
    QCOMPARE(w.Frame7->title(), QStringLiteral(" 温度采集"));
    QCOMPARE(w.Frame2->title(), QStringLiteral(" 模块地址更改 "));
    QVERIFY(w.Frame1->font().bold());
    QCOMPARE(w.Frame1->font().pointSizeF(), 12.0);
    QCOMPARE(w.Label1->text(), QStringLiteral("串口号"));
    QCOMPARE(w.Label2->text(), QStringLiteral("波特率"));
    QCOMPARE(w.Label3->text(), QStringLiteral("校验位"));
    QCOMPARE(w.Label4->text(), QStringLiteral("数据位"));
    QCOMPARE(w.Label5->text(), QStringLiteral("停止位"));
    QCOMPARE(w.Label17(0)->text(), QStringLiteral("模块地址:"));
    QCOMPARE(w.Label18(0)->text(), QStringLiteral("当前温度:"));
    QCOMPARE(w.Label18(1)->text(), QStringLiteral("当前湿度:"));
    QCOMPARE(w.Label6->text(), QStringLiteral("模块地址:"));
    QCOMPARE(w.Label13(0)->text(), QStringLiteral("Send:"));
    QCOMPARE(w.Label7->text(), QStringLiteral("Message:"));
    QCOMPARE(w.Label14->text(), QStringLiteral("Receive:"));
    QCOMPARE(w.Label1->font().pointSizeF(), 10.5);
    QCOMPARE(w.Command1->text(), QStringLiteral("打开串口"));
    QCOMPARE(w.Command_OK3->text(), QStringLiteral("采 集"));
    QCOMPARE(w.Command_OK1->text(), QStringLiteral("确 定"));
    QCOMPARE(w.Command_OK3->font().pointSizeF(), 15.0);
    QVERIFY(w.Command1->font().families().contains(QStringLiteral("宋体")));
    QCOMPARE(w.Shape1->fillColor(), QColor(0, 0, 0));

    const QStringList comboTexts{w.Combo1->text(), w.Combo2->text(), w.Combo3->text(),
                                 w.Combo4->text(), w.Combo5->text()};
    QCOMPARE(comboTexts, (QStringList{"COM1", "9600", "无校验", "8", "1"}));
    QVERIFY(w.Combo1->isEnabled());
    for (auto* disabled : {w.Combo2, w.Combo3, w.Combo4, w.Combo5})
        QVERIFY(!disabled->isEnabled());
    QCOMPARE(w.Combo1->count(), 10);
    QCOMPARE(w.Combo1->itemText(9), QStringLiteral("COM10"));
    QCOMPARE(w.Combo2->count(), 3);
    QCOMPARE(w.Combo3->itemText(2), QStringLiteral("偶校验"));

    for (QLabel* readout : {w.AI_SHOW(0), w.AI_SHOW(1)}) {
        QVERIFY(readout->text().isEmpty());
        QCOMPARE(readout->palette().color(QPalette::Window), QColor(0, 0, 0));
        QCOMPARE(readout->palette().color(QPalette::WindowText), QColor(128, 255, 128));
        QVERIFY(readout->alignment() & Qt::AlignRight);
        QCOMPARE(readout->font().pointSizeF(), 14.25);
    }
    for (QPlainTextEdit* box : {w.Text1(0), w.Text2, w.Message_Show}) {
        QVERIFY(box->toPlainText().isEmpty());
        QVERIFY(box->isReadOnly());
    }
    QVERIFY(f.w().exchange().sendHex().isEmpty());
    QVERIFY(f.w().exchange().receiveHex().isEmpty());
    QVERIFY(!w.Timer1.isActive());
    QVERIFY(!w.Timer2.isActive());
    QVERIFY(w.Timer3.isActive());
    QCOMPARE(w.Timer1.interval(), 500);
    QCOMPARE(w.Timer2.interval(), 700);
    QCOMPARE(w.Timer3.interval(), 1000);
    QVERIFY(!w.Picture1->pixmap().isNull());
    QCOMPARE(w.Picture1->pixmap().size(), QSize(68, 39));
    QVERIFY(!w.Label8->text().isEmpty());
    QVERIFY(!w.Label9->text().isEmpty());
    QVERIFY(f.messages.shown.isEmpty());
}

void TestWindow::addressListsHold1To254() {
    ToolRig f;
    for (EditableComboBox* list : {f.ui().Combo_Addr(0), f.ui().Combo_Addr(2)}) {
        QCOMPARE(list->count(), 254);
        QCOMPARE(list->itemText(0), QStringLiteral("1"));
        QCOMPARE(list->itemText(253), QStringLiteral("254"));
        QCOMPARE(list->findText(QStringLiteral("0")), -1);
        QCOMPARE(list->text(), QStringLiteral("1"));
        // Typing never adds an item.
        list->setText(QStringLiteral("300"));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(list->count(), 254);
        QCOMPARE(list->text(), QStringLiteral("300"));
    }
}

void TestWindow::tabOrderAndFirstFocus() {
    ToolRig f;
    f.w().show();
    QVERIFY(QTest::qWaitForWindowActive(&f.w()));
    QCOMPARE(QApplication::focusWidget(), f.ui().Command_OK1);
    const QList<QWidget*> expected = {
        f.ui().Combo_Addr(0), f.ui().Command_OK3,  f.ui().Combo_Addr(2),
        f.ui().Command1,      f.ui().Combo1,       f.ui().Text1(0),
        f.ui().Text2,         f.ui().Message_Show, f.ui().Command_OK1};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        // An editable combo box hands focus to its line edit.
        if (focused && focused->parentWidget() && qobject_cast<QComboBox*>(focused->parentWidget()))
            focused = focused->parentWidget();
        QCOMPARE(focused, next);
    }
}

void TestWindow::textBoxesCarryTheirLabelsAsNames() {
    ToolRig f;
    QCOMPARE(f.ui().Text1(0)->accessibleName(), QStringLiteral("Send:"));
    QCOMPARE(f.ui().Message_Show->accessibleName(), QStringLiteral("Message:"));
    QCOMPARE(f.ui().Text2->accessibleName(), QStringLiteral("Receive:"));
    // Buttons and readouts are read by their captions.
    QVERIFY(f.ui().Command1->accessibleName().isEmpty());
    QVERIFY(f.ui().AI_SHOW(0)->accessibleName().isEmpty());
}

void TestWindow::startUpReadsTheSettingsFile_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("baud");
    QTest::addColumn<bool>("toldDefaults");
    QTest::newRow("3 / 9600") << QByteArray("3\r\n9600\r\n") << "COM3" << 3 << "9600" << false;
    QTest::newRow("10") << QByteArray("10\r\n4800\r\n") << "COM10" << 10 << "4800" << false;
    QTest::newRow("0 selects nothing") << QByteArray("0\r\n9600\r\n") << "" << 0 << "9600" << false;
    QTest::newRow("baud not in the list")
        << QByteArray("2\r\n19200\r\n") << "COM2" << 2 << "19200" << false;
    QTest::newRow("11 falls back")
        << QByteArray("11\r\n115200\r\n") << "COM1" << 1 << "115200" << true;
    QTest::newRow("one line falls back") << QByteArray("5\r\n") << "COM1" << 1 << "9600" << true;
    QTest::newRow("missing file") << QByteArray() << "COM1" << 1 << "9600" << true;
}

void TestWindow::startUpReadsTheSettingsFile() {
    QFETCH(QByteArray, file);
    QFETCH(QString, port);
    QFETCH(int, selected);
    QFETCH(QString, baud);
    QFETCH(bool, toldDefaults);
    ToolRig f(file);
    QCOMPARE(f.ui().Combo1->text(), port);
    QCOMPARE(f.ui().Combo1->listIndex() + 1, selected);
    QCOMPARE(f.ui().Combo2->text(), baud);
    QCOMPARE(f.ui().Message_Show->toPlainText().contains(QStringLiteral("COM1")), toldDefaults);
    QVERIFY(f.messages.shown.isEmpty());
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("打开串口"));
}

void TestWindow::closingWritesTheSettingsFile() {
    ToolRig f(QByteArray("3\r\n9600\r\n"));
    f.ui().Combo1->setListIndex(6);
    f.w().show();
    QVERIFY(f.w().close());
    QCOMPARE(f.comTxt(), QByteArray("7\r\n9600\r\n"));

    // A missing file is created, so settings persist from the first run on.
    ToolRig fresh(QByteArray{});
    fresh.w().close();
    QCOMPARE(fresh.comTxt(), QByteArray("1\r\n9600\r\n"));

    // Nothing selected writes 0; an odd baud text goes back as it came.
    ToolRig none(QByteArray("0\r\n 96 00\r\n"));
    none.w().close();
    QCOMPARE(none.comTxt(), QByteArray("0\r\n 96 00\r\n"));
}

void TestWindow::closingWhenTheFileCannotBeWritten() {
    ToolRig::Options nowhere;
    nowhere.comTxt = QByteArray();
    nowhere.folder = QStringLiteral("/nonexistent/folder");
    ToolRig rig(nowhere);
    rig.w().show();
    QVERIFY(rig.w().close());
    QCOMPARE(rig.messages.shown.size(), 1);
    QVERIFY(rig.messages.shown[0].contains(QStringLiteral("com.txt")));
    QVERIFY(!rig.w().isVisible());
}

void TestWindow::linkLabelColourAndClick() {
    for (int i = 0; i < 2000; ++i) {
        const double r = i / 2000.0;
        const QColor colour = LinkColour(r, r, r);
        QVERIFY(colour.blue() >= 0 && colour.blue() <= 254);
        QCOMPARE(colour.red(), 0);
    }
    QCOMPARE(LinkColour(0.5, 0.5, 0.99999999999).blue(), 254);
    QCOMPARE(LinkColour(0.5, 0.5, 1.0).blue(), 254);

    ToolRig f;
    // Each tick draws a new shade of blue.
    QSet<QRgb> shades;
    for (int tick = 0; tick < 20; ++tick) {
        f.w().Timer3_Timer();
        const QColor shade = f.ui().Label9->palette().color(QPalette::WindowText);
        QCOMPARE(shade.red(), 0);
        QCOMPARE(shade.green(), 0);
        shades.insert(shade.rgb());
        QTest::qWait(2); // the colour is seeded from the time of day
    }
    QVERIFY(shades.size() > 1);

    QTest::mouseClick(f.ui().Label9, Qt::LeftButton);
    QTest::mouseClick(f.ui().Label9, Qt::LeftButton);
    QCOMPARE(f.web.opened, QStringList(2, f.ui().Label9->text()));
    QVERIFY(f.ui().Message_Show->toPlainText().isEmpty());
    f.web.succeed = false;
    QTest::mouseClick(f.ui().Label9, Qt::LeftButton);
    QVERIFY(f.ui().Message_Show->toPlainText().contains(f.ui().Label9->text()));
    // The box shows its first line: no colon left hanging there; why is in its tooltip.
    const QString line = f.ui().Message_Show->toPlainText();
    QTextLayout layout(line, f.ui().Message_Show->font());
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrapping);
    layout.beginLayout();
    QTextLine shown = layout.createLine();
    shown.setLineWidth(f.ui().Message_Show->contentsRect().width() -
                       2 * f.ui().Message_Show->document()->documentMargin());
    layout.endLayout();
    const QString firstLine = line.left(shown.textLength());
    QVERIFY2(firstLine.endsWith(QLatin1Char(' ')) || firstLine == line, qPrintable(firstLine));
    QVERIFY2(!firstLine.trimmed().endsWith(QStringLiteral("：")), qPrintable(firstLine));
    QVERIFY(f.ui().Message_Show->toolTip().startsWith(line + QLatin1Char('\n')));
    QVERIFY(f.ui().Message_Show->toolTip().size() > line.size() + 4);
}

// A box that stays open while the messages given fall due, as ticks do behind a modal box.
class BlockingBoxes final : public MessageSink {
public:
    MessageSink* queue = nullptr;
    QStringList dueWhileOpen;
    QStringList shown;
    int open = 0;
    int mostOpen = 0;
    using MessageSink::show;
    void show(const QString& text, const QString&) override {
        shown << text;
        mostOpen = std::max(mostOpen, ++open);
        const QStringList due = std::exchange(dueWhileOpen, {});
        for (const QString& message : due)
            queue->show(message);
        --open;
    }
};

void TestWindow::messagesFallingDueWhileABoxIsOpen() {
    BlockingBoxes boxes;
    OneAtATimeMessages queue(boxes);
    boxes.queue = &queue;
    // The same text again is dropped; another one waits for the box to go.
    boxes.dueWhileOpen = {QStringLiteral("请先打开串口！"), QStringLiteral("串口已断开！"),
                          QStringLiteral("请先打开串口！"), QStringLiteral("串口已断开！")};
    queue.show(QStringLiteral("请先打开串口！"));
    QCOMPARE(boxes.shown, (QStringList{"请先打开串口！", "串口已断开！"}));
    QCOMPARE(boxes.mostOpen, 1);
    // Once all are dismissed the same text shows again.
    queue.show(QStringLiteral("请先打开串口！"));
    QCOMPARE(boxes.shown.size(), 3);
}

// The entries of the menu a right click on the box opens. The click's event goes where the
// window system sends it (a text box's viewport), so the box's own menu policy decides.
QStringList menuEntriesOf(QWidget* box) {
    QStringList entries;
    QTimer::singleShot(0, [&entries] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (const QAction* action : menu->actions())
            entries << (action->isSeparator() ? QStringLiteral("---") : action->text());
        menu->close();
    });
    auto* area = qobject_cast<QAbstractScrollArea*>(box);
    QWidget* target = area ? area->viewport() : box;
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(4, 4),
                            target->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(target, &click);
    return entries;
}

void TestWindow::qtTextsAndTextBoxMenusAreChinese() {
    const QString catalog =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_zh_CN.qm");
    if (!QFileInfo::exists(catalog))
        QSKIP("Qt's Chinese translation is not installed here");
    QVERIFY(InstallQtChineseTexts(*qApp));

    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("标题"), QStringLiteral("内容"),
                    QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));

    ToolRig f;
    const QRegularExpression han(QStringLiteral("\\p{Han}"));
    const QList<QWidget*> boxes = {f.ui().Text2, f.ui().Message_Show,
                                   f.ui().Combo_Addr(2)->lineEdit()};
    for (QWidget* textBox : boxes) {
        const QStringList entries = menuEntriesOf(textBox);
        // Qt's own entries first, then the tool's below a separator.
        const qsizetype tools = entries.indexOf(QStringLiteral("扫描传感器…"));
        QVERIFY2(tools > 1, qPrintable(entries.join(u'|')));
        QCOMPARE(entries.at(tools - 1), QStringLiteral("---"));
        QVERIFY(entries.contains(QStringLiteral("趋势图")));
        for (const QString& entry : entries)
            QVERIFY2(entry == QStringLiteral("---") || entry.contains(han), qPrintable(entry));
    }
}

void TestWindow::shortcutsOpenThePartsFromTheWindow() {
    ToolRig f;
    f.w().show();
    f.w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.w()));
    QTest::keyClick(&f.w(), Qt::Key_T, Qt::ControlModifier);
    auto* trend = f.w().findChild<TrendWindow*>();
    QVERIFY(trend && trend->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(trend));
    // Pressed again while it is open: the same window, not a second one.
    f.w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.w()));
    QTest::keyClick(&f.w(), Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(f.w().findChildren<TrendWindow*>().size(), 1);
    trend->close();
    QVERIFY(QTest::qWaitForWindowActive(&f.w()));
    QTest::keyClick(&f.w(), Qt::Key_I, Qt::ControlModifier);
    auto* statistics = f.w().findChild<StatisticsWindow*>();
    QVERIFY(statistics && statistics->isVisible());
}

// Switched at run time, every visible text of the main window and of each part's window is
// English; switched back, every one is the Chinese it was.
void TestWindow::languageSwitchesEveryTextAndBack() {
    ToolRig f;
    f.openPort();
    f.ui().Command_OK3->click();
    f.w().Timer2_Timer();
    f.port.receive(QByteArray::fromHex("01030400FA0258DA98"));
    f.ui().tickTimer1();
    f.ui().Command_OK3->click();
    openEveryPart(f);
    auto* language = f.w().findChild<LanguagePart*>();
    QVERIFY(language);
    language->choose(Language::Chinese); // as the tool starts: Qt's own texts Chinese too
    QCoreApplication::processEvents();
    const QMap<QString, QString> chinese = visibleTexts();
    QVERIFY(chinese.size() > 100);

    language->choose(Language::English);
    QCoreApplication::processEvents(); // Qt posts the change to every window
    QCOMPARE(CurrentLanguage(), Language::English);
    const QMap<QString, QString> english = visibleTexts();
    QCOMPARE(english.keys(), chinese.keys()); // the same windows, rebuilt where they were open
    int changed = 0;
    for (auto text = english.cbegin(); text != english.cend(); ++text) {
        QVERIFY2(!text.value().contains(kHan) ||
                     text.key().contains(QStringLiteral("languageAction")),
                 qPrintable(text.key() + QStringLiteral(" = ") + text.value()));
        if (chinese.value(text.key()).contains(kHan))
            ++changed;
    }
    QVERIFY(changed > 80);
    for (const QAction* action : f.w().actions()) // the context menu's entries, shown or not
        QVERIFY2(!action->text().contains(kHan) ||
                     action->objectName() == QLatin1String("languageAction"),
                 qPrintable(action->objectName() + QStringLiteral(" = ") + action->text()));
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("Close port"));
    QCOMPARE(f.ui().Command_OK3->text(), QStringLiteral("Start"));
    QCOMPARE(f.ui().Message_Show->toPlainText(), QStringLiteral("Reply OK"));
    QCOMPARE(f.ui().Combo3->text(), QStringLiteral("None"));

    language->choose(Language::Chinese);
    QCoreApplication::processEvents();
    const QMap<QString, QString> back = visibleTexts();
    QStringList differ;
    for (const QString& key : chinese.keys() + back.keys()) {
        if (back.value(key) != chinese.value(key))
            differ << key + QStringLiteral(": ") + chinese.value(key) + QStringLiteral(" → ") +
                          back.value(key);
    }
    QVERIFY2(differ.isEmpty(), qPrintable(differ.join(QLatin1Char('\n'))));
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("关闭串口"));
}

// No caption of the main window needs more room than it has, in either language: buttons
// hold their text, and a label grown to fit its text reaches no other control.
void TestWindow::captionsFitTheirControlsInEitherLanguage() {
    ToolRig f;
    auto* language = f.w().findChild<LanguagePart*>();
    for (const Language shown : {Language::Chinese, Language::English}) {
        language->choose(shown);
        QCoreApplication::processEvents();
        for (int open = 0; open < 2; ++open) {
            for (const QPushButton* button : f.w().findChildren<QPushButton*>()) {
                const int needed = button->fontMetrics().horizontalAdvance(button->text()) + 8;
                QVERIFY2(needed <= button->width(),
                         qPrintable(button->text() +
                                    QStringLiteral(": %1 > %2").arg(needed).arg(button->width())));
            }
            for (const QGroupBox* frame : f.w().findChildren<QGroupBox*>()) {
                const int needed = frame->fontMetrics().horizontalAdvance(frame->title()) + 16;
                QVERIFY2(needed <= frame->width(), qPrintable(frame->title()));
            }
            for (const QLabel* label : f.w().findChildren<QLabel*>()) {
                // Send:, Message: and Receive: are the window's own in either language, and
                // sit where it always had them.
                static const QStringList kWindowsOwn = {QStringLiteral("Send:"),
                                                        QStringLiteral("Message:"),
                                                        QStringLiteral("Receive:")};
                if (label->text().isEmpty() || label->pixmap().cacheKey() != 0 ||
                    kWindowsOwn.contains(label->text()))
                    continue;
                QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
                for (const QWidget* other : label->parentWidget()->findChildren<QWidget*>(
                         QString(), Qt::FindDirectChildrenOnly)) {
                    QVERIFY2(other == label || !other->geometry().intersects(label->geometry()),
                             qPrintable(label->text() + QStringLiteral(" meets ") +
                                        other->objectName()));
                }
            }
            f.openPort(); // the other caption of Command1
            f.ui().Command_OK3->click();
        }
        f.ui().Command_OK3->click();
        f.openPort();
    }
    language->choose(Language::Chinese);
}

// The choice is kept in the tool's settings file (never com.txt) and starts the next run;
// --language holds for one run without being kept.
void TestWindow::languageChoiceSurvivesARestart() {
    ToolRig f;
    QCOMPARE(StartLanguage({}, f.folder), Language::Chinese);
    f.w().findChild<LanguagePart*>()->choose(Language::English);
    // On disk at once, not only in this process's copy of the settings.
    QFile kept(f.filePath(QStringLiteral("modbus-sensor-tool.ini")));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QVERIFY(kept.readAll().contains("language=en"));
    QCOMPARE(ToolSettings(f.folder).language(), QStringLiteral("en"));
    // The menu marks the choice; Ctrl+L switches to the other language and back.
    auto* chinese = f.w().findChild<QAction*>(QStringLiteral("chineseAction"));
    auto* english = f.w().findChild<QAction*>(QStringLiteral("englishAction"));
    QVERIFY(english->isChecked() && !chinese->isChecked());
    f.w().show();
    QVERIFY(QTest::qWaitForWindowActive(&f.w()));
    QTest::keyClick(&f.w(), Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(CurrentLanguage(), Language::Chinese);
    QVERIFY(chinese->isChecked() && !english->isChecked());
    QTest::keyClick(&f.w(), Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(CurrentLanguage(), Language::English);
    QCOMPARE(StartLanguage({}, f.folder), Language::English);
    QCOMPARE(StartLanguage(QStringLiteral("zh"), f.folder), Language::Chinese);
    QCOMPARE(ToolSettings(f.folder).language(), QStringLiteral("en"));
    f.w().close();
    QCOMPARE(f.comTxt(), QByteArray("1\r\n9600\r\n"));
    f.w().findChild<LanguagePart*>()->choose(Language::Chinese);
    QCOMPARE(StartLanguage(QStringLiteral("fr"), f.folder), Language::Chinese);
}

// 确 定 broadcasts at once on a plain session or one that watched only the tool's own
// sensors, as it always has; once the bus watch has watched a sensor of another model, the
// broadcast waits for the operator's word, and sends nothing when refused.
void TestWindow::broadcastAsksOnlyWhereOtherModelsAreKnown() {
    ToolRig f;
    f.openPort();
    f.ui().Combo_Addr(0)->setText(QStringLiteral("17"));
    const QByteArray broadcast = AddressWriteRequest(17);
    auto* watch = f.w().findChild<BusWatchPart*>();
    const SensorCatalogue& catalogue = f.w().findChild<SensorModelPart*>()->catalogue();
    for (const bool watchedOwn : {false, true}) { // nothing known; the tool's own watched
        if (watchedOwn) {
            QVERIFY(watch->watch({3, 8}, 40));
            watch->stop();
        }
        f.port.written.clear();
        f.ui().Command_OK1->click();
        QVERIFY(!f.w().findChild<QMessageBox*>(QStringLiteral("broadcastQuestion")));
        QCOMPARE(f.port.written, std::vector<QByteArray>{broadcast});
        f.ui().tickTimer1();
    }
    QVERIFY(watch->watch({3, 8}, 40, {},
                         {catalogue.toolsOwn(), *catalogue.find(QStringLiteral("sentera-rsth"))}));
    watch->stop();
    for (const bool agree : {false, true}) {
        f.port.written.clear();
        f.ui().Command_OK1->click();
        auto* ask = f.w().findChild<QMessageBox*>(QStringLiteral("broadcastQuestion"));
        QVERIFY(ask && ask->isVisible());
        QVERIFY(ask->text().contains(QStringLiteral("每个接受该写入的传感器")));
        QVERIFY(f.port.written.empty());
        for (QAbstractButton* button : ask->buttons()) {
            if ((ask->buttonRole(button) == QMessageBox::AcceptRole) == agree)
                button->click();
        }
        QTRY_VERIFY(!f.w().findChild<QMessageBox*>(QStringLiteral("broadcastQuestion")));
        QCOMPARE(f.port.written,
                 agree ? std::vector<QByteArray>{broadcast} : std::vector<QByteArray>{});
    }
}

QTEST_MAIN(TestWindow)
#include "test_window.moc"
