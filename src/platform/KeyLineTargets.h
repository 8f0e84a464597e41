#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QStringList>

namespace sonorelle {

// Key paths looked for among the key lines of a registry file: a line is compared in
// ASCII first and decoded only when that cannot tell, as files hold thousands of keys.
class KeyLineTargets {
public:
    KeyLineTargets() = default;
    explicit KeyLineTargets(const QStringList& normalizedPaths);

    // Which path the key line ("[KEY] TIME", no line end) names, -1 for none.
    qsizetype indexOf(QByteArrayView keyLine) const;

private:
    QStringList folded_;
    QList<QByteArray> ascii_;  // empty for a path that is not ASCII
};

}  // namespace sonorelle
