#include "app/SingleInstance.h"
#include "app/QtKeyboardHook.h"
#include "platform/RuntimeFolder.h"
#include "tests/support/TempRuntimeFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>

#include <sys/wait.h>
#include <unistd.h>

namespace vantrel {
namespace {

using test::TempRuntimeFolder;

QString lockPath() {
    return QString::fromStdString((runtimeFolder() / "KbdHook").string());
}

// Runs the built program as a second copy and waits for it, keeping this copy's events going.
int runSecondCopy(QProcess& second) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(VANTREL_PROGRAM), {});
    QElapsedTimer waited;
    waited.start();
    while (second.state() != QProcess::NotRunning && waited.elapsed() < 20000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    if (second.state() != QProcess::NotRunning) {
        second.kill();
        second.waitForFinished();
        return -1;
    }
    return second.exitCode();
}

TEST(SingleInstance, ASecondCopyBringsTheFirstToTheFrontAndEnds) {
    TempRuntimeFolder runtime;
    QWidget first;
    first.show();
    first.showMinimized();
    SingleInstance mark;
    mark.announce(&first);

    QProcess second;
    EXPECT_EQ(runSecondCopy(second), 0) << "the second copy ends by itself";
    EXPECT_FALSE(first.windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(first.isVisible());
    EXPECT_FALSE(QFile::exists(lockPath())) << "the second copy took no keyboard";
}

TEST(SingleInstance, AMarkLeftByACrashedCopyDoesNotStopTheNext) {
    TempRuntimeFolder runtime;
    std::ofstream(singleInstanceMark().toStdString()) << "left behind";
    EXPECT_FALSE(SingleInstance::bringRunningCopyToFront());

    QWidget window;
    SingleInstance mark;
    mark.announce(&window);
    QLocalSocket probe;
    probe.connectToServer(singleInstanceMark());
    EXPECT_TRUE(probe.waitForConnected(2000)) << "the new copy's mark answers";
}

// The keyboard lock of another copy: held by a live process, or left by one that died.
TEST(KeyboardLock, ALockHeldByAnotherCopyIsNotTaken) {
    TempRuntimeFolder runtime;
    QLockFile other(lockPath());
    ASSERT_TRUE(other.tryLock());
    QtKeyboardHook keyboard;
    EXPECT_FALSE(keyboard.claim());
}

TEST(KeyboardLock, ALockLeftByACrashedCopyIsTakenOver) {
    TempRuntimeFolder runtime;
    const pid_t gone = fork();
    if (gone == 0) {
        _exit(0);
    }
    ASSERT_GT(gone, 0);
    waitpid(gone, nullptr, 0);
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    std::ofstream(lockPath().toStdString())
        << gone << '\n'
        << QCoreApplication::applicationName().toStdString() << '\n'
        << host << '\n';

    QtKeyboardHook keyboard;
    EXPECT_TRUE(keyboard.claim());
}

} // namespace
} // namespace vantrel
