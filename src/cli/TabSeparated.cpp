#include "cli/TabSeparated.h"

#include <QStringView>

namespace sonorelle {

namespace {

// Characters with a short escape, and the letter each one's escape ends in.
constexpr QStringView Named = u"\\\t\n\r";
constexpr QStringView NamedLetters = u"\\tnr";

}  // namespace

QString EscapeField(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar character : value) {
        const qsizetype named = Named.indexOf(character);
        if (named >= 0) {
            escaped += u'\\';
            escaped += NamedLetters.at(named);
        } else if (character.unicode() < 0x20 || character.unicode() == 0x7f) {
            escaped += QStringLiteral("\\x%1").arg(character.unicode(), 2, 16, QLatin1Char('0'));
        } else {
            escaped += character;
        }
    }
    return escaped;
}

}  // namespace sonorelle
