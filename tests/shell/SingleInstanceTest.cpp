// One program per data folder: the lock, the call to the first program, and a
// lock left behind by one that crashed.
#include "shell/SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using shell::SingleInstance;

TEST(SingleInstance, ALaterStartCallsTheFirstForwardAndStandsDown)
{
    QTemporaryDir tmp;
    const QString data = tmp.filePath(QStringLiteral("Программа/data"));
    ASSERT_TRUE(QDir().mkpath(data));
    SingleInstance first(data);
    ASSERT_EQ(first.acquire(), SingleInstance::Role::First);
    QSignalSpy called(&first, &SingleInstance::activationRequested);
    {
        SingleInstance second(data);
        EXPECT_EQ(second.acquire(), SingleInstance::Role::Second);
    }
    ASSERT_TRUE(called.wait(5000));
    EXPECT_EQ(called.count(), 1);

    // Another application folder is another program's business.
    const QString elsewhere = tmp.filePath(QStringLiteral("Другая/data"));
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    SingleInstance other(elsewhere);
    EXPECT_EQ(other.acquire(), SingleInstance::Role::First);
    EXPECT_NE(SingleInstance::serverName(data), SingleInstance::serverName(elsewhere));
}

TEST(SingleInstance, ALockLeftByAProgramThatCrashedDoesNotBlock)
{
    QTemporaryDir tmp;
    const QString data = tmp.filePath(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(data));
    // A program that takes the lock and dies without a word.
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        QLockFile lock(data + QStringLiteral("/.kodrix.lock"));
        ::_exit(lock.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(data + QStringLiteral("/.kodrix.lock")));

    SingleInstance next(data);
    EXPECT_EQ(next.acquire(), SingleInstance::Role::First);
}

TEST(SingleInstance, WithoutADataFolderTheProgramRunsUnguarded)
{
    QTemporaryDir tmp;
    SingleInstance alone(tmp.filePath(QStringLiteral("нет папки")));
    EXPECT_EQ(alone.acquire(), SingleInstance::Role::Unguarded);
    EXPECT_FALSE(QFile::exists(tmp.filePath(QStringLiteral("нет папки"))));
}
