#include "lang/LanguageFileWriter.h"
#include "lang/LanguageTable.h"
#include "lang/LanguageTexts.h"

namespace sonorelle::test {
namespace {

class LanguageTextsTest : public ::testing::Test {
protected:
    LanguageFileWriter files;
    LanguageTexts texts;
};

TEST_F(LanguageTextsTest, MissingKeysEmptyValuesAndOtherSectionsAllGiveEmptyText)
{
    texts.load(files.write(QStringLiteral("a.lng"), "[Global]\nLngBtnDel=from Global\n"
                                                    "[Translate]\nLngBtnAdd=\nLngBtnPlay = Play \n"));
    EXPECT_EQ(texts.text(QStringLiteral("LngBtnAdd")), QString());
    EXPECT_EQ(texts.text(QStringLiteral("LngBtnDel")), QString());
    EXPECT_EQ(texts.text(QStringLiteral("msg1")), QString());
    EXPECT_EQ(texts.text(QStringLiteral("LngBtnPlay")), QStringLiteral("Play"));
}

TEST_F(LanguageTextsTest, KeysAndSectionNamesCompareWithoutRegardToCase)
{
    texts.load(files.write(QStringLiteral("a.lng"), "[TRANSLATE]\nlngbtnADD=Add\nMSGCAP1=Title\n"));
    EXPECT_EQ(texts.text(QStringLiteral("LngBtnAdd")), QStringLiteral("Add"));
    EXPECT_EQ(texts.text(QStringLiteral("LNGBTNADD")), QStringLiteral("Add"));
    EXPECT_EQ(texts.messageCaption(), QStringLiteral("Title"));
}

TEST_F(LanguageTextsTest, ReadsUtf8WithOrWithoutBomAndFallsBackToLatin1)
{
    // The BOM stands right before the first section's bracket: the section must still count.
    texts.load(files.write(QStringLiteral("bom.lng"), "\xEF\xBB\xBF[Translate]\nLngBtnDel=L\xC3\xB6schen\n"));
    EXPECT_EQ(texts.text(QStringLiteral("LngBtnDel")), QStringLiteral("Löschen"));

    texts.load(files.write(QStringLiteral("ru.lng"), QStringLiteral("[Translate]\nLngBtnDel=Удалить\n").toUtf8()));
    EXPECT_EQ(texts.text(QStringLiteral("LngBtnDel")), QStringLiteral("Удалить"));

    texts.load(files.write(QStringLiteral("latin1.lng"), "[Translate]\nLngBtnDel=L\xF6schen\nLngBtnAdd=Hinzuf\xFCgen\n"));
    EXPECT_EQ(texts.text(QStringLiteral("LngBtnDel")), QStringLiteral("Löschen"));
    EXPECT_EQ(texts.text(QStringLiteral("LngBtnAdd")), QStringLiteral("Hinzufügen"));
}

TEST_F(LanguageTextsTest, ANewFileReplacesEveryTextOfTheLastOne)
{
    texts.load(files.write(QStringLiteral("first.lng"), "[Translate]\nLngBtnAdd=Add\nLngBtnDel=Delete\n"));
    const QString second = files.write(QStringLiteral("second.lng"), "[Translate]\nLngBtnAdd=Ajouter\n");
    texts.load(second);
    EXPECT_EQ(texts.file(), second);
    EXPECT_EQ(texts.text(QStringLiteral("LngBtnAdd")), QStringLiteral("Ajouter"));
    EXPECT_EQ(texts.text(QStringLiteral("LngBtnDel")), QString());

    texts.load(files.folder() + QStringLiteral("/gone.lng"));
    EXPECT_EQ(texts.text(QStringLiteral("LngBtnAdd")), QString());
}

TEST_F(LanguageTextsTest, FieldCaptionsGetAColonAndOthersDoNot)
{
    texts.load(files.write(QStringLiteral("a.lng"), "[Translate]\nLngLabelGod=Year\nLngFrameTrack=Songs\n"));
    const CaptionEntry year{LanguageWindow::Main, QStringLiteral("Label8"), QStringLiteral("LngLabelGod"), true};
    const CaptionEntry frame{LanguageWindow::Main, QStringLiteral("Frame1"), QStringLiteral("LngFrameTrack"), false};
    const CaptionEntry missing{LanguageWindow::Setup, QStringLiteral("Label7"), QStringLiteral("VersionCap"), true};
    EXPECT_EQ(texts.caption(year), QStringLiteral("Year:"));
    EXPECT_EQ(texts.caption(frame), QStringLiteral("Songs"));
    EXPECT_EQ(texts.caption(missing), QStringLiteral(":"));
}

TEST_F(LanguageTextsTest, LongValuesAreCutLikeTheProfileReaderDoes)
{
    texts.load(files.write(QStringLiteral("a.lng"), "[Translate]\nmsg1=" + QByteArray(300, 'x') + "\n"));
    EXPECT_EQ(texts.text(QStringLiteral("msg1")).size(), 254);
}

TEST_F(LanguageTextsTest, FallbacksStandInOnlyForEmptyTexts)
{
    EXPECT_EQ(texts.messageCaption(), QStringLiteral("Sonorelle"));
    EXPECT_EQ(texts.missingFileText(), QStringLiteral("Error: can not find"));
    texts.load(files.write(QStringLiteral("a.lng"), "[Translate]\nmsg8_1=Introuvable :\nmsgcap1=\n"));
    EXPECT_EQ(texts.missingFileText(), QStringLiteral("Introuvable :"));
    EXPECT_EQ(texts.messageCaption(), QStringLiteral("Sonorelle"));
}

}  // namespace
}  // namespace sonorelle::test
