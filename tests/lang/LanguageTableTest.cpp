#include "lang/LanguageTable.h"

#include <QSet>

#include <gtest/gtest.h>

namespace sonorelle::test {
namespace {

TEST(LanguageTable, CaptionsComeWindowByWindowInTheOrderWindowsAreApplied)
{
    const QList<LanguageWindow>& order = LanguageTable::windows();
    qsizetype lastPosition = 0;
    QSet<LanguageWindow> seen;
    for (const CaptionEntry& entry : LanguageTable::captions()) {
        const qsizetype position = order.indexOf(entry.window);
        ASSERT_GE(position, lastPosition) << entry.key.toStdString() << " comes after a later window's captions";
        lastPosition = position;
        seen.insert(entry.window);
    }
    EXPECT_EQ(seen.size(), order.size()) << "every window has captions";
}

TEST(LanguageTable, EachControlGetsOneCaptionAndEveryWindowItsName)
{
    QSet<QString> controls;
    for (const CaptionEntry& entry : LanguageTable::captions()) {
        const QString where = LanguageTable::windowName(entry.window) + QLatin1Char('.') + entry.control;
        EXPECT_FALSE(controls.contains(where)) << where.toStdString();
        controls.insert(where);
    }
    QSet<QString> names;
    for (const LanguageWindow window : LanguageTable::windows())
        names.insert(LanguageTable::windowName(window));
    EXPECT_EQ(names, (QSet<QString>{QStringLiteral("Form1"), QStringLiteral("frmProgress"), QStringLiteral("Form2"),
                                    QStringLiteral("frmAbout"), QStringLiteral("frmWinAmp")}));
}

TEST(LanguageTable, TheTenTagLabelsAndTheFiveSetupLabelsEndInAColon)
{
    QStringList withColon;
    for (const CaptionEntry& entry : LanguageTable::captions()) {
        if (entry.withColon)
            withColon.append(LanguageTable::windowName(entry.window) + QLatin1Char('.') + entry.control);
    }
    withColon.sort();
    QStringList expected;
    for (const char* label : {"Label11", "label1", "Label12", "Label2", "Label9", "Label10", "Label8", "Label4",
                              "Label7", "Label6"})
        expected.append(QStringLiteral("Form1.") + QString::fromLatin1(label));
    for (const char* label : {"Frame2", "label1", "Label3", "Label5", "Label7"})
        expected.append(QStringLiteral("Form2.") + QString::fromLatin1(label));
    expected.sort();
    EXPECT_EQ(withColon, expected);
}

}  // namespace
}  // namespace sonorelle::test
