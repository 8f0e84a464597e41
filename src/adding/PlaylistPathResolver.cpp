#include "adding/PlaylistPathResolver.h"

#include "platform/WinePaths.h"

#include <QByteArray>
#include <QDir>

namespace sonorelle {

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// "C:", "C:\..." or "C:/...".
bool hasDriveLetter(QStringView path)
{
    return path.size() >= 2 && isAsciiLetter(path[0]) && path[1] == u':' &&
           (path.size() == 2 || path[2] == u'\\' || path[2] == u'/');
}

// "scheme://..." with a scheme longer than one letter, so "C://x" stays a drive path.
bool hasUriScheme(QStringView text)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 2 || !text.sliced(colon).startsWith(u"://"))
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        const QChar c = text[i];
        if (!isAsciiLetter(c) && !(i > 0 && (c.isDigit() || c == u'+' || c == u'-' || c == u'.')))
            return false;
    }
    return true;
}

bool isFileUri(QStringView text)
{
    return text.startsWith(u"file:", Qt::CaseInsensitive);
}

QString percentDecoded(QStringView text)
{
    if (!text.contains(u'%'))
        return text.toString();
    return QString::fromUtf8(QByteArray::fromPercentEncoding(text.toUtf8()));
}

// A joined path needs tidying only when it holds "." or ".." components or doubled
// separators; most do not, and cleanPath is the costly step of a large playlist.
bool needsCleaning(const QString& path)
{
    return path.contains(u"/.") || path.contains(u"//");
}

}  // namespace

PlaylistPathResolver::PlaylistPathResolver(QString playlistFolder, QString winePrefix)
    : folder_(std::move(playlistFolder)), winePrefix_(std::move(winePrefix))
{
}

QString PlaylistPathResolver::resolve(QStringView written) const
{
    if (isFileUri(written))
        return fromFileUri(written);
    if (hasUriScheme(written))
        return written.toString();
    return fromLocalPath(written.toString());
}

QString PlaylistPathResolver::resolveLocation(QStringView location) const
{
    if (isFileUri(location) || hasUriScheme(location))
        return resolve(location);
    return fromLocalPath(percentDecoded(location));
}

QString PlaylistPathResolver::fromFileUri(QStringView uri) const
{
    QStringView rest = uri.sliced(5);
    QString host;
    if (rest.startsWith(u"//")) {
        rest = rest.sliced(2);
        const qsizetype slash = rest.indexOf(u'/');
        host = rest.first(slash < 0 ? rest.size() : slash).toString();
        rest = rest.sliced(host.size());
        if (host.compare(u"localhost", Qt::CaseInsensitive) == 0)
            host.clear();
    }
    QString path = percentDecoded(rest);
    if (hasDriveLetter(host))
        return TranslateWindowsPath(host + path, winePrefix_);
    if (!host.isEmpty())
        return QStringLiteral("//") + host + path;
    // file:///C:/Music/a.mp3 is how Windows players write a drive path.
    if (path.startsWith(u'/') && hasDriveLetter(QStringView(path).sliced(1)))
        return TranslateWindowsPath(path.sliced(1), winePrefix_);
    return path;
}

QString PlaylistPathResolver::fromLocalPath(const QString& path) const
{
    if (hasDriveLetter(path))
        return TranslateWindowsPath(path, winePrefix_);
    if (path.startsWith(u'/'))
        return path;
    QString relative = path;
    relative.replace(u'\\', u'/');
    const QString joined = JoinPath(folder_, relative);
    return needsCleaning(joined) ? QDir::cleanPath(joined) : joined;
}

}  // namespace sonorelle
