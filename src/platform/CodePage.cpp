#include "platform/CodePage.h"

#include <QHash>
#include <QStringView>

#include <cerrno>

#include <iconv.h>

namespace sonorelle {

namespace {

const iconv_t NoConverter = reinterpret_cast<iconv_t>(-1);  // iconv_open's failure value
constexpr std::size_t ConversionFailed = static_cast<std::size_t>(-1);

// The locale's language (and for Serbian, Uzbek and Azerbaijani its script) as Wine
// chooses the ANSI code page by it.
int codePageOfLanguage(const QString& language, const QString& modifier)
{
    static const QHash<QString, int> byLanguage = {
        {QStringLiteral("cs"), 1250}, {QStringLiteral("hu"), 1250}, {QStringLiteral("pl"), 1250},
        {QStringLiteral("ro"), 1250}, {QStringLiteral("sk"), 1250}, {QStringLiteral("sl"), 1250},
        {QStringLiteral("hr"), 1250}, {QStringLiteral("bs"), 1250}, {QStringLiteral("sq"), 1250},
        {QStringLiteral("ru"), 1251}, {QStringLiteral("uk"), 1251}, {QStringLiteral("be"), 1251},
        {QStringLiteral("bg"), 1251}, {QStringLiteral("sr"), 1251}, {QStringLiteral("mk"), 1251},
        {QStringLiteral("kk"), 1251}, {QStringLiteral("ky"), 1251}, {QStringLiteral("tt"), 1251},
        {QStringLiteral("mn"), 1251}, {QStringLiteral("ba"), 1251}, {QStringLiteral("tg"), 1251},
        {QStringLiteral("el"), 1253},
        {QStringLiteral("tr"), 1254}, {QStringLiteral("az"), 1254}, {QStringLiteral("uz"), 1254},
        {QStringLiteral("he"), 1255}, {QStringLiteral("iw"), 1255}, {QStringLiteral("yi"), 1255},
        {QStringLiteral("ar"), 1256}, {QStringLiteral("fa"), 1256}, {QStringLiteral("ur"), 1256},
        {QStringLiteral("lt"), 1257}, {QStringLiteral("lv"), 1257}, {QStringLiteral("et"), 1257},
        {QStringLiteral("vi"), 1258}, {QStringLiteral("th"), 874},  {QStringLiteral("ja"), 932},
        {QStringLiteral("zh"), 936},  {QStringLiteral("ko"), 949},
    };
    if (modifier == u"latin" && language == u"sr")
        return 1250;
    if (modifier == u"cyrillic" && (language == u"uz" || language == u"az"))
        return 1251;
    return byLanguage.value(language, CodePage::Western);
}

}  // namespace

struct CodePage::Converters {
    explicit Converters(int number)
    {
        const QByteArray name = "CP" + QByteArray::number(number);
        toUnicode = iconv_open("UTF-8", name.constData());
        fromUnicode = iconv_open(name.constData(), "UTF-8");
    }
    ~Converters()
    {
        if (toUnicode != NoConverter)
            iconv_close(toUnicode);
        if (fromUnicode != NoConverter)
            iconv_close(fromUnicode);
    }
    Converters(const Converters&) = delete;
    Converters& operator=(const Converters&) = delete;

    iconv_t toUnicode = NoConverter;
    iconv_t fromUnicode = NoConverter;
};

CodePage::CodePage(int number)
    : number_(number)
    , converters_(std::make_shared<Converters>(number))
{
}

int CodePage::forLocale(const QString& localeName)
{
    // language[_territory][.codeset][@modifier]
    const QString modifier = localeName.section(u'@', 1).toLower();
    const QString beforeModifier = localeName.section(u'@', 0, 0);
    const QString name = beforeModifier.section(u'.', 0, 0);
    const QString language = name.section(u'_', 0, 0).toLower();
    if (language == u"zh") {
        const QString territory = name.section(u'_', 1).toUpper();
        if (territory == u"TW" || territory == u"HK" || territory == u"MO")
            return 950;
    }
    return codePageOfLanguage(language, modifier);
}

int CodePage::forEnvironment()
{
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return forLocale(value);
    }
    return Western;
}

bool CodePage::isValid() const
{
    return converters_->toUnicode != NoConverter && converters_->fromUnicode != NoConverter;
}

QString CodePage::decode(QByteArrayView bytes) const
{
    if (!isValid())
        return {};
    iconv_t converter = converters_->toUnicode;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    QByteArray utf8;
    char buffer[256];
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = static_cast<std::size_t>(bytes.size());
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        utf8.append(buffer, out - buffer);
        if (result == ConversionFailed && errno != E2BIG) {
            // An undefined byte (or a lead byte without its trail) reads as itself.
            utf8.append(QString(QChar(static_cast<unsigned char>(*in))).toUtf8());
            ++in;
            --inLeft;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return QString::fromUtf8(utf8);
}

// The byte that decode() read as the first character of text because the code page
// leaves it undefined, so such a text is written back as it was read.
std::optional<char> CodePage::undefinedByteFor(const QString& text) const
{
    if (text.isEmpty() || text.front().unicode() > 0xFF)
        return std::nullopt;
    const char byte = static_cast<char>(text.front().unicode());
    if (decode(QByteArrayView(&byte, 1)) != text.first(1))
        return std::nullopt;
    return byte;
}

std::optional<QByteArray> CodePage::encode(const QString& text) const
{
    if (!isValid())
        return std::nullopt;
    iconv_t converter = converters_->fromUnicode;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    QByteArray utf8 = text.toUtf8();
    if (QString::fromUtf8(utf8) != text)
        return std::nullopt;  // a lone surrogate has no bytes in any code page
    QByteArray encoded;
    char buffer[256];
    char* in = utf8.data();
    std::size_t inLeft = static_cast<std::size_t>(utf8.size());
    for (;;) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        // The final call with no input flushes what a stateful converter holds back.
        const std::size_t result = inLeft > 0 ? iconv(converter, &in, &inLeft, &out, &outLeft)
                                              : iconv(converter, nullptr, nullptr, &out, &outLeft);
        encoded.append(buffer, out - buffer);
        if (result == ConversionFailed && errno != E2BIG) {
            const std::optional<char> own = undefinedByteFor(QString::fromUtf8(in, qMin<qsizetype>(2, inLeft)));
            if (!own)
                return std::nullopt;
            encoded.append(*own);
            const std::size_t length = static_cast<unsigned char>(*in) < 0x80 ? 1 : 2;
            in += length;
            inLeft -= length;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
            continue;
        }
        if (inLeft == 0 && result != ConversionFailed && out == buffer)
            return encoded;
    }
}

QString CodePage::encodablePart(const QString& text) const
{
    if (encode(text))
        return text;
    QString kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, width);
        if (encode(character))
            kept += character;
        i += width - 1;
    }
    return kept;
}

}  // namespace sonorelle
