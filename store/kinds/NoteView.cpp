#include "store/kinds/NoteView.h"

std::array<QString, 4> NoteTextParts(const QString& text, int part)
{
    std::array<QString, 4> parts;
    qsizetype from = 0;
    for (int i = 0; i < 3; ++i) {
        qsizetype length = qMin<qsizetype>(part, text.size() - from);
        const qsizetype end = from + length;
        // A cut between the halves of a pair keeps the first half back for the next part.
        if (length > 1 && end < text.size()) {
            const QChar last = text.at(end - 1);
            const QChar next = text.at(end);
            if ((last.isHighSurrogate() && next.isLowSurrogate()) || (last == u'\r' && next == u'\n'))
                --length;
        }
        parts[i] = text.mid(from, length);
        from += length;
    }
    parts[3] = text.mid(from);
    return parts;
}
