#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace sonorelle {

enum class KeyMatch { No, Yes, Unsure };

// Compares a "[KEY] TIME" line with a key path in lower-case ASCII without decoding
// the line: fast for the thousands of keys a prefix holds. Escapes other than the
// doubled separator and bytes above 127 are left to the full parser.
KeyMatch QuickKeyMatch(QByteArrayView line, QByteArrayView target);

// A normalized key path as QuickKeyMatch takes it; empty for a path that is not ASCII.
QByteArray AsciiKeyTarget(const QString& normalizedPath);

QByteArrayView WithoutLeadingBlanks(QByteArrayView line);

}  // namespace sonorelle
