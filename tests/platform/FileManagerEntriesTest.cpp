#include "platform/FileManagerEntries.h"
#include "support/FileBytes.h"
#include "support/ToolRun.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

using test::ReadFile;
using test::WriteScript;

// A program path with everything that needs quoting in a desktop file or a shell.
class FileManagerEntriesTest : public ::testing::Test {
protected:
    FileManagerEntriesTest()
    {
        // The stand-in writes each of its arguments to the record, each ended by a NUL.
        WriteScript(program, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\" >> \"$RECORD\"; done\n");
    }

    QStringList recordedArguments() const
    {
        QStringList arguments = QString::fromUtf8(ReadFile(record)).split(QChar(0));
        arguments.removeLast();
        return arguments;
    }

    void run(const QString& command, const QStringList& arguments, const QString& selected = {})
    {
        QStringList environment{QStringLiteral("RECORD=") + record};
        if (!selected.isEmpty())
            environment.append(QStringLiteral("NAUTILUS_SCRIPT_SELECTED_FILE_PATHS=") + selected);
        const test::ToolRun ran = test::RunToEnd(QStringLiteral("/usr/bin/env"), environment + QStringList{command} + arguments,
                                                  30000);
        ASSERT_TRUE(ran.Ok()) << ran.err.toStdString();
    }

    // The script starts the program in the background, one start a file.
    void waitForRecords(qsizetype count) const
    {
        for (int i = 0; i < 500 && recordedArguments().size() < count; ++i)
            QThread::msleep(10);
    }

    QTemporaryDir dir;
    const QString program = dir.filePath(QString::fromUtf8("Prog \"räume\" $HOME `x` it's\\here/sonorelle"));
    const QString record = dir.filePath(QStringLiteral("record"));
    const QString dataHome = dir.filePath(QStringLiteral("data"));
    const QString song = dir.filePath(QString::fromUtf8("My Songs/Ünïcode 'quoted' \"song\" 50%.mp3"));
};

TEST_F(FileManagerEntriesTest, WritesThreeEntriesThatValidateAndHandOverWholePaths)
{
    ASSERT_EQ(FileManagerEntries(program).writeTo(dataHome), QStringList());
    const struct {
        const QString& file;
        bool runnable;
        QString validatorNoise;
    } expected[] = {{FileManagerEntries::OpenWithFile, false, {}},
                    // A service menu is a KDE type that the validator does not know.
                    {FileManagerEntries::ServiceMenuFile, true, QStringLiteral("the type is \"Service\"")},
                    {FileManagerEntries::NautilusScriptFile, true, {}}};
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    for (const auto& entry : expected) {
        const QString path = dataHome + u'/' + entry.file;
        ASSERT_TRUE(QFileInfo(path).isFile()) << path.toStdString();
        EXPECT_EQ(QFileInfo(path).isExecutable(), entry.runnable) << path.toStdString();
        if (!path.endsWith(QStringLiteral(".desktop")) || validator.isEmpty())
            continue;
        const test::ToolRun validated = test::RunToEnd(validator, {path}, 30000);
        for (const QString& line : QString::fromUtf8(validated.out).split(u'\n', Qt::SkipEmptyParts))
            EXPECT_TRUE(!entry.validatorNoise.isEmpty() && line.contains(entry.validatorNoise)) << line.toStdString();
    }

    // Every entry hands the program the whole path.
    const QString script = dataHome + u'/' + FileManagerEntries::NautilusScriptFile;
    const QString other = dir.filePath(QStringLiteral("two  blanks.wav"));

    run(script, {}, song + u'\n' + other + u'\n');
    waitForRecords(2);
    QStringList recorded = recordedArguments();
    recorded.sort();
    EXPECT_EQ(recorded, (QStringList{song, other}));

    QFile::remove(record);
    run(script, {song});
    waitForRecords(1);
    EXPECT_EQ(recordedArguments(), QStringList{song});

    // The Open With entry as a desktop's launcher reads its Exec line.
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty())
        GTEST_SKIP() << "no desktop launcher (gio) here";
    QFile::remove(record);
    run(gio, {QStringLiteral("launch"), dataHome + u'/' + FileManagerEntries::OpenWithFile, song});
    waitForRecords(1);
    EXPECT_EQ(recordedArguments(), QStringList{song});
}

TEST_F(FileManagerEntriesTest, AnEntryInPlaceIsNotWrittenAgain)
{
    const QString entry = dataHome + u'/' + FileManagerEntries::ServiceMenuFile;
    ASSERT_EQ(FileManagerEntries(program).writeTo(dataHome), QStringList());
    const ino_t first = test::InodeOf(entry);
    ASSERT_EQ(FileManagerEntries(program).writeTo(dataHome), QStringList());
    EXPECT_EQ(test::InodeOf(entry), first);
    // One that lost its mode, or names a moved program, is written again.
    QFile::setPermissions(entry, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_EQ(FileManagerEntries(program).writeTo(dataHome), QStringList());
    EXPECT_TRUE(QFileInfo(entry).isExecutable());
    ASSERT_EQ(FileManagerEntries(QStringLiteral("/usr/bin/sonorelle")).writeTo(dataHome), QStringList());
    EXPECT_TRUE(ReadFile(entry).contains("/usr/bin/sonorelle"));
}

}  // namespace
}  // namespace sonorelle
