#include "audio/FileTagEditor.h"

#include "app/SharedValues.h"
#include "audio/FileTagReader.h"
#include "audio/FileTagWriter.h"
#include "platform/FileAccess.h"

#include <QFileInfo>

namespace sonorelle {

FileTagEditor::FileTagEditor(Id3Values& id3, TagRecord& StrTg, const SongDataContext& context)
    : id3_(id3)
    , StrTg_(StrTg)
    , context_(context)
{
}

FileTagFields FileTagEditor::readFileTags(const QString& path)
{
    FileTagFields fields;
    ClearVar(fields, id3_);
    const QString extension = extensionOf(path);
    if (extension == u"mp3")
        GetMp3Info(path, fields, id3_, context_.shared.TagCodePage);
    else if (extension == u"str" || extension == u"asf")
        GetStrInfo_To_mp3(path, QFileInfo(path).fileName(), fields, StrTg_, context_);
    return fields;
}

FileTagEditor::SaveResult FileTagEditor::saveFileTags(const QString& path, const FileTagFields& fields)
{
    const QString extension = extensionOf(path);
    if (extension != u"mp3" && extension != u"str") {
        context_.reportError(TextOr(context_.texts, QStringLiteral("msgNotTaggable"),
                                    QStringLiteral("Tags can be saved only into MP3 files and game streams (.str). "
                                                   "This file cannot hold them:"))
                             + u'\n' + QFileInfo(path).fileName());
        return SaveResult::NotTaggable;
    }
    // A file that is gone is left to the writer, which says so.
    if (QFileInfo::exists(path) && !UserMayModifyFile(path)) {
        context_.reportKey(QStringLiteral("msg12"));
        return SaveResult::NotPermitted;
    }
    const bool written =
        extension == u"mp3" ? WriteMp3Tag(path, fields, context_) : WriteStrFileTag(path, fields, context_);
    return written ? SaveResult::Saved : SaveResult::Failed;
}

QString FileTagEditor::extensionOf(const QString& path)
{
    return QFileInfo(path).fileName().right(3).toLower();
}

}  // namespace sonorelle
