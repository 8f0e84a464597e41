#pragma once

#include "support/FileBytes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sonorelle::test {

// MP3 files made by the real tools at test time: sox makes a short tone, lame encodes
// it (with its own ID3v1/ID3v2 writer), id3v2 and mutagen tag it.

QString S(const char* utf8);
QStringList Args(std::initializer_list<const char*> words);

// Runs a program and waits for it; fails the current test unless it exits with 0.
void RunTool(const QString& program, const QStringList& arguments);

// lame's encoding of a short tone into folder/name, with lame's tag options.
QString LameMp3(const QString& folder, const QString& name, const QStringList& tagOptions = {});

void AppendToFile(const QString& path, const QByteArray& bytes);

}  // namespace sonorelle::test
