// The editor and tavrenna-map as real child processes under what a session does to them: a file-size
// limit, the signals of a logout, a closed terminal or a kill, names that are not UTF-8, and the
// temporary a killed save leaves. The children start with every signal at its default action, as a
// user's shell starts them, so nothing the test process set up can hide a fault.

#include "../cli/CliTestSupport.h"
#include "ChildProcess.h"
#include "FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

namespace tav::reliability {
namespace {

using clitest::ReadBytes;
using clitest::WriteBytes;

constexpr rlim_t FileSizeLimitBytes = 1000; // below the 2306 bytes of a map

// Runs in the child between fork and exec.
void DefaultSignalsAndSmallFileLimit() {
    for (const int s : {SIGXFSZ, SIGTERM, SIGHUP, SIGINT})
        std::signal(s, SIG_DFL);
    const rlimit limit{FileSizeLimitBytes, FileSizeLimitBytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

// One hexadecimal signal mask line of /proc/PID/status, e.g. "SigCgt"; 0 when it cannot be read.
unsigned long long SignalMask(qint64 pid, const QByteArray& field) {
    for (const QByteArray& line : ReadBytes(QStringLiteral("/proc/%1/status").arg(pid)).split('\n'))
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().toULongLong(nullptr, 16);
    return 0;
}

bool InMask(unsigned long long mask, int signalNumber) { return (mask >> (signalNumber - 1)) & 1U; }

// The editor, started headless; Ready() once it has set up its signal handling (its mask shows SIGTERM
// caught), which a signal sent earlier could not test.
class EditorProcess {
public:
    EditorProcess() {
        process_.setProgram(QStringLiteral(TAV_EDITOR));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process_.setProcessEnvironment(environment);
        process_.setChildProcessModifier(DefaultSignalsAndSmallFileLimit);
        process_.start();
        if (!process_.waitForStarted(10000))
            return;
        for (int i = 0; i < 500 && process_.state() == QProcess::Running; ++i) {
            if (InMask(SignalMask(process_.processId(), "SigCgt"), SIGTERM)) {
                ready_ = true;
                return;
            }
            ::usleep(10000);
        }
    }
    ~EditorProcess() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    bool Ready() const { return ready_; }
    qint64 Pid() const { return process_.processId(); }
    QProcess& Process() { return process_; }

private:
    QProcess process_;
    bool ready_ = false;
};

TEST(ProcessFaults, ToolReportsAFileSizeLimitAsAWriteErrorAndKeepsTheOldFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString in = dir.filePath(QStringLiteral("in.map"));
    const QString old = dir.filePath(QStringLiteral("old.map"));
    WriteBytes(in, QByteArray(2306, '\x30'));
    const QByteArray oldBytes(2306, '\x07');
    WriteBytes(old, oldBytes);
    const clitest::RunResult run = clitest::RunTool({"shape", in, "-o", old}, DefaultSignalsAndSmallFileLimit);
    ASSERT_TRUE(run.Finished);
    EXPECT_EQ(run.ExitCode, 2) << "-1: ended by a signal";
    EXPECT_TRUE(run.Err.contains((old + QStringLiteral(": cannot write")).toUtf8())) << run.Err.toStdString();
    EXPECT_EQ(ReadBytes(old), oldBytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"in.map", "old.map"}));
}

TEST(ProcessFaults, EditorIgnoresTheFileSizeSignalAndEndsNormallyOnEachTerminationSignal) {
    for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(::strsignal(signalNumber));
        EditorProcess editor;
        ASSERT_EQ(editor.Process().state(), QProcess::Running);
        EXPECT_TRUE(editor.Ready()) << "the editor does not catch SIGTERM";
        // Ignored, the limit turns a save into a write error that the editor reports (the file command
        // tests show that report); with the default action it would end the editor and its map.
        EXPECT_TRUE(InMask(SignalMask(editor.Pid(), "SigIgn"), SIGXFSZ));
        ASSERT_EQ(::kill(static_cast<pid_t>(editor.Pid()), signalNumber), 0);
        ASSERT_TRUE(editor.Process().waitForFinished(10000)) << "the editor did not end";
        EXPECT_EQ(editor.Process().exitStatus(), QProcess::NormalExit) << "killed by the signal";
        EXPECT_EQ(editor.Process().exitCode(), 0);
    }
}

TEST(ProcessFaults, UndecodableFileNamesAreRefusedAndNoOtherFileIsTouched) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = QFile::encodeName(dir.path()).toStdString();
    const std::string bad = folder + "/bad\xff.map";
    // The name a lossy decoding makes of it: U+FFFD in place of the byte.
    const QString lookAlike = dir.filePath(QStringLiteral("bad\uFFFD.map"));
    const QByteArray lookAlikeBytes(2306, '\x05');
    WriteBytes(lookAlike, lookAlikeBytes);

    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"new", "-o", bad}, std::vector<std::string>{"shape", bad, "-o", bad}}) {
        SCOPED_TRACE(arguments.front());
        const ChildResult run = RunChild(TAV_MAP_TOOL, arguments);
        ASSERT_TRUE(run.Started);
        EXPECT_FALSE(run.Signalled || run.TimedOut);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_NE(run.Err.find("bad\\xFF.map\" is not valid UTF-8"), std::string::npos) << run.Err;
        struct stat info {};
        EXPECT_NE(::lstat(bad.c_str(), &info), 0) << "the named file was created";
        EXPECT_EQ(ReadBytes(lookAlike), lookAlikeBytes);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 1);
    }
}

