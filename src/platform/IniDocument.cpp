#include "platform/IniDocument.h"

#include <QStringDecoder>
#include <QStringList>

namespace sonorelle {

namespace {

QString decodeText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// The profile reader drops one pair of matching quotes around a value.
QString withoutEnclosingQuotes(const QString& value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

QString cutToLength(QString value, qsizetype length)
{
    if (value.size() <= length)
        return value;
    value.truncate(length);
    if (value.back().isHighSurrogate())
        value.chop(1);
    return value;
}

}  // namespace

IniDocument IniDocument::parse(QByteArrayView bytes)
{
    IniDocument document;
    QString current;
    bool reading = false;  // inside the first section of its name
    const QString text = decodeText(bytes);
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            const qsizetype close = line.lastIndexOf(u']');
            if (close < 0)
                continue;
            const QString name = line.sliced(1, close - 1).trimmed().toString().toCaseFolded();
            // A repeated section is not read, as on Windows.
            reading = !document.sections_.contains(name);
            if (reading)
                document.sections_.insert(name, {});
            current = name;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!reading || equals < 0)
            continue;
        QHash<QString, QString>& keys = document.sections_[current];
        const QString key = line.first(equals).trimmed().toString().toCaseFolded();
        if (!keys.contains(key))
            keys.insert(key, cutToLength(withoutEnclosingQuotes(line.sliced(equals + 1).trimmed().toString()),
                                             maxValueLength));
    }
    return document;
}

QString IniDocument::value(const QString& section, const QString& key) const
{
    const auto found = sections_.constFind(section.trimmed().toCaseFolded());
    if (found == sections_.cend())
        return {};
    return found->value(key.trimmed().toCaseFolded());
}

QHash<QString, QString> IniDocument::section(const QString& name) const
{
    return sections_.value(name.trimmed().toCaseFolded());
}

}  // namespace sonorelle
