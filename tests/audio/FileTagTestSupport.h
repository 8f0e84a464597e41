#pragma once

#include "app/SharedValues.h"
#include "audio/FileTagEditor.h"
#include "songdata/TagRecord.h"
#include "support/RecordingFeedback.h"

#include <QTemporaryDir>

#include <ostream>

#include <gtest/gtest.h>

namespace sonorelle::test {

inline FileTagFields Fields(const QString& title, const QString& artist, const QString& album,
                            const QString& year, const QString& comment)
{
    FileTagFields fields;
    fields.put(FileTagField::Title, title);
    fields.put(FileTagField::Artist, artist);
    fields.put(FileTagField::Album, album);
    fields.put(FileTagField::Year, year);
    fields.put(FileTagField::Comment, comment);
    return fields;
}

// Every language text shows its key, so a test sees which keys built a message.
inline QString KeyText(const QString& key)
{
    return u'<' + key + u'>';
}

// Table rows carry a `name` that becomes the test's name.
template <typename Row>
std::string CaseName(const ::testing::TestParamInfo<Row>& row)
{
    return row.param.name;
}

// A fresh folder and the program-wide values an editor works on.
class FileTagTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    RecordingFeedback feedback;
    Id3Values id3;
    TagRecord StrTg;
    SharedValues shared;
    FileTagEditor editor{id3, StrTg, SongDataContext{shared, feedback, KeyText}};
};

}  // namespace sonorelle::test

namespace sonorelle {

// Readable failures for the field values.
inline void PrintTo(const FileTagFields& fields, std::ostream* os)
{
    for (const FileTagField field : FileTagFields::All)
        *os << '[' << fields.value(field).toStdString() << ']';
}

}  // namespace sonorelle
