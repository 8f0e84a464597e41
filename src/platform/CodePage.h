#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>

namespace sonorelle {

// A Windows ANSI code page (1252, 1251, 932 ...) through the system's converters
// (iconv). Copies share their converters; use from one thread.
class CodePage {
public:
    static constexpr int Western = 1252;

    explicit CodePage(int number = Western);

    // The ANSI code page Wine gives a program under this POSIX locale
    // ("ru_RU.UTF-8", "sr_RS@latin", "C"): Cyrillic 1251, Central European 1250,
    // Greek 1253, Turkish 1254, Baltic 1257, Hebrew 1255, Arabic 1256, Vietnamese 1258,
    // Thai 874, Japanese 932, Chinese 936 / 950, Korean 949, else 1252.
    static int forLocale(const QString& localeName);
    // The same for the locale of this process: LC_ALL, else LC_CTYPE, else LANG.
    static int forEnvironment();

    int number() const { return number_; }
    // False when the system has no converter for the number.
    bool isValid() const;

    // Bytes the code page leaves undefined become the character of the same number,
    // as Windows reads them.
    QString decode(QByteArrayView bytes) const;
    // nullopt when text holds a character the code page cannot represent: nothing is
    // ever replaced by '?'.
    std::optional<QByteArray> encode(const QString& text) const;
    // text without the characters the code page cannot represent.
    QString encodablePart(const QString& text) const;

private:
    struct Converters;

    std::optional<char> undefinedByteFor(const QString& text) const;

    int number_;
    std::shared_ptr<Converters> converters_;
};

}  // namespace sonorelle
