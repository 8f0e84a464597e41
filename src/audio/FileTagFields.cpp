#include "audio/FileTagFields.h"

#include "songdata/TextFields.h"

namespace sonorelle {

void FileTagFields::put(FileTagField field, const QString& text)
{
    const qsizetype nul = text.indexOf(QChar::Null);
    values_[index(field)] = nul < 0 ? text : text.left(nul);
}

bool FileTagFields::isBlank() const
{
    QString joined;
    for (const QString& value : values_)
        joined += value;
    return TrimBlanks(joined).isEmpty();
}

void FileTagFields::clear()
{
    for (QString& value : values_)
        value.clear();
}

}  // namespace sonorelle
