// SPDX-License-Identifier: MIT
// Faults and hostile input: floods, torn replies, odd settings files, unwritable folders,
// ports the user may not open. Figures are printed for the reliability report.
#include "fakes.h"
#include "fixture_process.h"
#include "line_rig.h"
#include "message_box.h"
#include "process_stats.h"
#include "pty_pair.h"
#include "qt_serial_control.h"
#include "record/recording_part.h"
#include "sensor_exchange.h"
#include "tool_rig.h"
#include "window/close_on_termination.h"
#include "window/frmmain.h"

#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <csignal>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

namespace {

void runEventLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Cases that must run as an ordinary user: as root the system lets everything through.
// The test re-runs itself under setpriv as nobody with the case named in this variable.
constexpr const char* kChildCase = "FAULTS_CHILD_CASE";
constexpr const char* kChildFolder = "FAULTS_CHILD_FOLDER";

// The folder a child case runs in, with com.txt as given; its window is the child's.
ToolRig::Options folderForChild(const QByteArray& comTxt) {
    ToolRig::Options options;
    options.comTxt = comTxt;
    options.startWindow = false;
    return options;
}

// A child case's window in the folder its parent prepared, on the fake or the real port.
ToolRig::Options childOptions(const QString& folder, bool realPort) {
    ToolRig::Options options;
    options.comTxt = QByteArray(); // the parent's, as it left it
    options.folder = folder;
    options.realPort = realPort;
    return options;
}

int closeInReadOnlyFolder(const QString& folder) {
    ToolRig rig(childOptions(folder, false));
    rig.ui().Combo1->setListIndex(6);
    rig.w().show();
    const bool closed = rig.w().close();
    const QStringList& shown = rig.messages.shown;
    const bool told = shown.size() == 1 && shown[0].contains(QStringLiteral("com.txt"));
    qInfo("closed=%d message=%s", closed, qPrintable(shown.join(QLatin1Char('|'))));
    return closed && told && !rig.w().isVisible() ? 0 : 1;
}

int openWithoutPermission(const QString& folder) {
    ToolRig rig(childOptions(folder, true));
    rig.openPort();
    const QString status = rig.status();
    qInfo("messages=%s status=%s", qPrintable(rig.messages.shown.join(QLatin1Char('|'))),
          qPrintable(status));
    return rig.messages.shown == QStringList{QStringLiteral("其它错误")} &&
                   status.contains(QStringLiteral("dialout")) &&
                   rig.ui().Command1->text() == PortCaption::Open()
               ? 0
               : 1;
}

// The tool as the program starts it, with the port open, until a signal ends it.
int runUntilTerminated(const QString& folder) {
    ToolRig rig(childOptions(folder, true));
    CloseOnTermination(rig.w());
    rig.openPort();
    rig.w().show();
    std::printf(rig.serial().portOpen() ? "open\n" : "closed\n");
    std::fflush(stdout);
    return QApplication::exec();
}

// The window with the real message boxes, whose close path will raise one: com.txt is a
// folder and cannot be written.
int closeWithAMessageUntilTerminated(const QString& folder) {
    QtMessageBox boxes(QStringLiteral("温湿度传感器Modbus调试软件"));
    ToolRig::Options options = childOptions(folder, true);
    options.messages = &boxes;
    ToolRig rig(options);
    boxes.setParent(&rig.w());
    CloseOnTermination(rig.w());
    rig.w().show();
    std::printf("ready\n");
    std::fflush(stdout);
    return QApplication::exec();
}

// A window on a fake line, polling and recording into folder/record.csv; false when the
// recording could not start.
bool startRecording(ToolRig& rig) {
    rig.openPort();
    rig.ui().Command_OK3->click();
    QString error;
    return rig.w().recording().start(rig.filePath(QStringLiteral("record.csv")),
                                     RecordFile::Mode::Append, &error);
}

int recordUntilKilled(const QString& folder) {
    ToolRig rig(childOptions(folder, false));
    QObject::connect(&rig.w().recording().recorder(), &Recorder::rowWritten, [](int rows) {
        std::printf("row %d\n", rows);
        std::fflush(stdout);
    });
    return startRecording(rig) ? QApplication::exec() : 1;
}

// Files may grow to 600 bytes here: a few rows fit, then writes fail as on a full disk.
int recordIntoAFileThatFills(const QString& folder) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{600, 600};
    setrlimit(RLIMIT_FSIZE, &limit);
    ToolRig rig(childOptions(folder, false));
    if (!startRecording(rig))
        return 1;
    if (!QTest::qWaitFor([&] { return !rig.w().recording().recorder().recording(); }, 15000))
        return 2;
    const int rows = rig.w().recording().recorder().rows();
    QFile file(rig.filePath(QStringLiteral("record.csv")));
    file.open(QIODevice::ReadOnly);
    const int complete = static_cast<int>(file.readAll().count("\r\n")) - 1;
    auto* record = rig.w().findChild<QAction*>(QStringLiteral("recordAction"));
    const bool told = rig.messages.shown.size() == 1 &&
                      rig.messages.shown[0].startsWith(QStringLiteral("记录已停止")) &&
                      rig.ui().Message_Show->toolTip().contains(QStringLiteral("记录已停止"));
    const bool polling =
        rig.ui().Command_OK3->text() == Caption::Stop() && rig.ui().Timer2.isActive();
    qInfo("rows %d, complete rows in the file %d, told %d, polling %d, checked %d", rows, complete,
          told, polling, record->isChecked());
    return rows > 0 && complete == rows && told && polling && !record->isChecked() ? 0 : 1;
}

