#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

TEST(CodePageTest, LocaleGivesTheCodePageWineChooses)
{
    const std::pair<const char*, int> cases[] = {
        {"ru_RU.UTF-8", 1251}, {"sr_RS.UTF-8", 1251}, {"sr_RS.UTF-8@latin", 1250},
        {"cs_CZ.ISO-8859-2", 1250}, {"hu_HU", 1250}, {"en_US.UTF-8", 1252}, {"C", 1252},
        {"", 1252}, {"ja_JP.UTF-8", 932}, {"zh_CN.UTF-8", 936}, {"zh_TW.UTF-8", 950},
    };
    for (const auto& [locale, expected] : cases)
        EXPECT_EQ(CodePage::forLocale(QString::fromLatin1(locale)), expected) << locale;
}

TEST(CodePageTest, TextRoundTripsOrIsRefusedButNeverChanged)
{
    const CodePage cyrillic(1251);
    const CodePage western(1252);
    ASSERT_TRUE(cyrillic.isValid());
    const QString russian = QString::fromUtf8("Кино – Группа крови");
    EXPECT_EQ(cyrillic.decode(*cyrillic.encode(russian)), russian);
    EXPECT_EQ(western.encode(russian), std::nullopt);
    EXPECT_EQ(western.encode(QString::fromUtf8("Café €")), QByteArray("Caf\xE9 \x80"));
    EXPECT_EQ(western.encode(QString(QChar(0xD800))), std::nullopt) << "a lone surrogate";
    EXPECT_EQ(western.encode({}), QByteArray());
    // Several bytes per character.
    const CodePage japanese(932);
    EXPECT_EQ(japanese.decode(*japanese.encode(QString::fromUtf8("東京"))), QString::fromUtf8("東京"));

    EXPECT_FALSE(CodePage(4242).isValid());
    EXPECT_EQ(CodePage(4242).encode(QStringLiteral("a")), std::nullopt);
}

}  // namespace
}  // namespace sonorelle
