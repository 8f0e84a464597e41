#include "platform/RegFile.h"

#include <QStringDecoder>

#include <algorithm>

namespace sonorelle {

namespace {

const QByteArray wineHeader = QByteArrayLiteral("WINE REGISTRY Version 2");

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

bool isOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Wine writes plain ASCII, but a hand-edited file may hold UTF-8 or Latin-1 bytes.
QString decodeRaw(QByteArrayView raw)
{
    if (std::all_of(raw.begin(), raw.end(), [](char c) { return quint8(c) < 0x80; }))
        return QString::fromLatin1(raw);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(raw);
    return utf8.hasError() ? QString::fromLatin1(raw) : text;
}

// Reads an escaped string from pos up to the unescaped terminator; pos ends after
// it. False when the line ends first.
bool readEscaped(QByteArrayView line, qsizetype& pos, char terminator, QString& out)
{
    QByteArray raw;
    const auto putChar = [&](char16_t c) {
        out += decodeRaw(raw);
        raw.clear();
        out += QChar(c);
    };
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == terminator) {
            out += decodeRaw(raw);
            return true;
        }
        if (c != '\\') {
            raw.append(c);
            continue;
        }
        if (pos >= line.size())
            break;
        const char escape = line[pos++];
        switch (escape) {
        case 'a': putChar(u'\a'); break;
        case 'b': putChar(u'\b'); break;
        case 'e': putChar(char16_t(0x1b)); break;
        case 'f': putChar(u'\f'); break;
        case 'n': putChar(u'\n'); break;
        case 'r': putChar(u'\r'); break;
        case 't': putChar(u'\t'); break;
        case 'v': putChar(u'\v'); break;
        case 'x': {
            unsigned code = 0;
            int digits = 0;
            for (; digits < 4 && pos < line.size() && isHexDigit(line[pos]); ++digits)
                code = code * 16 + unsigned(hexValue(line[pos++]));
            putChar(digits == 0 ? u'x' : char16_t(code));
            break;
        }
        default:
            if (isOctalDigit(escape)) {
                unsigned code = unsigned(escape - '0');
                for (int digits = 1; digits < 3 && pos < line.size() && isOctalDigit(line[pos]); ++digits)
                    code = code * 8 + unsigned(line[pos++] - '0');
                putChar(char16_t(code));
            } else {
                raw.append(escape);
            }
        }
    }
    out += decodeRaw(raw);
    return false;
}

// The escaping Wine's own writer uses, so Wine could read our files as well.
QByteArray escaped(const QString& text, QByteArrayView specials)
{
    static constexpr char controlEscapes[] = ".......abtnvfr.............e....";
    QByteArray out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char16_t next = i + 1 < text.size() ? text[i + 1].unicode() : 0;
        if (c > 127) {
            const bool nextLooksHex = next != 0 && next < 128 && isHexDigit(char(next));
            const QByteArray hex = QByteArray::number(c, 16);
            out += "\\x" + (nextLooksHex ? hex.rightJustified(4, '0') : hex);
        } else if (c < 32) {
            if (controlEscapes[c] != '.') {
                out += '\\';
                out += controlEscapes[c];
            } else {
                const bool nextLooksOctal = next != 0 && next < 128 && isOctalDigit(char(next));
                const QByteArray octal = QByteArray::number(c, 8);
                out += '\\' + (nextLooksOctal ? octal.rightJustified(3, '0') : octal);
            }
        } else {
            if (c == u'\\' || specials.contains(char(c)))
                out += '\\';
            out += char(c);
        }
    }
    return out;
}

std::optional<QByteArray> parseHexBytes(QByteArrayView list)
{
    QByteArray bytes;
    qsizetype start = 0;
    while (start <= list.size()) {
        qsizetype end = list.indexOf(',', start);
        if (end < 0)
            end = list.size();
        const QByteArrayView item = list.sliced(start, end - start).trimmed();
        start = end + 1;
        if (item.isEmpty())
            continue;
        if (item.size() > 2 || !isHexDigit(item[0]) || (item.size() == 2 && !isHexDigit(item[1])))
            return std::nullopt;
        bytes.append(char(item.size() == 2 ? hexValue(item[0]) * 16 + hexValue(item[1]) : hexValue(item[0])));
    }
    return bytes;
}