QStringList lockFilesOf(const QString& device) {
    const QString name = QStringLiteral("LCK..") + device.mid(5).replace(QLatin1Char('/'), '_');
    QStringList found;
    for (const char* folder : {"/var/lock/", "/run/lock/", "/tmp/"}) {
        if (QFileInfo::exists(QLatin1String(folder) + name))
            found << QLatin1String(folder) + name;
    }
    return found;
}

// This test program again, running the named child case in folder.
void startChildCase(QProcess& child, const char* name, const QString& folder,
                    const QString& program = QCoreApplication::applicationFilePath(),
                    const QStringList& arguments = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kChildCase), QLatin1String(name));
    environment.insert(QLatin1String(kChildFolder), folder);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QStringLiteral("/tmp"));
    child.setProcessEnvironment(environment);
    EndWithTheTest(child);
    child.start(program, arguments);
}

// Runs a child case as nobody when we are root, in-process otherwise.
void runAsOrdinaryUser(const char* name, const QString& folder, int (*body)(const QString&)) {
    if (geteuid() != 0) {
        QCOMPARE(body(folder), 0);
        return;
    }
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty())
        QSKIP("running as root and setpriv is not installed");
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    startChildCase(child, name, folder, setpriv,
                   {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                    QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath()});
    QVERIFY(child.waitForFinished(20000));
    const QByteArray output = child.readAll();
    QVERIFY2(child.exitCode() == 0, output.constData());
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void floodWhileStoppedKeepsMemoryFlatAndWindowResponsive();
    void replySplitAtEveryByteBoundaryPasses();
    void settingsFileVariants_data();
    void settingsFileVariants();
    void binaryJunkSettingsNeverCrash();
    void closingInAReadOnlyFolderKeepsTheOldFile();
    void portTheUserMayNotOpen();
    void terminationClosesAsTheOperatorWould_data();
    void terminationClosesAsTheOperatorWould();
    void terminationEndsPromptlyWhenClosingRaisesAMessage();
    void killedWhileRecordingLosesNoRow();
    void recordingStopsWhenTheFileFillsAndPollingGoesOn();
};

void TestFaults::floodWhileStoppedKeepsMemoryFlatAndWindowResponsive() {
    const int seconds = qEnvironmentVariableIntValue("FAULTS_FLOOD_SECONDS") > 0
                            ? qEnvironmentVariableIntValue("FAULTS_FLOOD_SECONDS")
                            : 60;
    SensorRig rig;
    QVERIFY(rig.startPolling({QStringLiteral("--flood"), QStringLiteral("11520")}, false));
    rig.w().show();
    WindowControls& window = rig.ui();

    runEventLoop(3000); // the transcript reaches its cap within seconds
    const long before = ResidentMemoryKiB();
    qint64 worstLateness = 0;
    QElapsedTimer sinceTick;
    sinceTick.start();
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        worstLateness = std::max(worstLateness, sinceTick.elapsed() - 50);
        sinceTick.restart();
    });
    heartbeat.start(50);
    runEventLoop(seconds * 1000);
    heartbeat.stop();
    const long after = ResidentMemoryKiB();
    qInfo("flood %d s at 11520 B/s: RSS %ld KiB -> %ld KiB, worst heartbeat lateness %lld ms, "
          "transcript %lld chars",
          seconds, before, after, worstLateness,
          static_cast<long long>(rig.w().exchange().receiveHex().size()));
    QVERIFY(rig.w().exchange().receiveHex().size() <= 3 * 21845);
