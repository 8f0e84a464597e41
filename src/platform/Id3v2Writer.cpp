#include "platform/Id3v2Writer.h"

#include <QFile>

#include <taglib/commentsframe.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tstring.h>

namespace sonorelle {

namespace {

TagLib::String Utf8(const QString& text)
{
    return TagLib::String(text.toStdString(), TagLib::String::UTF8);
}

// The tag's own setters pick Latin-1 or UTF-16; the frames are made here to be UTF-8.
void SetText(TagLib::ID3v2::Tag& tag, const char* id, const QString& text)
{
    tag.removeFrames(id);
    auto* frame = new TagLib::ID3v2::TextIdentificationFrame(id, TagLib::String::UTF8);
    frame->setText(Utf8(text));
    tag.addFrame(frame);
}

void SetComment(TagLib::ID3v2::Tag& tag, const QString& text)
{
    tag.removeFrames("COMM");
    auto* frame = new TagLib::ID3v2::CommentsFrame(TagLib::String::UTF8);
    frame->setLanguage("eng");
    frame->setText(Utf8(text));
    tag.addFrame(frame);
}

}  // namespace

bool Id3v2Writer::write(const QString& path, const Texts& texts, QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    TagLib::MPEG::File file(name.constData(), false);
    if (!file.isValid()) {
        *error = QStringLiteral("%1 cannot be opened as an MP3 file").arg(path);
        return false;
    }
    TagLib::ID3v2::Tag* tag = file.ID3v2Tag(true);
    SetText(*tag, "TIT2", texts.title);
    SetText(*tag, "TPE1", texts.artist);
    SetText(*tag, "TALB", texts.album);
    SetText(*tag, "TDRC", texts.year.trimmed());
    SetComment(*tag, texts.comment);
    // Only the ID3v2 tag is written; a record at the end stays as it is.
    if (!file.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripNone, TagLib::ID3v2::v4,
                   TagLib::File::DoNotDuplicate)) {
        *error = QStringLiteral("the ID3v2 tag could not be saved into %1").arg(path);
        return false;
    }
    return true;
}

}  // namespace sonorelle
