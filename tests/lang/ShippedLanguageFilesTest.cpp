#include "lang/LanguageCatalog.h"
#include "lang/LanguageTable.h"
#include "lang/LanguageTexts.h"

#include <QFile>
#include <QStringDecoder>

#include <gtest/gtest.h>

#include <algorithm>

namespace sonorelle::test {
namespace {

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
