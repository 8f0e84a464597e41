#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle::test {

// Language files written byte for byte into a temporary folder, so each test says
// exactly which encoding and layout it feeds the reader.
class LanguageFileWriter {
public:
    QString write(const QString& name, const QByteArray& bytes) const
    {
        const QString path = folder_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(bytes);
        return path;
    }

    QString folder() const { return folder_.path(); }

private:
    QTemporaryDir folder_;
};

}  // namespace sonorelle::test
