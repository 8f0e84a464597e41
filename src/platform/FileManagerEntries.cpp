#include "platform/FileManagerEntries.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <utility>

namespace sonorelle {

namespace {

const QString actionName = QStringLiteral("Add to Sonorelle");

// An argument of an Exec key: quoted, with the characters the quoting reserves
// escaped, then escaped once more as a desktop file's string value.
QString quotedExecArgument(const QString& argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted = u'"' + quoted + u'"';
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    quoted.replace(u'%', QStringLiteral("%%"));
    return quoted;
}

QString shellQuoted(const QString& argument)
{
    QString quoted = argument;
    quoted.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + quoted + u'\'';
}

bool isAlready(const QString& path, const QByteArray& bytes, QFile::Permissions permissions)
{
    // The "User" flags say what this process may do, not what the file's mode is.
    constexpr QFile::Permissions user = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    QFile file(path);
    return (file.permissions() & ~user) == permissions && file.size() == bytes.size() &&
           file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

// Every start asks for the entries; one already in place is left alone, so a normal start
// syncs nothing to disk.
bool writeWhole(const QString& path, const QString& text, QFile::Permissions permissions)
{
    const QByteArray bytes = text.toUtf8();
    if (isAlready(path, bytes, permissions))
        return true;
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit() && QFile::setPermissions(path, permissions);
}

}  // namespace

const QString FileManagerEntries::OpenWithFile = QStringLiteral("applications/sonorelle-add.desktop");
const QString FileManagerEntries::ServiceMenuFile = QStringLiteral("kio/servicemenus/sonorelle-add.desktop");
const QString FileManagerEntries::NautilusScriptFile = QStringLiteral("nautilus/scripts/Add to Sonorelle");
const QStringList FileManagerEntries::MimeTypes = {QStringLiteral("audio/mpeg"), QStringLiteral("audio/x-wav"),
                                                   QStringLiteral("audio/wav"),
                                                   QStringLiteral("application/x-cd-track")};

FileManagerEntries::FileManagerEntries(QString program)
    : program_(std::move(program))
{
}

QString FileManagerEntries::execLine() const
{
    // One file a start (%f): a second start hands its file to the window that runs.
    return QStringLiteral("Exec=") + quotedExecArgument(program_) + QStringLiteral(" %f\n");
}

QString FileManagerEntries::openWithEntry() const
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=") +
           actionName +
           QStringLiteral("\n"
                          "Comment=Adds the audio file to the game's soundtrack\n"
                          "Icon=sonorelle\n") +
           execLine() +
           QStringLiteral("MimeType=") + MimeTypes.join(u';') +
           QStringLiteral(";\n"
                          "NoDisplay=true\n"
                          "Terminal=false\n");
}

QString FileManagerEntries::serviceMenu() const
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Service\n"
                          "Name=Add to Sonorelle\n"
                          "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\n"
                          "MimeType=") +
           MimeTypes.join(u';') +
           QStringLiteral(";\n"
                          "Actions=addToSonorelle;\n"
                          "\n"
                          "[Desktop Action addToSonorelle]\n"
                          "Name=") +
           actionName + QStringLiteral("\nIcon=sonorelle\n") + execLine();
}

QString FileManagerEntries::nautilusScript() const
{
    // Nautilus names the chosen files one a line in a variable (its arguments are
    // only the names inside the current folder); started by hand, the arguments count.
    return QStringLiteral("#!/bin/sh\n"
                          "# Adds the chosen files to Sonorelle, one start a file.\n"
                          "program=") +
           shellQuoted(program_) +
           QStringLiteral("\n"
                          "if [ -n \"$NAUTILUS_SCRIPT_SELECTED_FILE_PATHS\" ]; then\n"
                          "  printf '%s\\n' \"$NAUTILUS_SCRIPT_SELECTED_FILE_PATHS\" | while IFS= read -r path; do\n"
                          "    [ -n \"$path\" ] && \"$program\" \"$path\" &\n"
                          "  done\n"
                          "else\n"
                          "  for path in \"$@\"; do\n"
                          "    \"$program\" \"$path\" &\n"
                          "  done\n"
                          "fi\n");
}

QStringList FileManagerEntries::writeTo(const QString& dataHome) const
{
    constexpr QFile::Permissions readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    // Plasma 6 runs only service menus that may be executed.
    constexpr QFile::Permissions runnable = readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    const struct {
        const QString& file;
        QString text;
        QFile::Permissions permissions;
    } files[] = {{OpenWithFile, openWithEntry(), readable},
                 {ServiceMenuFile, serviceMenu(), runnable},
                 {NautilusScriptFile, nautilusScript(), runnable}};
    QStringList failed;
    for (const auto& entry : files) {
        const QString path = dataHome + u'/' + entry.file;
        if (!writeWhole(path, entry.text, entry.permissions))
            failed << path;
    }
    return failed;
}

QString FileManagerEntries::dataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

}  // namespace sonorelle
