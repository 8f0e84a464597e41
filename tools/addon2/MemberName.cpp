#include "addon2/MemberName.h"

#include "addon2/ArchiveError.h"
#include "addon2/ArchiveLayout.h"

#include <QByteArrayView>
#include <QStringDecoder>

#include <algorithm>
#include <string>

namespace sonorelle {

namespace {

QString DecodeUtf8(std::string_view name, bool* valid)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(QByteArrayView(name.data(), static_cast<qsizetype>(name.size())));
    *valid = !decoder.hasError();
    return text;
}

}  // namespace

void MemberName::Validate(std::string_view name)
{
    const std::string quoted = "member name \"" + std::string(name) + "\"";
    if (name.empty() || name == "." || name == "..")
        throw ArchiveError(quoted + " is not a file name");
    if (name.size() > ArchiveLayout::kMaxNameBytes)
        throw ArchiveError(quoted + " is longer than 255 bytes");
    // Control characters and '/' cannot stand in a Windows file name; keeping them
    // out also keeps the listing one line per member.
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '/'; }))
        throw ArchiveError(quoted + " holds a control character or '/'");
    bool valid = false;
    DecodeUtf8(name, &valid);
    if (!valid)
        throw ArchiveError(quoted + " is not valid UTF-8");
}

QString MemberName::Folded(std::string_view name)
{
    bool valid = false;
    return DecodeUtf8(name, &valid).toCaseFolded();
}

bool MemberName::Same(std::string_view left, std::string_view right)
{
    if (left == right)
        return true;
    // Invalid UTF-8 decodes lossily, so such names match only byte for byte.
    bool leftValid = false;
    bool rightValid = false;
    const QString leftText = DecodeUtf8(left, &leftValid);
    const QString rightText = DecodeUtf8(right, &rightValid);
    return leftValid && rightValid && leftText.compare(rightText, Qt::CaseInsensitive) == 0;
}

}  // namespace sonorelle
