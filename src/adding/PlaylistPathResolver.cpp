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
    qsizetype i = 0;
    while (i < text.size() && (isAsciiLetter(text[i]) || (i > 0 && (text[i].isDigit() || text[i] == u'+' ||
                                                                    text[i] == u'-' || text[i] == u'.'))))
        ++i;
    return i >= 2 && text.sliced(i).startsWith(u"://");
}

bool isFileUri(QStringView text)
{
    return text.size() >= 5 && (text[0] == u'f' || text[0] == u'F') && text.first(5).compare(u"file:", Qt::CaseInsensitive) == 0;
}

QString percentDecoded(QStringView text)
{
    if (!text.contains(u'%'))
        return text.toString();
    return QString::fromUtf8(QByteArray::fromPercentEncoding(text.toUtf8()));
}

}  // namespace

PlaylistPathResolver::PlaylistPathResolver(QString playlistFolder, QString winePrefix)
    : folder_(std::move(playlistFolder)), winePrefix_(std::move(winePrefix))
{
    while (folder_.endsWith(u'/'))
        folder_.chop(1);
}

QString PlaylistPathResolver::resolve(QStringView written) const
{
    if (isFileUri(written))
        return fromFileUri(written);
    if (hasUriScheme(written))
        return written.toString();
    return fromLocalPath(written);
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

QString PlaylistPathResolver::fromLocalPath(QStringView path) const
{
    if (hasDriveLetter(path))
        return TranslateWindowsPath(path.toString(), winePrefix_);
    if (path.startsWith(u'/'))
        return path.toString();
    // Relative, with either separator. Built in one pass: a large playlist is mostly
    // this, and only "." and ".." components or doubled separators need cleanPath.
    while (path.startsWith(u'\\'))
        path = path.sliced(1);
    QString joined;
    joined.reserve(folder_.size() + 1 + path.size());
    joined += folder_;
    joined += u'/';
    const qsizetype relativeStart = joined.size();
    joined += path;
    bool needsCleaning = false;
    QChar* const characters = joined.data();
    for (qsizetype i = relativeStart; i < joined.size(); ++i) {
        if (characters[i] == u'\\')
            characters[i] = u'/';
        if (characters[i - 1] == u'/' && (characters[i] == u'.' || characters[i] == u'/'))
            needsCleaning = true;
    }
    return needsCleaning ? QDir::cleanPath(joined) : joined;
}

}  // namespace sonorelle
