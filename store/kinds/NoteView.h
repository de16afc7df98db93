#pragma once

#include "store/kinds/KindView.h"

/// The type of a note (Int1): what is attached to it.
namespace NoteType {
enum : int { Plain = 1, Folder = 2, File = 3, WebAddress = 4 };
}

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
        this->m_row.Str3 = text.mid(0, TextPart);
        this->m_row.Str4 = text.mid(TextPart, TextPart);
        this->m_row.Str5 = text.mid(2 * TextPart, TextPart);
        this->m_row.Comments = text.mid(3 * TextPart);
    }

    static constexpr int TextPart = 255;
};

ZORVIN_KIND_VIEW(Note)
