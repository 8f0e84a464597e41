#include "audio/FileTagFields.h"

#include <algorithm>

namespace sonorelle {

void FileTagFields::put(FileTagField field, const QString& text)
{
    const qsizetype nul = text.indexOf(QChar::Null);
    values_[index(field)] = nul < 0 ? text : text.left(nul);
}

bool FileTagFields::isBlank() const
{
    return std::all_of(values_.begin(), values_.end(), [](const QString& value) {
        return std::all_of(value.begin(), value.end(), [](QChar c) { return c == u' '; });
    });
}

void FileTagFields::clear()
{
    for (QString& value : values_)
        value.clear();
}

}  // namespace sonorelle
