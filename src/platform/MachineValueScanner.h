#pragma once

#include <QString>

#include <memory>

namespace sonorelle {

template <typename Parsed>
class ParsedFileCache;

// One HKEY_LOCAL_MACHINE value read from the system.reg of many Wine prefixes. Each
// file is read only as far as the value needs (these files run to megabytes) and the
// answer is kept until the file changes. As the Registry does, a SOFTWARE key is
// looked up under Software\Wow6432Node first, then as it stands.
class MachineValueScanner {
public:
    struct Answer {
        enum Status { Found, Missing, Damaged, Unreadable };
        Status status = Unreadable;
        QString text;  // Found: the REG_SZ text ("" for a value of another type)
    };

    MachineValueScanner(const QString& key, QString valueName);
    ~MachineValueScanner();

    Answer scan(const QString& systemRegPath) const;

private:
    struct Target;
    std::shared_ptr<const Target> target_;
    std::shared_ptr<ParsedFileCache<Answer>> answers_;
};

}  // namespace sonorelle
