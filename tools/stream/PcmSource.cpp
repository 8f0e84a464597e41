#include "stream/PcmSource.h"

#include "stream/GameStreamReader.h"
#include "stream/SndfileReader.h"

namespace sonorelle {

std::unique_ptr<PcmSource> PcmSource::open(const std::string& path)
{
    if (auto stream = GameStreamReader::open(path))
        return stream;
    return std::make_unique<SndfileReader>(path);
}

} // namespace sonorelle
