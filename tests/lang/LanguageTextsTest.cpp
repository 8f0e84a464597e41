#include "lang/LanguageCatalog.h"
#include "lang/LanguageTable.h"
#include "lang/LanguageTexts.h"
#include "support/FileBytes.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace sonorelle::test {
namespace {

class LanguageTextsTest : public ::testing::Test {
protected:
    void load(const QByteArray& bytes)
    {
        WriteFile(folder.filePath(QStringLiteral("test.lng")), bytes);
        texts.load(folder.filePath(QStringLiteral("test.lng")));
    }

    QString text(const char* key) const { return texts.text(QString::fromLatin1(key)); }

    QTemporaryDir folder;
    LanguageTexts texts;
};

// Only the Translate section counts, its name and keys in any case.
TEST_F(LanguageTextsTest, OnlyFilledKeysOfTheTranslateSectionGiveText)
{
    load("[Global]\nLngBtnDel=from Global\n"
         "[TRANSLATE]\nLngBtnAdd=\nlngbtnPLAY = Play \nMSGCAP1=Title\n");
    const QStringList read{text("LngBtnAdd"), text("LngBtnDel"), text("LngBtnPlay"), texts.messageCaption()};
    EXPECT_EQ(read, (QStringList{{}, {}, QStringLiteral("Play"), QStringLiteral("Title")}));

    texts.load(folder.filePath(QStringLiteral("gone.lng")));
    EXPECT_EQ(text("LngBtnPlay"), QString());
}

TEST_F(LanguageTextsTest, FallbacksStandInOnlyForEmptyTexts)
{
    EXPECT_EQ(texts.missingFileText(), QStringLiteral("Error: can not find"));
    load("[Translate]\nmsg8_1=Introuvable :\nmsgcap1=\n");
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

QString Shipped(const char* name)
{
    return QStringLiteral(SONORELLE_SOURCE_DIR "/languages/") + QString::fromLatin1(name);
}

class ShippedLanguageFile : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedLanguageFile, HoldsEveryFactAndEveryTextAsValidUtf8)
{
    const QString path = Shipped(GetParam());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    // Invalid UTF-8 would silently be read as Latin-1 and show as mojibake.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString content = utf8.decode(file.readAll());
    EXPECT_FALSE(utf8.hasError());

    const LanguageFileInfo info = LanguageCatalog::readInfo(path);
    for (const QString& fact : {info.Language, info.Autor, info.email, info.www, info.version})
        EXPECT_FALSE(fact.isEmpty());

    LanguageTexts texts;
    texts.load(path);
    for (const QString& key : LanguageTable::allKeys())
        EXPECT_FALSE(texts.text(key).trimmed().isEmpty()) << GetParam() << ": " << key.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedLanguageFile, ::testing::Values("English.lng", "Russian.lng", "German.lng"));

// Each file is its own language, not a copy of another, and the catalog offers it by name.
TEST(ShippedLanguageFiles, AreTranslatedAndOfferedUnderDistinctNames)
{
    LanguageTexts russian;
    russian.load(Shipped("Russian.lng"));
    for (const CaptionEntry& entry : LanguageTable::captions()) {
        const QString text = russian.text(entry.key);
        EXPECT_TRUE(std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.script() == QChar::Script_Cyrillic; }))
            << entry.key.toStdString();
    }

    QStringList names;
    for (const LanguageFileInfo& file : LanguageCatalog::scan(QStringLiteral(SONORELLE_SOURCE_DIR "/languages")))
        names.append(file.Language);
    EXPECT_EQ(names, (QStringList{QStringLiteral("English"), QStringLiteral("Deutsch"), QStringLiteral("Русский")}));
}

}  // namespace
}  // namespace sonorelle::test
