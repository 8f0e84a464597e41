#pragma once

#include <QString>

#include <array>

namespace sonorelle {

enum class FileTagField { Title, Artist, Album, Year, Comment };

// The five tag fields of the file selected in the browser, as data: the window's text
// boxes mirror them, the readers fill them and the writers save them.
class FileTagFields {
public:
    static constexpr std::array<FileTagField, 5> All = {FileTagField::Title, FileTagField::Artist,
                                                        FileTagField::Album, FileTagField::Year,
                                                        FileTagField::Comment};

    // How many characters a person may type into a field. Texts put in by the program
    // are never cut to it.
    static constexpr int typingLimit(FileTagField field) { return field == FileTagField::Year ? 4 : 30; }

    // A text put into a field ends at its first NUL, as in a text box.
    void put(FileTagField field, const QString& text);
    const QString& value(FileTagField field) const { return values_[index(field)]; }

    // True when the joined fields hold nothing but spaces.
    bool isBlank() const;

    void clear();

    bool operator==(const FileTagFields&) const = default;

private:
    static std::size_t index(FileTagField field) { return static_cast<std::size_t>(field); }

    std::array<QString, 5> values_;
};

}  // namespace sonorelle