#ifndef __SANITIZE_ADDRESS__
    // AddressSanitizer holds freed memory in quarantine, so only a plain build can tell.
    QVERIFY2(after - before < 2048, "resident memory grew by 2 MiB or more");
#endif
    QVERIFY2(worstLateness < 200, "the window stopped answering");
    QVERIFY(rig.messages.shown.isEmpty());
    QCOMPARE(window.Command1->text(), QStringLiteral("关闭串口"));
}

void TestFaults::replySplitAtEveryByteBoundaryPasses() {
    const QByteArray reply = QByteArray::fromHex("01030400FA0258DA98");
    for (int first = 1; first < reply.size(); ++first) {
        for (int second = first; second < reply.size(); ++second) {
            ToolRig f;
            f.openPort();
            f.ui().Command_OK3->click();
            f.w().Timer2_Timer();
            f.port.receive(reply.left(first));
            f.port.receive(reply.mid(first, second - first));
            f.port.receive(reply.mid(second));
            f.ui().tickTimer1();
            QCOMPARE(f.ui().Message_Show->toPlainText(), kGood);
            QCOMPARE(f.ui().AI_SHOW(0)->text(), QStringLiteral("25.0℃"));
        }
    }
}

void TestFaults::settingsFileVariants_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("baud");
    QTest::addColumn<bool>("toldDefaults");
    QTest::newRow("empty file") << QByteArray("") << "COM1"
                                << "9600" << true;
    QTest::newRow("one line") << QByteArray("4\r\n") << "COM1"
                              << "9600" << true;
    QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                         "4\r\n9600\r\n")
                                           << "COM4"
                                           << "9600" << false;
    QTest::newRow("CR-only line ends") << QByteArray("4\r4800\r") << "COM4"
                                       << "4800" << false;
    QTest::newRow("LF-only line ends") << QByteArray("4\n4800\n") << "COM4"
                                       << "4800" << false;
    QTest::newRow("NUL bytes") << QByteArray("4\0\r\n96\0"
                                             "00\r\n",
                                             10)
                               << "COM4"
                               << QString::fromLatin1("96\0"
                                                      "00",
                                                      5)
                               << false;
    QTest::newRow("10 MB line") << QByteArray(10 * 1024 * 1024, '7') + "\r\n9600\r\n"
                                << "COM1"
                                << "9600" << true;
    QTest::newRow("1e400") << QByteArray("1e400\r\n9600\r\n") << "COM1"
                           << "9600" << true;
    QTest::newRow("-0") << QByteArray("-0\r\n9600\r\n") << ""
                        << "9600" << false;
    QTest::newRow("blanks inside") << QByteArray(" 1 0 \r\n9600\r\n") << "COM10"
                                   << "9600" << false;
}

void TestFaults::settingsFileVariants() {
    QFETCH(QByteArray, file);
    QFETCH(QString, port);
    QFETCH(QString, baud);
    QFETCH(bool, toldDefaults);
    ToolRig f(file);
    QCOMPARE(f.ui().Combo1->text(), port);
    QCOMPARE(f.ui().Combo2->text(), baud);
    QCOMPARE(!f.ui().Message_Show->toPlainText().isEmpty(), toldDefaults);
    f.w().close();
    // What is written back reads as the same selection and baud text.
    ToolRig again(f.comTxt());
    QCOMPARE(again.ui().Combo1->text(), port);
    QCOMPARE(again.ui().Combo2->text(), baud);
}

void TestFaults::binaryJunkSettingsNeverCrash() {
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        QByteArray junk;
        const int length = static_cast<int>(random() % 200);
        for (int i = 0; i < length; ++i)
            junk.append(static_cast<char>(random()));
        ToolRig f(junk + "\r\n");
        QVERIFY(f.ui().Combo1->listIndex() >= -1 && f.ui().Combo1->listIndex() <= 9);
        f.w().close();
    }
}

