#include "songdata/TextFields.h"

namespace sonorelle {

QString LeftChars(const QString& text, qsizetype count)
{
    if (text.size() <= count)
        return text;
    if (count > 0 && text.at(count - 1).isHighSurrogate())
        --count;
    return text.left(count);
}

QString TrimBlanks(const QString& text)
{
    qsizetype begin = 0;
    while (begin < text.size() && text.at(begin) == u' ')
        ++begin;
    return TrimTrailingBlanks(text.mid(begin));
}

QString TrimTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

QString FixedWidth(const QString& text, qsizetype width)
{
    return LeftChars(text, width).leftJustified(width, u' ');
}

}  // namespace sonorelle
