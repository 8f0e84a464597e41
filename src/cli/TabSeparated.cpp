#include "cli/TabSeparated.h"

namespace sonorelle {

QString EscapeField(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar character : value) {
        switch (character.unicode()) {
        case u'\\':
            escaped += QStringLiteral("\\\\");
            break;
        case u'\t':
            escaped += QStringLiteral("\\t");
            break;
        case u'\n':
            escaped += QStringLiteral("\\n");
            break;
        case u'\r':
            escaped += QStringLiteral("\\r");
            break;
        default:
            if (character.unicode() < 0x20 || character.unicode() == 0x7f)
                escaped += QStringLiteral("\\x%1").arg(character.unicode(), 2, 16, QLatin1Char('0'));
            else
                escaped += character;
        }
    }
    return escaped;
}

}  // namespace sonorelle
