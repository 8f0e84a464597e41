#include "audio/FileTagTestSupport.h"

#include <ostream>

namespace sonorelle::test {

FileTagFields Fields(const QString& title, const QString& artist, const QString& album, const QString& year,
                     const QString& comment)
{
    FileTagFields fields;
    fields.put(FileTagField::Title, title);
    fields.put(FileTagField::Artist, artist);
    fields.put(FileTagField::Album, album);
    fields.put(FileTagField::Year, year);
    fields.put(FileTagField::Comment, comment);
    return fields;
}

QString KeyText(const QString& key)
{
    return u'<' + key + u'>';
}

}  // namespace sonorelle::test

namespace sonorelle {

void PrintTo(const FileTagFields& fields, std::ostream* os)
{
    for (const FileTagField field : FileTagFields::All)
        *os << '[' << fields.value(field).toStdString() << ']';
}

}  // namespace sonorelle
