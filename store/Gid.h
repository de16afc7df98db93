#pragma once

#include <QString>

/**
 * \brief An object identifier in memory: at most 16 characters (16 upper-case hexadecimal digits:
 * 8 of a prefix number, 8 of a counter). Longer text is cut to 16 characters.
 *
 * `==` compares the exact text; identifiers as the system compares them use SameId().
 */
class TGID
{
public:
    TGID() = default;
    TGID(const QString& text) : m_text(text.left(16)) {}
    TGID& operator=(const QString& text);

    const QString& Text() const { return m_text; }
    operator const QString&() const { return m_text; }
    bool IsBlank() const { return m_text.trimmed().isEmpty(); }

    friend bool operator==(const TGID& a, const TGID& b) { return a.m_text == b.m_text; }

private:
    QString m_text;
};

namespace Ids {
/// No object; an unsaved record carries it.
inline const QString Null = QStringLiteral("0000000000000000");
/// The stored reference to nobody: the id of the placeholder row of kind 29.
inline const QString None = QStringLiteral("0000000200000001");
/// The database's system row (kind 897).
inline const QString SystemRow = QStringLiteral("0000000000000381");
} // namespace Ids

/// hex8(prefix) followed by hex8(counter), upper-case.
QString MakeId(quint32 counter, quint32 prefix);
/// a and b are equal ignoring case; when b is the null id, a blank a is equal too.
bool SameId(const QString& a, const QString& b);
/// The id, upper-cased, is the empty text, the null id or the none id (a text of blanks is not empty).
bool IsEmptyId(const QString& id);
/// Blank or the null id: the record holding it is new.
bool IsNewId(const QString& id);
