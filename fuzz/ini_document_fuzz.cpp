// Reads arbitrary bytes as an INI file and asks for the section and key named in the
// input's first line, so that lookups of names the file really holds get exercised.
#include "platform/IniDocument.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const sonorelle::IniDocument document = sonorelle::IniDocument::parse(bytes);
    const QString firstLine = QString::fromUtf8(bytes.first(qMax(bytes.indexOf('\n'), qsizetype(0))));
    const QString section = firstLine.section(u']', 0, 0).mid(1);
    const QString key = firstLine.section(u'=', 0, 0);
    if (document.value(section, key).size() > sonorelle::IniDocument::maxValueLength)
        __builtin_trap();
    for (const QString& value : document.section(section)) {
        if (value.size() > sonorelle::IniDocument::maxValueLength)
            __builtin_trap();
    }
    return 0;
}
