#pragma once

#include <QString>
#include <QStringList>

class TMyDataBase;

/**
 * \brief The beginning a new phone's number most likely has, read from the numbers of its owner and of the
 * places around it, so that the editor can offer it already typed.
 *
 * A person is sampled by their own phones, those of the addresses they live at now and those of the
 * organizations whose phones their current roles show; an address by its own phones; an organization by its
 * own phones and those of its current addresses. At most TopRows numbers are read from each source.
 */
namespace PhonePrefix {

/// How many numbers one source gives at most.
inline constexpr int TopRows = 10;
/// How many of the latest phones stand in when nothing is known of the owner's place.
inline constexpr int LatestRows = 50;

/// The prefix of \a length positions met most often at the start of \a numbers (kept twelve-character
/// numbers, where a one-digit country code is followed by a blank); among equally frequent prefixes the
/// one met first. A number whose first \a length positions are all blank counts for nothing. Empty when no
/// number has one.
QString MostFrequent(const QStringList& numbers, int length);

/// The statement reading the sample numbers of owner \a owner of kind \a ownerKind (1, 3 or 6): one union
/// member per source, each limited to TopRows phones; the rows come source by source, the latest first.
/// Empty for another kind.
QString SampleStatement(const QString& owner, int ownerKind);

/// The predicted beginning of a new phone's number of owner \a owner of kind \a ownerKind on \a db:
/// 2 positions (the country code) or 5 (country and area code); empty when nothing suggests one or a
/// statement fails.
QString Predict(TMyDataBase* db, const QString& owner, int ownerKind);

} // namespace PhonePrefix
