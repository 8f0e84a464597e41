#include "ui/FileClick.h"

#include "platform/WinePaths.h"

namespace sonorelle {

FileClick FileClick::of(const QString& folder, const QString& fileName)
{
    FileClick click;
    click.fullPath = JoinPath(folder, fileName);
    click.extension = fileName.right(3).toLower();
    if (click.extension == u"mp3") {
        click.enablesPreview = true;
        click.tagSource = TagSource::Mp3;
    } else if (click.extension == u"cda" || click.extension == u"wav") {
        click.enablesPreview = true;
    } else if (click.extension == u"str" || click.extension == u"asf") {
        click.enablesPreview = true;
        click.tagSource = TagSource::Stream;
    }
    return click;
}

}  // namespace sonorelle
