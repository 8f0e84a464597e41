#include "platform/YamlScalars.h"

#include <QList>

#include <optional>

namespace sonorelle {

namespace {

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A double-quoted scalar from after its opening quote; nothing when it does not end
// on this line.
std::optional<QString> doubleQuoted(QByteArrayView text)
{
    QString out;
    QByteArray raw;
    const auto flush = [&] {
        out += QString::fromUtf8(raw);
        raw.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            flush();
            return out;
        }
        if (c != '\\' || i + 1 >= text.size()) {
            raw.append(c);
            continue;
        }
        const char escape = text[++i];
        const int hexDigits = escape == 'x' ? 2 : escape == 'u' ? 4 : escape == 'U' ? 8 : 0;
        if (hexDigits > 0) {
            char32_t code = 0;
            for (int d = 0; d < hexDigits && i + 1 < text.size() && isHex(text[i + 1]); ++d)
                code = code * 16 + char32_t(QByteArray(1, text[++i]).toUInt(nullptr, 16));
            flush();
            out += QString::fromUcs4(&code, 1);
            continue;
        }
        switch (escape) {
        case 'n': raw.append('\n'); break;
        case 't': raw.append('\t'); break;
        case 'r': raw.append('\r'); break;
        case '0': raw.append('\0'); break;
        default: raw.append(escape);
        }
    }
    return std::nullopt;
}

std::optional<QString> singleQuoted(QByteArrayView text)
{
    QByteArray raw;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\'') {
            raw.append(text[i]);
        } else if (i + 1 < text.size() && text[i + 1] == '\'') {
            raw.append('\'');
            ++i;
        } else {
            return QString::fromUtf8(raw);
        }
    }
    return std::nullopt;
}

QString scalar(QByteArrayView text)
{
    if (text.startsWith('"'))
        return doubleQuoted(text.sliced(1)).value_or(QString());
    if (text.startsWith('\''))
        return singleQuoted(text.sliced(1)).value_or(QString());
    if (text.startsWith('|') || text.startsWith('>') || text.startsWith('[') || text.startsWith('{') ||
        text.startsWith('&') || text.startsWith('*') || text.startsWith('!'))
        return {};
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i] == '#' && (text[i - 1] == ' ' || text[i - 1] == '\t')) {
            text.truncate(i);
            break;
        }
    }
    const QString value = QString::fromUtf8(text.trimmed());
    return value == u"~" || value.compare(u"null", Qt::CaseInsensitive) == 0 ? QString() : value;
}

// The key of a "key: value" or "key:" line and where its value starts; nothing for
// other lines.
std::optional<QString> keyOf(QByteArrayView content, qsizetype* valueStart)
{
    qsizetype colon = -1;
    QString key;
    if (content.startsWith('"') || content.startsWith('\'')) {
        const qsizetype close = content.indexOf(content[0], 1);
        if (close < 0)
            return std::nullopt;
        const std::optional<QString> quoted =
            content[0] == '"' ? doubleQuoted(content.sliced(1)) : singleQuoted(content.sliced(1));
        if (!quoted)
            return std::nullopt;
        key = *quoted;
        colon = content.indexOf(':', close);
        if (colon < 0 || !content.sliced(close + 1, colon - close - 1).trimmed().isEmpty())
            return std::nullopt;
    } else {
        for (qsizetype i = 0; i < content.size() && colon < 0; ++i) {
            if (content[i] == ':' && (i + 1 == content.size() || content[i + 1] == ' ' || content[i + 1] == '\t'))
                colon = i;
        }
        if (colon <= 0)
            return std::nullopt;
        key = QString::fromUtf8(content.first(colon).trimmed());
    }
    *valueStart = colon + 1;
    return key;
}

}  // namespace

QString FindYamlScalar(QByteArrayView document, const QStringList& keyPath)
{
    struct Level {
        qsizetype indent;
        QString key;
    };
    QList<Level> open;
    qsizetype blockScalarIndent = -1;  // lines deeper than this belong to a | or > scalar
    qsizetype start = 0;
    while (start < document.size()) {
        qsizetype end = document.indexOf('\n', start);
        if (end < 0)
            end = document.size();
        QByteArrayView line = document.sliced(start, end - start);
        start = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        qsizetype indent = 0;
        while (indent < line.size() && (line[indent] == ' ' || line[indent] == '\t'))
            ++indent;
        const QByteArrayView content = line.sliced(indent);
        if (content.isEmpty() || content.startsWith('#'))
            continue;
        if (blockScalarIndent >= 0 && indent > blockScalarIndent)
            continue;
        blockScalarIndent = -1;
        if (indent == 0 && (content.startsWith("---") || content.startsWith("..."))) {
            open.clear();
            continue;
        }
        qsizetype valueStart = 0;
        const std::optional<QString> key = content.startsWith('-') ? std::nullopt : keyOf(content, &valueStart);
        if (!key)
            continue;
        while (!open.isEmpty() && open.last().indent >= indent)
            open.removeLast();
        const QByteArrayView value = content.sliced(valueStart).trimmed();
        if (value.isEmpty() || value.startsWith('#')) {
            open.append({indent, *key});
            continue;
        }
        if (value.startsWith('|') || value.startsWith('>'))
            blockScalarIndent = indent;
        if (keyPath.isEmpty() || open.size() + 1 != keyPath.size() || keyPath.last() != *key)
            continue;
        bool same = true;
        for (qsizetype i = 0; i < open.size() && same; ++i)
            same = open[i].key == keyPath[i];
        if (same)
            return scalar(value);
    }
    return {};
}

}  // namespace sonorelle