void TestFaults::closingInAReadOnlyFolderKeepsTheOldFile() {
    ToolRig rig(folderForChild("3\r\n9600\r\n"));
    QFile::setPermissions(rig.folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    runAsOrdinaryUser("closeInReadOnlyFolder", rig.folder, closeInReadOnlyFolder);
    QCOMPARE(rig.comTxt(), QByteArray("3\r\n9600\r\n"));
    QFile::setPermissions(rig.folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestFaults::portTheUserMayNotOpen() {
    ToolRig rig(folderForChild("1\r\n9600\r\n"));
    QFile::setPermissions(rig.folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);
    PtyPair line(rig.folder, 1); // root's device, mode 0620 group tty
    QVERIFY(line.ok());
    if (geteuid() != 0)
        QSKIP("needs a device owned by another user; run as root to check it");
    runAsOrdinaryUser("openWithoutPermission", rig.folder, openWithoutPermission);
}

void TestFaults::terminationClosesAsTheOperatorWould_data() {
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void TestFaults::terminationClosesAsTheOperatorWould() {
    QFETCH(int, signalNumber);
    ToolRig rig(folderForChild("1\n9600")); // rewritten at close with CR LF line ends
    PtyPair line(rig.folder, 1);
    QVERIFY(line.ok());

    QProcess child;
    startChildCase(child, "runUntilTerminated", rig.folder);
    QVERIFY(child.waitForReadyRead(10000));
    QCOMPARE(child.readLine().trimmed(), QByteArray("open"));
    QVERIFY(!lockFilesOf(line.device()).isEmpty());

    QElapsedTimer clock;
    clock.start();
    ::kill(static_cast<pid_t>(child.processId()), signalNumber);
    QVERIFY(child.waitForFinished(5000));
    qInfo("exit after the signal: %lld ms", static_cast<long long>(clock.elapsed()));
    QVERIFY(clock.elapsed() < 1000);
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(rig.comTxt(), QByteArray("1\r\n9600\r\n"));
    QCOMPARE(lockFilesOf(line.device()), QStringList());
}

void TestFaults::terminationEndsPromptlyWhenClosingRaisesAMessage() {
    ToolRig rig(folderForChild(QByteArray()));
    QVERIFY(QDir(rig.folder).mkdir(QStringLiteral("com.txt")));
    QProcess child;
    startChildCase(child, "closeWithAMessageUntilTerminated", rig.folder);
    QVERIFY(child.waitForReadyRead(10000));
    QCOMPARE(child.readLine().trimmed(), QByteArray("ready"));
    QElapsedTimer clock;
    clock.start();
    ::kill(static_cast<pid_t>(child.processId()), SIGTERM);
    QVERIFY2(child.waitForFinished(3000), "the message on the way out held the tool");
    QVERIFY(clock.elapsed() < 1000);
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
}

void TestFaults::killedWhileRecordingLosesNoRow() {
    ToolRig rig(folderForChild(QByteArray()));
    QProcess child;
    startChildCase(child, "recordUntilKilled", rig.folder);
    int reported = 0;
    while (reported < 4 && child.waitForReadyRead(5000)) {
        while (child.canReadLine()) {
            const QByteArray line = child.readLine().trimmed();
            if (line.startsWith("row "))
                reported = line.mid(4).toInt();
        }
    }
    QCOMPARE(reported, 4);
    child.kill();
    QVERIFY(child.waitForFinished(5000));

    QFile file(rig.filePath(QStringLiteral("record.csv")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.startsWith("\xEF\xBB\xBFtime,"));
    QVERIFY(content.endsWith("\r\n"));
    const QList<QByteArray> rows = content.trimmed().split('\n').mid(1);
    QVERIFY2(rows.size() >= reported, content.constData());
    for (const QByteArray& row : rows) {
        QCOMPARE(row.count(','), 9);
        QVERIFY(row.contains(",1,error,,,01 03 00 00 00 02 C4 0B,"));
        QVERIFY(row.trimmed().contains(",no_reply,default,"));
    }
}

void TestFaults::recordingStopsWhenTheFileFillsAndPollingGoesOn() {
    ToolRig rig(folderForChild(QByteArray()));
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    startChildCase(child, "recordIntoAFileThatFills", rig.folder);
    QVERIFY(child.waitForFinished(30000));
    const QByteArray output = child.readAll();
    qInfo("%s", output.trimmed().constData());
    QVERIFY2(child.exitCode() == 0, output.constData());
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QByteArray childCase = qgetenv(kChildCase);
    if (!childCase.isEmpty()) {
        const QString folder = qEnvironmentVariable(kChildFolder);
        if (childCase == "closeInReadOnlyFolder")
            return closeInReadOnlyFolder(folder);
        if (childCase == "openWithoutPermission")
            return openWithoutPermission(folder);
        if (childCase == "runUntilTerminated")
            return runUntilTerminated(folder);
        if (childCase == "closeWithAMessageUntilTerminated")
            return closeWithAMessageUntilTerminated(folder);
        if (childCase == "recordUntilKilled")
            return recordUntilKilled(folder);
        if (childCase == "recordIntoAFileThatFills")
            return recordIntoAFileThatFills(folder);
        return 3;
    }
    TestFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_faults.moc"
