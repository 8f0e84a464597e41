#include "songdata/ShippedSoundtrack.h"

namespace sonorelle {

const std::array<qint64, ShippedSoundtrack::Count> ShippedSoundtrack::Lengths = {
    5211896, 5835852, 5168984, 6900692, 5949372, 6552460, 7222912, 5137544, 4464768, 4579660,
    5743500, 6736472, 7507124, 12855888, 4675856, 6622388, 8976052, 6464472, 7573048, 4924328,
    5151788, 7886408, 6082144, 6883404, 6623972, 5219804, 3745616, 6224356, 5525784, 3647240,
    6759192, 7121872, 6222296, 5689048, 6920132, 4192348, 6108720, 5225360, 7682004, 5299072,
    5914980, 8498872,
};

QString ShippedSoundtrack::streamName(int row)
{
    return QStringLiteral("s7%1").arg(row, 2, 10, QLatin1Char('0'));
}

}  // namespace sonorelle