QString fromUtf16Le(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        text += QChar(char16_t(quint8(bytes[i]) | (quint8(bytes[i + 1]) << 8)));
    return text;
}

// "str(2):" or "hex(7):" -> the type number; pos ends after the colon.
std::optional<int> readTypeInParentheses(QByteArrayView data, qsizetype& pos)
{
    // Eight digits fill a DWORD, which an int cannot hold while it is being summed.
    quint32 type = 0;
    int digits = 0;
    for (; pos < data.size() && isHexDigit(data[pos]) && digits < 8; ++digits)
        type = type * 16 + quint32(hexValue(data[pos++]));
    if (digits == 0 || !data.sliced(pos).startsWith("):"))
        return std::nullopt;
    pos += 2;
    return int(type);
}

RegFile::Value parseValueData(QString name, QByteArrayView data)
{
    RegFile::Value value{std::move(name), RegFile::UnknownType, {}, data.toByteArray()};
    qsizetype pos = 0;
    if (data.startsWith('"')) {
        pos = 1;
        if (readEscaped(data, pos, '"', value.text))
            value.type = RegFile::RegSz;
    } else if (data.startsWith("str(")) {
        pos = 4;
        const std::optional<int> type = readTypeInParentheses(data, pos);
        QString text;
        if (type && pos < data.size() && data[pos] == '"' && readEscaped(data, ++pos, '"', text)) {
            value.type = *type;
            value.text = text;
        }
    } else if (data.startsWith("hex")) {
        pos = 3;
        std::optional<int> type = 3;
        if (data.sliced(pos).startsWith("(")) {
            ++pos;
            type = readTypeInParentheses(data, pos);
        } else if (data.sliced(pos).startsWith(":")) {
            ++pos;
        } else {
            type.reset();
        }
        const std::optional<QByteArray> bytes = type ? parseHexBytes(data.sliced(pos)) : std::nullopt;
        if (bytes) {
            value.type = *type;
            if (*type == RegFile::RegSz)
                value.text = fromUtf16Le(*bytes);
        }
    } else if (data.startsWith("dword:")) {
        value.type = 4;
    }
    if (value.type != RegFile::RegSz)
        value.text.clear();
    return value;
}

class LineCursor {
public:
    explicit LineCursor(QByteArrayView bytes) : bytes_(bytes) {}

    bool next(QByteArrayView& line)
    {
        if (pos_ >= bytes_.size())
            return false;
        qsizetype end = bytes_.indexOf('\n', pos_);
        if (end < 0)
            end = bytes_.size();
        line = bytes_.sliced(pos_, end - pos_);
        pos_ = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        return true;
    }

private:
    QByteArrayView bytes_;
    qsizetype pos_ = 0;
};

QByteArrayView skipBlanks(QByteArrayView text)
{
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return text.sliced(pos);
}

// Wine breaks long hex lists over lines that end in a backslash.
QByteArray joinContinuedHex(QByteArrayView first, LineCursor& lines)
{
    QByteArray joined = first.trimmed().toByteArray();
    QByteArrayView more;
    while (joined.endsWith('\\') && lines.next(more)) {
        joined.chop(1);
        joined += more.trimmed();
    }
    // A backslash left at the end would make the value swallow the next line once
    // written back, and a blank before it would be gone when read back.
    while (joined.endsWith('\\'))
        joined.chop(1);
    return joined.trimmed();
}

}  // namespace

QString RegFile::Value::string() const
{
    if (type != RegSz)
        return {};
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.first(nul);
}

RegFile RegFile::parse(QByteArrayView bytes)
{
    RegFile file;
    file.parseLines(bytes);
    return file;
}

