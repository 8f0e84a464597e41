#include "platform/RegKeyLine.h"

#include <algorithm>

namespace sonorelle {

KeyMatch QuickKeyMatch(QByteArrayView line, QByteArrayView target)
{
    qsizetype at = 0;
    bool separator = false;
    for (qsizetype i = 1; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ']')
            return at == target.size() ? KeyMatch::Yes : KeyMatch::No;
        if (quint8(c) >= 0x80)
            return KeyMatch::Unsure;
        if (c == '\\') {
            if (i + 1 >= line.size() || line[i + 1] != '\\')
                return KeyMatch::Unsure;
            ++i;
            separator = at > 0;
            continue;
        }
        if (separator) {
            if (at >= target.size() || target[at] != '\\')
                return KeyMatch::No;
            ++at;
            separator = false;
        }
        const char lower = c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
        if (at >= target.size() || target[at] != lower)
            return KeyMatch::No;
        ++at;
    }
    return KeyMatch::No;
}

QByteArray AsciiKeyTarget(const QString& normalizedPath)
{
    const bool ascii =
        std::all_of(normalizedPath.cbegin(), normalizedPath.cend(), [](QChar c) { return c.unicode() < 0x80; });
    return ascii ? normalizedPath.toLower().toLatin1() : QByteArray();
}

QByteArrayView WithoutLeadingBlanks(QByteArrayView line)
{
    while (!line.isEmpty() && (line.front() == ' ' || line.front() == '\t'))
        line = line.sliced(1);
    return line;
}

}  // namespace sonorelle
