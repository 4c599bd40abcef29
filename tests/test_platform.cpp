// SPDX-License-Identifier: MIT
#include "record_file.h"
#include "serial_system.h"
#include "user_folder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void sendVerdict_data();
    void sendVerdict();
    void perUserFolderOnFirstAndLaterStarts();
    void everyAppendedRowIsSynced();
};

void TestPlatform::sendVerdict_data() {
    QTest::addColumn<WriteCompletion>("completion");
    QTest::addColumn<qint64>("queued");
    QTest::addColumn<bool>("flushed");
    QTest::addColumn<qint64>("pending");
    QTest::addColumn<bool>("handedOver");

    using C = WriteCompletion;
    QTest::newRow("unix: written by flush")
        << C::BeforeFlushReturns << qint64(8) << true << qint64(0) << true;
    QTest::newRow("unix: driver full, bytes left")
        << C::BeforeFlushReturns << qint64(8) << true << qint64(3) << false;
    QTest::newRow("unix: flush failed")
        << C::BeforeFlushReturns << qint64(8) << false << qint64(8) << false;
    QTest::newRow("windows: overlapped write still running")
        << C::Overlapped << qint64(8) << true << qint64(8) << true;
    QTest::newRow("windows: completed at once")
        << C::Overlapped << qint64(8) << true << qint64(0) << true;
    QTest::newRow("windows: write could not start")
        << C::Overlapped << qint64(8) << false << qint64(8) << false;
    QTest::newRow("write refused") << C::Overlapped << qint64(-1) << false << qint64(0) << false;
    QTest::newRow("queued short") << C::Overlapped << qint64(7) << true << qint64(7) << false;
}

void TestPlatform::sendVerdict() {
    QFETCH(WriteCompletion, completion);
    QFETCH(qint64, queued);
    QFETCH(bool, flushed);
    QFETCH(qint64, pending);
    QFETCH(bool, handedOver);
    WriteAttempt attempt;
    attempt.size = 8;
    attempt.queued = queued;
    attempt.flushed = flushed;
    attempt.pendingAfterFlush = pending;
    QCOMPARE(WriteHandedOver(attempt, completion), handedOver);
}

void TestPlatform::perUserFolderOnFirstAndLaterStarts() {
    QTemporaryDir home;
    // Both systems' variables, so the test holds wherever it runs.
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    qputenv("APPDATA", home.path().toLocal8Bit());
    const QString before = QDir::currentPath();
    const QString expected = QDir(home.path()).filePath(QStringLiteral("modbus-sensor-tool"));
    for (int start = 1; start <= 2; ++start) { // the second finds the folder there
        QString error;
        const QString folder = EnterPerUserFolder(&error);
        QVERIFY2(!folder.isEmpty(), qPrintable(error));
        QCOMPARE(QDir(folder).canonicalPath(), QDir(expected).canonicalPath());
        QCOMPARE(QDir::current().canonicalPath(), QDir(expected).canonicalPath());
        QDir::setCurrent(before);
    }
}

void TestPlatform::everyAppendedRowIsSynced() {
    QTemporaryDir dir;
    RecordFile file;
    QVERIFY(file.open(dir.filePath(QStringLiteral("rows.csv")), RecordFile::Mode::Replace));
    for (int row = 1; row <= 3; ++row) {
        QVERIFY(file.append(QByteArray("row\r\n")));
        // Each row reaches storage before the next arrives, as at a 700 ms poll.
        QTRY_COMPARE_WITH_TIMEOUT(file.completedSyncs(), row, 5000);
    }
    file.close();
    QFile written(dir.filePath(QStringLiteral("rows.csv")));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("row\r\nrow\r\nrow\r\n"));
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "test_platform.moc"