void RegFile::parseLines(QByteArrayView bytes)
{
    LineCursor lines(bytes);
    QByteArrayView line;
    if (!lines.next(line) || line.trimmed() != QByteArrayView(wineHeader))
        return;
    hasHeader_ = true;

    Key* current = nullptr;
    while (lines.next(line)) {
        line = skipBlanks(line);
        if (line.startsWith('[')) {
            qint64 time = 0;
            const std::optional<QString> path = keyPathOfLine(line, &time);
            current = path ? &keyFor(*path, time) : nullptr;
            continue;
        }
        if (current == nullptr || (!line.startsWith('"') && !line.startsWith('@')))
            continue;

        qsizetype pos = 1;
        QString name;
        if (line[0] == '"' && !readEscaped(line, pos, '"', name))
            continue;
        QByteArrayView data = skipBlanks(line.sliced(pos));
        if (!data.startsWith('='))
            continue;
        data = skipBlanks(data.sliced(1));
        const QByteArray joined = data.startsWith("hex") ? joinContinuedHex(data, lines) : data.trimmed().toByteArray();
        Value value = parseValueData(name, joined);
        auto existing = std::find_if(current->values.begin(), current->values.end(), [&](const Value& v) {
            return v.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (existing != current->values.end())
            *existing = std::move(value);
        else
            current->values.append(std::move(value));
    }
}

std::optional<QString> RegFile::keyPathOfLine(QByteArrayView line, qint64* time)
{
    line = skipBlanks(line);
    if (!line.startsWith('['))
        return std::nullopt;
    qsizetype pos = 1;
    QString path;
    if (!readEscaped(line, pos, ']', path))
        return std::nullopt;
    if (time != nullptr) {
        const QByteArrayView rest = skipBlanks(line.sliced(pos));
        qsizetype digits = 0;
        while (digits < rest.size() && digits < 18 && rest[digits] >= '0' && rest[digits] <= '9')
            ++digits;
        *time = rest.first(digits).toLongLong();
    }
    return normalizedKeyPath(path);
}

QByteArray RegFile::serialize(const QString& note) const
{
    QByteArray out = wineHeader + '\n';
    if (!note.isEmpty())
        out += ";; " + escaped(note, {}) + '\n';
    for (const Key& key : keys_) {
        out += "\n[";
        const QStringList components = key.path.split(u'\\');
        for (qsizetype i = 0; i < components.size(); ++i)
            out += (i > 0 ? "\\\\" : "") + escaped(components[i], "[]");
        out += "] " + QByteArray::number(key.modified) + '\n';
        for (const Value& value : key.values) {
            out += value.name.isEmpty() ? QByteArray("@") : '"' + escaped(value.name, "\"") + '"';
            out += '=';
            out += value.type == RegSz ? '"' + escaped(value.text, "\"") + '"' : value.data;
            out += '\n';
        }
    }
    return out;
}

QString RegFile::normalizedKeyPath(const QString& keyPath)
{
    return keyPath.split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

const RegFile::Value* RegFile::findValue(const QString& keyPath, const QString& valueName) const
{
    const qsizetype index = keyIndex_.value(normalizedKeyPath(keyPath).toCaseFolded(), -1);
    if (index < 0)
        return nullptr;
    for (const Value& value : keys_[index].values) {
        if (value.name.compare(valueName, Qt::CaseInsensitive) == 0)
            return &value;
    }
    return nullptr;
}

void RegFile::setString(const QString& keyPath, const QString& valueName, const QString& text, qint64 time)
{
    Key& key = keyFor(normalizedKeyPath(keyPath), time);
    key.modified = time;
    Value value{valueName, RegSz, text, {}};
    for (Value& existing : key.values) {
        if (existing.name.compare(valueName, Qt::CaseInsensitive) == 0) {
            value.name = existing.name;
            existing = std::move(value);
            return;
        }
    }
    key.values.append(std::move(value));
}

RegFile::Key& RegFile::keyFor(const QString& normalizedPath, qint64 time)
{
    const QString folded = normalizedPath.toCaseFolded();
    const auto found = keyIndex_.constFind(folded);
    if (found != keyIndex_.cend())
        return keys_[*found];
    keyIndex_.insert(folded, keys_.size());
    keys_.append(Key{normalizedPath, time, {}});
    return keys_.last();
}

}  // namespace sonorelle
