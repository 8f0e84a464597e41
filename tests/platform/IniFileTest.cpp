#include "platform/IniFile.h"
#include "support/FileBytes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes)
    {
        test::WriteFile(path, bytes);
        return path;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("test.lng"));
};

TEST_F(IniFileTest, ReadsLikeTheWindowsProfileReader)
{
    const QByteArray longValue(300, 'a');
    const QString file = write("\xEF\xBB\xBF[Global]\r\n"
                               "Language = Deutsch \r\n"
                               "; Autor=commented out\r\n"
                               "  email\t=\t a@b.c  \r\n"
                               "Empty=\r\n"
                               "Quoted=\"  kept inside  \"\r\n"
                               "Twice=first\r\n"
                               "TWICE=second\r\n"
                               "NoEquals\r\n"
                               "[ Translate ]\r\n"
                               "Long=" + longValue + "\r\n"
                               "Umlaut=\xC3\xBC" "ber\r\n"
                               "[global]\r\n"
                               "Autor=in a repeated section\r\n");
    EXPECT_EQ(ReadIni(file, QStringLiteral("GLOBAL"), QStringLiteral("language")), QStringLiteral("Deutsch"));
    EXPECT_EQ(ReadIni(file, QStringLiteral("Global"), QStringLiteral("email")), QStringLiteral("a@b.c"));
    EXPECT_EQ(ReadIni(file, QStringLiteral("Global"), QStringLiteral("Quoted")), QStringLiteral("  kept inside  "));
    EXPECT_EQ(ReadIni(file, QStringLiteral("Global"), QStringLiteral("twice")), QStringLiteral("first"));
    EXPECT_EQ(ReadIni(file, QStringLiteral("Translate"), QStringLiteral("Long")), QString(254, u'a'));
    EXPECT_EQ(ReadIni(file, QStringLiteral("translate"), QStringLiteral("umlaut")), QString::fromUtf8("über"));
    for (const char* missing : {"Empty", "Autor", "NoEquals", "; Autor", "Nothing"})
        EXPECT_EQ(ReadIni(file, QStringLiteral("Global"), QString::fromLatin1(missing)), QString()) << missing;
    EXPECT_EQ(ReadIni(file, QStringLiteral("Other"), QStringLiteral("Language")), QString());
    EXPECT_EQ(ReadIni(dir.path() + QStringLiteral("/none.lng"), QStringLiteral("Global"), QStringLiteral("Language")),
              QString());
}

TEST_F(IniFileTest, FallsBackToLatin1AndSeesChangedFiles)
{
    const QString file = write("[Global]\nLanguage=Fran\xE7" "ais\n");
    EXPECT_EQ(ReadIni(file, QStringLiteral("Global"), QStringLiteral("Language")), QString::fromUtf8("Français"));

    // The cache must notice a rewrite, even one of the same size.
    write("[Global]\nLanguage=Espa\xC3\xB1oL\n");
    EXPECT_EQ(ReadIni(file, QStringLiteral("Global"), QStringLiteral("Language")), QString::fromUtf8("EspañoL"));
    QFile::remove(file);
    EXPECT_EQ(ReadIni(file, QStringLiteral("Global"), QStringLiteral("Language")), QString());
}

}  // namespace
}  // namespace sonorelle
