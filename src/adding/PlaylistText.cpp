#include "adding/PlaylistText.h"

#include <QStringDecoder>

#include <cmath>
#include <limits>

namespace sonorelle {

namespace {

constexpr char Utf8ByteOrderMark[] = "\xEF\xBB\xBF";

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

}  // namespace

QString DecodeLatin1Playlist(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes);
}

QString DecodePlaylistText(QByteArrayView bytes, bool utf8ByName, const PlaylistTextDecoder& fallback)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16, QStringDecoder::Flag::Stateless)(bytes);
    const bool marked = bytes.startsWith(QByteArrayView(Utf8ByteOrderMark));
    if (marked)
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError() || marked || utf8ByName || !fallback)
        return text;
    return fallback(bytes);
}

double LeadingValue(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const qsizetype start = i;
    const bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    const qsizetype digitsStart = i;
    double whole = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        whole = whole * 10 + (text[i].unicode() - u'0');
    const bool hasWhole = i > digitsStart;
    if (i >= text.size() || text[i] != u'.')
        return negative ? -whole : whole;
    const qsizetype fractionStart = ++i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i == fractionStart)
        return hasWhole ? (negative ? -whole : whole) : 0;
    // A fraction is rare: leave its exact reading to the library.
    bool ok = false;
    const double value = text.sliced(start, i - start).toDouble(&ok);
    return ok ? value : 0;
}

int RoundHalfEven(double value)
{
    // The program never leaves the default rounding mode: to nearest, halves to even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<int>::min() && rounded <= std::numeric_limits<int>::max()))
        return 0;
    return static_cast<int>(rounded);
}

}  // namespace sonorelle
