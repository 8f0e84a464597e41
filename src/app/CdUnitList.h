#pragma once

#include "platform/CdUnits.h"

#include <QList>
#include <QStringList>

namespace sonorelle {

// The CD units the ripper can use and the one chosen for it ("CDDrive"). Start-up
// fills it; the Setup dialog shows it and changes the choice.
class CdUnitList {
public:
    void fill(const QList<CdUnit>& units);
    // index when it names a unit, else nothing is selected.
    void select(int index);

    const QList<CdUnit>& units() const { return units_; }
    QStringList labels() const;
    int selection() const { return selection_; }  // -1: none
    const CdUnit* selected() const;

private:
    QList<CdUnit> units_;
    int selection_ = -1;
};

}  // namespace sonorelle
