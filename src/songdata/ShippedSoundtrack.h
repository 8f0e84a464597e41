#pragma once

#include <QString>

#include <array>

namespace sonorelle {

// The songs that ship with the game: stream files s700.sng to s741.sng, each known
// by its exact length as shipped (without a tag record).
class ShippedSoundtrack {
public:
    static constexpr int Count = 42;
    static const std::array<qint64, Count> Lengths;

    static QString streamName(int row);  // "s7" + two digits

    static QString album() { return QStringLiteral("Kickvale 09 Soundtrack"); }
    static QString year() { return QStringLiteral("2008"); }
    static QString comment() { return QStringLiteral("www.ostravel.example"); }
};

}  // namespace sonorelle
