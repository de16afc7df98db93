// vCard files from outside: whatever the bytes, reading gives cards and problems without a crash, every
// problem names a line of the file, and the people read, written as 3.0 and 4.0, read back as the same
// number of people with the same names and nothing unreadable.
#include "contacts/VCard.h"
#include "contacts/VCardContact.h"

#include <cstdlib>
#include <cstdint>

namespace {

QList<VCardContact::TPerson> People(const VCard::TFile& file)
{
    QList<VCardContact::TPerson> people;
    for (const VCard::TCard& card : file.Cards) {
        const VCardContact::TReading reading = VCardContact::FromCard(card);
        if (reading.Person)
            people << *reading.Person;
    }
    return people;
}

// Names that survive UTF-8 unchanged (a lone surrogate does not).
bool Encodable(const QString& text)
{
    return QString::fromUtf8(text.toUtf8()) == text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const VCard::TFile file = VCard::Parse(bytes);
    const qsizetype lines = bytes.count('\n') + bytes.count('\r') + 1;
    for (const VCard::TProblem& problem : file.Problems) {
        if (problem.Line < 1 || problem.Line > lines)
            std::abort();
    }
    const QList<VCardContact::TPerson> people = People(file);
    for (const QString version : {QStringLiteral("3.0"), QStringLiteral("4.0")}) {
        VCard::TWriter writer(version);
        for (const VCardContact::TPerson& person : people)
            VCardContact::Write(writer, person);
        const VCard::TFile again = VCard::Parse(writer.Data());
        if (!again.Problems.isEmpty() || again.Cards.size() != people.size())
            std::abort();
        const QList<VCardContact::TPerson> back = People(again);
        if (back.size() != people.size())
            std::abort();
        for (qsizetype i = 0; i < people.size(); ++i) {
            const VCardContact::TPerson& a = people.at(i);
            const VCardContact::TPerson& b = back.at(i);
            if (Encodable(a.Surname + a.FirstName + a.Patronymic)
                && (a.Surname != b.Surname || a.FirstName != b.FirstName || a.Patronymic != b.Patronymic))
                std::abort();
            if (a.Phones != b.Phones || a.Birth != b.Birth)
                std::abort();
        }
    }
    for (const VCard::TCard& card : file.Cards) {
        for (const VCard::TProperty& property : card.Properties)
            (void)VCard::Components(property.Value);
    }
    return 0;
}
