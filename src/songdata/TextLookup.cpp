#include "songdata/TextLookup.h"

namespace sonorelle {

QString TextOr(const TextLookup& texts, const QString& key, const QString& fallback)
{
    const QString text = texts ? texts(key) : QString();
    return text.isEmpty() ? fallback : text;
}

}  // namespace sonorelle
