#pragma once

#include <QByteArray>

#include <array>
#include <cstdlib>
#include <optional>

namespace sonorelle::test {

// While it lives, the process's locale variables say LANG=localeName with LC_ALL and
// LC_CTYPE unset; they are put back afterwards.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* localeName)
    {
        for (std::size_t i = 0; i < Names.size(); ++i) {
            if (const char* value = std::getenv(Names[i]))
                saved_[i] = QByteArray(value);
            ::unsetenv(Names[i]);
        }
        ::setenv("LANG", localeName, 1);
    }
    ~ScopedLocale()
    {
        for (std::size_t i = 0; i < Names.size(); ++i) {
            if (saved_[i])
                ::setenv(Names[i], saved_[i]->constData(), 1);
            else
                ::unsetenv(Names[i]);
        }
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    static constexpr std::array<const char*, 3> Names = {"LC_ALL", "LC_CTYPE", "LANG"};
    std::array<std::optional<QByteArray>, 3> saved_;
};

}  // namespace sonorelle::test