TEST(ProcessFaults, StaleTemporariesOfAMapAreRemovedAndLookAlikesStay) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString map = dir.filePath(QStringLiteral("castle.map"));
    WriteBytes(map, QByteArray(2306, '\x30'));
    const auto age = [](const QString& path, int seconds) {
        const timeval then[2] = {{::time(nullptr) - seconds, 0}, {::time(nullptr) - seconds, 0}};
        ASSERT_EQ(::lutimes(QFile::encodeName(path).constData(), then), 0);
    };
    struct Entry {
        const char* name;
        int bytes; // -1: a symbolic link to the map
        int ageSeconds;
        bool removed;
    };
    const std::vector<Entry> entries = {
        {"castle.map.hNULmK", 2306, 120, true},   // a complete map a killed rename left
        {"castle.map.qWxyzA", 700, 3600, true},    // a write cut short
        {"castle.map.hNULmKz", 2306, 120, false},  // seven letters
        {"castle.map.backup", 2306, 120, false},   // names a person gives a copy
        {"castle.map.BACKUP", 2306, 120, false},
        {"castle.map.Backup", 2306, 120, false},
        {"castle.map.RsTuVw", 2306, 5, false},     // young: may be a save under way elsewhere
        {"castle.map.LiNkEd", -1, 120, false},
        {"other.map.hNULmK", 2306, 120, false},    // another map's
    };
    for (const Entry& e : entries) {
        const QString path = dir.filePath(QString::fromLatin1(e.name));
        if (e.bytes < 0)
            ASSERT_TRUE(QFile::link(map, path));
        else
            WriteBytes(path, QByteArray(e.bytes, '\x30'));
        age(path, e.ageSeconds);
    }
    EXPECT_EQ(RemoveStaleTemporaries(map), 2);
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(QFileInfo(dir.filePath(QString::fromLatin1(e.name))).exists() ||
                      QFileInfo(dir.filePath(QString::fromLatin1(e.name))).isSymLink(),
                  !e.removed);
    }
    // The tool cleans up beside the map it writes.
    WriteBytes(dir.filePath(QStringLiteral("castle.map.hNULmK")), QByteArray(2306, '\x30'));
    age(dir.filePath(QStringLiteral("castle.map.hNULmK")), 120);
    const ChildResult run = RunChild(TAV_MAP_TOOL, {"new", "-o", QFile::encodeName(map).toStdString()});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("castle.map.hNULmK"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(),
              static_cast<qsizetype>(entries.size()) - 2 + 1);
}

} // namespace
} // namespace tav::reliability
