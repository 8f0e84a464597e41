#pragma once

#include <QString>

#include <functional>

namespace sonorelle {

// The language texts by key ("msg4", "msgcap1", ...), supplied by the language
// subsystem; "" for a key it does not know.
using TextLookup = std::function<QString(const QString& key)>;

// The text of key, or fallback when the lookup has none (messages that older
// language files do not carry yet).
QString TextOr(const TextLookup& texts, const QString& key, const QString& fallback);

}  // namespace sonorelle
