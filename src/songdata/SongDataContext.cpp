#include "songdata/SongDataContext.h"

#include "app/Feedback.h"
#include "app/SettingsKeys.h"
#include "app/SharedValues.h"
#include "songdata/TagRecord.h"
#include "songdata/TextFields.h"

namespace sonorelle {

namespace {

// The language key of the field's label in the window, and its English text.
std::pair<QString, QString> fieldLabel(TagRecord::Field field)
{
    switch (field) {
    case TagRecord::Field::Title:
        return {QStringLiteral("LngLabelNazvan"), QStringLiteral("Title")};
    case TagRecord::Field::Artist:
        return {QStringLiteral("LngLabelIspol"), QStringLiteral("Artist")};
    case TagRecord::Field::Album:
        return {QStringLiteral("LngLabelAlbom"), QStringLiteral("Album")};
    case TagRecord::Field::Year:
        return {QStringLiteral("LngLabelGod"), QStringLiteral("Year")};
    case TagRecord::Field::Comment:
        break;
    }
    return {QStringLiteral("LngLabelKomment"), QStringLiteral("Comment")};
}

}  // namespace

AudioFolder SongDataContext::audioFolder() const
{
    return AudioFolder(shared.GameAudioDir);
}

void SongDataContext::reportError(const QString& text) const
{
    feedback.message(text, TextOr(texts, QStringLiteral("msgcap1"), QStringLiteral("Sonorelle")),
                     MessageIcon::Critical);
}

void SongDataContext::reportKey(const QString& key) const
{
    reportError(TextOr(texts, key, key));
}

void SongDataContext::reportTooShort(const QString& designation) const
{
    reportError(TextOr(texts, QStringLiteral("msg9_1"), {}) + designation + TextOr(texts, QStringLiteral("msg9_2"), {}));
}

std::optional<QByteArray> SongDataContext::encodeTagRecord(const TagRecord& record) const
{
    TagRecord::Field field = TagRecord::Field::Title;
    std::optional<QByteArray> bytes = record.toBytes(shared.TagCodePage, &field);
    if (bytes)
        return bytes;
    const auto [key, fallback] = fieldLabel(field);
    reportError(TextOr(texts, QStringLiteral("msgTagCodePage"),
                       QStringLiteral("Nothing was saved: a text cannot be stored in the code page of the tag "
                                      "record, which the game reads. Change the text, or choose the code page "
                                      "with the setting TagCodePage."))
                + QStringLiteral("\n%1: %2\n%3 = %4")
                      .arg(TextOr(texts, key, fallback), TrimTrailingBlanks(record.text(field)),
                           SettingsKeys::TagCodePage)
                      .arg(shared.TagCodePage.number()));
    return std::nullopt;
}

}  // namespace sonorelle
