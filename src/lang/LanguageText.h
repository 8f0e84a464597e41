#pragma once

#include <QString>

#include <functional>

namespace sonorelle {

// The text of a language key ("msg9_1", "msgcap1", ...) in the interface language.
// Core operations get it injected, so they never depend on how language files are read.
using LanguageText = std::function<QString(const QString& key)>;

}  // namespace sonorelle
