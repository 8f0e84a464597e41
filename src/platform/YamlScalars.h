#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace sonorelle {

// The scalar at keyPath of a YAML document in block style ({"game", "prefix"} for
// "game:\n  prefix: /x"): plain, 'single' or "double" quoted, a trailing comment
// dropped. "" when it is missing, null, a block or anything else this small reader
// does not take (flow collections, multi-line scalars). Keys compare exactly.
QString FindYamlScalar(QByteArrayView document, const QStringList& keyPath);

}  // namespace sonorelle
