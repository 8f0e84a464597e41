#include "adding/PlsPlaylist.h"

#include "adding/PlaylistText.h"

#include <QMap>

namespace sonorelle {

namespace {

struct PlsKeys {
    QString file;
    QString title;
    int seconds = 0;
};

// "Title12" with the name "Title": 12; -1 when the key is another one.
int numberAfter(QStringView key, QStringView name)
{
    if (!key.startsWith(name, Qt::CaseInsensitive) || key.size() == name.size())
        return -1;
    bool ok = false;
    const int number = key.sliced(name.size()).toInt(&ok);
    return ok && number >= 0 ? number : -1;
}

}  // namespace

QList<PlaylistEntry> ParsePlsPlaylist(QStringView text, const PlaylistPathResolver& paths)
{
    QMap<int, PlsKeys> numbered;
    ForEachLine(text, [&](QStringView line) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            return;
        const QStringView key = line.first(equals).trimmed();
        const QStringView value = line.sliced(equals + 1).trimmed();
        if (const int n = numberAfter(key, u"File"); n >= 0)
            numbered[n].file = value.toString();
        else if (const int t = numberAfter(key, u"Title"); t >= 0)
            numbered[t].title = value.toString();
        else if (const int l = numberAfter(key, u"Length"); l >= 0)
            numbered[l].seconds = RoundHalfEven(LeadingValue(value));
    });
    QList<PlaylistEntry> entries;
    for (const PlsKeys& keys : std::as_const(numbered)) {
        if (keys.file.isEmpty())
            continue;
        entries.append({keys.title.isEmpty() ? keys.file : keys.title, paths.resolve(keys.file), keys.seconds});
    }
    return entries;
}

}  // namespace sonorelle
