#pragma once

#include "store/kinds/KindView.h"

#include <array>

/// The type of a note (Int1): what is attached to it.
namespace NoteType {
enum : int { Plain = 1, Folder = 2, File = 3, WebAddress = 4 };
}

/// The parts of a note's text as Str3, Str4, Str5 and the comment keep them: at most \a part characters in each
/// of the first three, the rest in the comment. A part never ends inside a pair of characters that only make
/// sense together (a surrogate pair, CR LF): such a pair moves whole into the next part, so each column holds
/// text that stands on its own and the parts joined give back \a text exactly.
std::array<QString, 4> NoteTextParts(const QString& text, int part);

/// A note (kind 10); its text is split over Str3, Str4, Str5 (255 characters each) and the comment (the rest).
template <typename TRow> class TNoteViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    ZORVIN_COLUMN(QString, Title, Str1)
    /// NoteType.
    ZORVIN_COLUMN(qint64, NoteKind, Int1)
    /// The attached folder, file or web address.
    ZORVIN_COLUMN(QString, Attachment, Str2)
    /// A note group or a project; the none id when none.
    ZORVIN_COLUMN(TGID, Group, Link1)
    ZORVIN_COLUMN(double, Date, Date1)
    ZORVIN_FLAG(HasDate, D1Flag)

    /// The whole text: Str3, Str4, Str5 and the comment joined.
    QString Text() const { return this->m_row.Str3 + this->m_row.Str4 + this->m_row.Str5 + this->m_row.Comments; }
    /// Splits \a text over Str3, Str4, Str5 (255 characters each) and the comment (the rest).
    void SetText(const QString& text) const
    {
        const std::array<QString, 4> parts = NoteTextParts(text, TextPart);
        this->m_row.Str3 = parts[0];
        this->m_row.Str4 = parts[1];
        this->m_row.Str5 = parts[2];
        this->m_row.Comments = parts[3];
    }

    static constexpr int TextPart = 255;
};

ZORVIN_KIND_VIEW(Note)
