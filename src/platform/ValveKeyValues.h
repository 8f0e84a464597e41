#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace sonorelle {

// One value of a text in Valve's KeyValues format (Steam's .vdf and .acf files):
// the keys of the blocks it stands in, outermost first, then its own key.
struct ValveKeyValue {
    QStringList keys;
    QString value;
};

// Every value of the text in order. Quoted or bare tokens, { } blocks, // comments;
// damaged text gives what could be read before and around the damage, never a failure.
QList<ValveKeyValue> ReadValveKeyValues(QByteArrayView text);

}  // namespace sonorelle
