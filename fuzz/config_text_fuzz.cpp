// Reads arbitrary bytes as Steam's KeyValues text and as a Lutris or Bottles YAML
// file: whatever a game manager left behind must never break the search for the game.
#include "platform/ValveKeyValues.h"
#include "platform/YamlScalars.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView text(data, qsizetype(size));
    for (const sonorelle::ValveKeyValue& value : sonorelle::ReadValveKeyValues(text)) {
        if (value.keys.isEmpty())
            __builtin_trap();
    }
    sonorelle::FindYamlScalar(text, {QStringLiteral("game"), QStringLiteral("prefix")});
    sonorelle::FindYamlScalar(text, {QStringLiteral("Name")});
    return 0;
}
