#include "platform/IniFile.h"

#include "platform/IniDocument.h"
#include "platform/ParsedFileCache.h"

namespace sonorelle {

namespace {

std::shared_ptr<const IniDocument> ParsedIni(const QString& filePath)
{
    // Language files are read key by key, hundreds of times: parse each once.
    static ParsedFileCache<IniDocument> documents([](const QByteArray& bytes) { return IniDocument::parse(bytes); });
    return documents.get(filePath);
}

}  // namespace

QString ReadIni(const QString& filePath, const QString& section, const QString& key)
{
    const auto document = ParsedIni(filePath);
    return document ? document->value(section, key) : QString();
}

QHash<QString, QString> ReadIniSection(const QString& filePath, const QString& section)
{
    const auto document = ParsedIni(filePath);
    return document ? document->section(section) : QHash<QString, QString>();
}

}  // namespace sonorelle
