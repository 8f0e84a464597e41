#include "platform/IniFile.h"

#include "platform/IniDocument.h"
#include "platform/ParsedFileCache.h"

namespace sonorelle {

QString ReadIni(const QString& filePath, const QString& section, const QString& key)
{
    // Language files are read key by key, hundreds of times: parse each once.
    static ParsedFileCache<IniDocument> documents([](const QByteArray& bytes) { return IniDocument::parse(bytes); });
    const auto document = documents.get(filePath);
    return document ? document->value(section, key) : QString();
}

}  // namespace sonorelle
