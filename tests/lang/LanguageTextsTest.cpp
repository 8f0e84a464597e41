#include "lang/LanguageTable.h"
#include "lang/LanguageTexts.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle::test {
namespace {

class LanguageTextsTest : public ::testing::Test {
protected:
    // Loads a language file of exactly these bytes.
    void load(const QByteArray& bytes)
    {
        QFile file(folder.filePath(QStringLiteral("test.lng")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        texts.load(file.fileName());
    }

    QString text(const char* key) const { return texts.text(QString::fromLatin1(key)); }

    QTemporaryDir folder;
    LanguageTexts texts;
};

TEST_F(LanguageTextsTest, MissingKeysEmptyValuesOtherSectionsAndMissingFilesGiveEmptyText)
{
    load("[Global]\nLngBtnDel=from Global\n[Translate]\nLngBtnAdd=\nLngBtnPlay = Play \n");
    EXPECT_EQ(text("LngBtnAdd"), QString());
    EXPECT_EQ(text("LngBtnDel"), QString());
    EXPECT_EQ(text("msg2"), QString());
    EXPECT_EQ(text("LngBtnPlay"), QStringLiteral("Play"));

    texts.load(folder.filePath(QStringLiteral("gone.lng")));
    EXPECT_EQ(text("LngBtnPlay"), QString());
}

TEST_F(LanguageTextsTest, KeysAndSectionNamesCompareWithoutRegardToCase)
{
    load("[TRANSLATE]\nlngbtnADD=Add\nMSGCAP1=Title\n");
    EXPECT_EQ(text("LngBtnAdd"), QStringLiteral("Add"));
    EXPECT_EQ(text("LNGBTNADD"), QStringLiteral("Add"));
    EXPECT_EQ(texts.messageCaption(), QStringLiteral("Title"));
}

TEST_F(LanguageTextsTest, FieldCaptionsGetAColonAndFallbacksStandInOnlyForEmptyTexts)
{
    EXPECT_EQ(texts.missingFileText(), QStringLiteral("Error: can not find"));
    load("[Translate]\nLngLabelGod=Year\nLngFrameTrack=Songs\nmsg8_1=Introuvable :\nmsgcap1=\n");
    EXPECT_EQ(texts.caption({LanguageWindow::Main, QStringLiteral("Label8"), QStringLiteral("LngLabelGod"), true}), QStringLiteral("Year:"));
    EXPECT_EQ(texts.caption({LanguageWindow::Main, QStringLiteral("Frame1"), QStringLiteral("LngFrameTrack"), false}), QStringLiteral("Songs"));
    EXPECT_EQ(texts.caption({LanguageWindow::Setup, QStringLiteral("Label7"), QStringLiteral("VersionCap"), true}), QStringLiteral(":"));
    EXPECT_EQ(texts.missingFileText(), QStringLiteral("Introuvable :"));
    EXPECT_EQ(texts.messageCaption(), QStringLiteral("Sonorelle"));
}

TEST(LanguageTable, EachControlGetsOneCaption)
{
    QSet<QString> controls;
    for (const CaptionEntry& entry : LanguageTable::captions()) {
        const QString where = LanguageTable::windowName(entry.window) + QLatin1Char('.') + entry.control;
        EXPECT_FALSE(controls.contains(where)) << where.toStdString();
        controls.insert(where);
    }
}

}  // namespace
}  // namespace sonorelle::test
