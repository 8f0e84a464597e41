#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>

namespace sonorelle {

// Decodes the bytes of a playlist that is not UTF-8 (a player's ANSI code page).
using PlaylistTextDecoder = std::function<QString(QByteArrayView bytes)>;

QString DecodeLatin1Playlist(QByteArrayView bytes);

// The playlist's text: UTF-8 when the file says so (a .m3u8 name or a byte order
// mark) or when its bytes are valid UTF-8, else what the fallback decoder makes of
// them. UTF-16 with a byte order mark is read too (Windows editors write it). A byte
// order mark is not part of the text.
QString DecodePlaylistText(QByteArrayView bytes, bool utf8ByName, const PlaylistTextDecoder& fallback);

// The number at the start of text (blanks, a sign, digits, a fraction); 0 when there
// is none.
double LeadingValue(QStringView text);

// value rounded to the nearest int, halves to the even one; 0 when it does not fit.
int RoundHalfEven(double value);

// Calls visit with every line of text, without its line break (LF, CRLF or CR).
template <typename Visit>
void ForEachLine(QStringView text, Visit&& visit)
{
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        visit(text.sliced(start, end - start));
        if (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
}

}  // namespace sonorelle
