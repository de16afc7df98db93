#include "store/SqlDialect.h"

#include "store/DateSerial.h"
#include "store/Schema.h"
#include "store/TextCollation.h"

#include <QList>
#include <QLocale>
#include <QSet>
#include <QStringView>

#include <algorithm>
#include <numeric>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

enum class TTokenKind {
    Space,
    Text, // a dialect literal in double quotes
    QuotedText, // a literal already in single quotes
    Date,
    Word, // an identifier or keyword, alias-qualified names included (A.Str1)
    Number,
    Symbol,
    Open,
    Close
};

struct TToken
{
    TTokenKind kind = TTokenKind::Symbol;
    QString text; // as written in the dialect
    QString out; // the engine's spelling
    QString value; // the content of a text literal
    int depth = 0; // parentheses around the token; an opening or closing parenthesis counts as outside
    QString before;
    QString after;
};

using TTokens = QList<TToken>;

// Whether a word names a column of AllInfo of one of \a types (alias qualification ignored).
bool IsColumnOf(const TToken& token, std::initializer_list<TColumnType> types)
{
    TColumnType type;
    if (token.kind != TTokenKind::Word || !Schema::ColumnType(token.text, &type))
        return false;
    return std::find(types.begin(), types.end(), type) != types.end();
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsWordStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool IsWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

bool IsWord(const TToken& token, QStringView word)
{
    return token.kind == TTokenKind::Word && token.text.compare(word, Qt::CaseInsensitive) == 0;
}

bool IsSymbol(const TToken& token, QStringView symbol)
{
    return token.kind == TTokenKind::Symbol && token.text == symbol;
}

bool IsTextLiteral(const TToken& token)
{
    return token.kind == TTokenKind::Text || token.kind == TTokenKind::QuotedText;
}

// The column a word names, without its alias: Addr.Str1 -> str1.
QString ColumnName(const TToken& token)
{
    return token.text.mid(token.text.lastIndexOf(u'.') + 1).toLower();
}

QString BoolNumber(bool value)
{
    return value ? u"-1"_s : u"0"_s;
}

QString SingleQuoted(const QString& value)
{
    QString inner = value;
    inner.replace(u'\'', u"''"_s);
    return u'\'' + inner + u'\'';
}

// Serials in fixed notation, as short as they stay exact: 27467, 27467.5, never 2.7467e+04.
QString SerialText(double serial)
{
    return QString::number(serial, 'f', QLocale::FloatingPointShortest);
}

// Reads minCount to maxCount digits at pos.
bool ReadDigits(const QString& sql, qsizetype& pos, int minCount, int maxCount, int& number)
{
    number = 0;
    int count = 0;
    while (pos < sql.size() && count < maxCount && IsDigit(sql[pos])) {
        number = number * 10 + (sql[pos].unicode() - u'0');
        ++pos;
        ++count;
    }
    return count >= minCount;
}

bool Expect(const QString& sql, qsizetype& pos, QChar c)
{
    if (pos < sql.size() && sql[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

void SkipBlanks(const QString& sql, qsizetype& pos)
{
    while (pos < sql.size() && sql[pos] == u' ')
        ++pos;
}

// #mm/dd/yyyy# or #mm/dd/yyyy hh:mm[:ss]# starting at the # at pos; on success pos moves past the
// closing # and serial is the date's day serial.
bool ReadDate(const QString& sql, qsizetype& pos, double& serial)
{
    qsizetype p = pos + 1;
    int month = 0;
    int day = 0;
    int year = 0;
    SkipBlanks(sql, p);
    if (!ReadDigits(sql, p, 1, 2, month) || !Expect(sql, p, u'/') || !ReadDigits(sql, p, 1, 2, day)
        || !Expect(sql, p, u'/') || !ReadDigits(sql, p, 4, 4, year))
        return false;
    const QDate date(year, month, day);
    QTime time(0, 0);
    const qsizetype beforeTime = p;
    SkipBlanks(sql, p);
    if (p > beforeTime && p < sql.size() && IsDigit(sql[p])) {
        int hour = 0;
        int minute = 0;
        int second = 0;
        if (!ReadDigits(sql, p, 1, 2, hour) || !Expect(sql, p, u':') || !ReadDigits(sql, p, 2, 2, minute))
            return false;
        if (Expect(sql, p, u':') && !ReadDigits(sql, p, 2, 2, second))
            return false;
        time = QTime(hour, minute, second);
    }
    SkipBlanks(sql, p);
    if (!date.isValid() || !time.isValid() || !Expect(sql, p, u'#'))
        return false;
    serial = DateSerial::FromDateTime(date, time);
    pos = p;
    return true;
}

// A dialect literal starting at the " at pos: "" inside stands for one ". A literal without its closing
// quote runs to the end of the text.
qsizetype ReadDoubleQuoted(const QString& sql, qsizetype pos, QString& value)
{
    qsizetype p = pos + 1;
    while (p < sql.size()) {
        if (sql[p] == u'"') {
            if (p + 1 < sql.size() && sql[p + 1] == u'"') {
                value += u'"';
                p += 2;
                continue;
            }
            return p + 1;
        }
        value += sql[p++];
    }
    return p;
}

// A single-quoted literal ('' inside is one '), left as written; closed when the text ends inside it.
qsizetype ReadSingleQuoted(const QString& sql, qsizetype pos, bool& closed)
{
    qsizetype p = pos + 1;
    while (p < sql.size()) {
        if (sql[p] == u'\'') {
            if (p + 1 < sql.size() && sql[p + 1] == u'\'') {
                p += 2;
                continue;
            }
            closed = true;
            return p + 1;
        }
        ++p;
    }
    closed = false;
    return p;
}

qsizetype ReadWord(const QString& sql, qsizetype pos)
{
    qsizetype p = pos;
    for (;;) {
        while (p < sql.size() && IsWordChar(sql[p]))
            ++p;
        if (p + 1 < sql.size() && sql[p] == u'.' && IsWordStart(sql[p + 1]))
            ++p;
        else
            return p;
    }
}

qsizetype ReadNumber(const QString& sql, qsizetype pos)
{
    qsizetype p = pos;
    auto digits = [&] {
        while (p < sql.size() && IsDigit(sql[p]))
            ++p;
    };
    digits();
    if (p < sql.size() && sql[p] == u'.') {
        ++p;
        digits();
    }
    if (p < sql.size() && (sql[p] == u'e' || sql[p] == u'E')) {
        qsizetype q = p + 1;
        if (q < sql.size() && (sql[q] == u'+' || sql[q] == u'-'))
            ++q;
        if (q < sql.size() && IsDigit(sql[q])) {
            p = q;
            digits();
        }
    }
    return p;
}

TTokens Tokenize(const QString& sql)
{
    static const QStringList twoCharSymbols = {u"<>"_s, u"<="_s, u">="_s, u"!="_s, u"||"_s};
    TTokens tokens;
    int depth = 0;
    qsizetype pos = 0;
    while (pos < sql.size()) {
        const QChar c = sql[pos];
        const qsizetype start = pos;
        TToken token;
        double serial = 0;
        if (c.isSpace()) {
            token.kind = TTokenKind::Space;
            while (pos < sql.size() && sql[pos].isSpace())
                ++pos;
        } else if (c == u'"') {
            token.kind = TTokenKind::Text;
            pos = ReadDoubleQuoted(sql, pos, token.value);
            token.out = SingleQuoted(token.value);
        } else if (c == u'\'') {
            token.kind = TTokenKind::QuotedText;
            bool closed = false;
            pos = ReadSingleQuoted(sql, pos, closed);
            token.out = sql.mid(start, pos - start);
            if (!closed)
                token.out += u'\'';
        } else if (c == u'#' && ReadDate(sql, pos, serial)) {
            token.kind = TTokenKind::Date;
            token.out = SerialText(serial);
        } else if (IsWordStart(c)) {
            token.kind = TTokenKind::Word;
            pos = ReadWord(sql, pos);
        } else if (IsDigit(c) || (c == u'.' && pos + 1 < sql.size() && IsDigit(sql[pos + 1]))) {
            token.kind = TTokenKind::Number;
            pos = ReadNumber(sql, pos);
        } else if (c == u'(') {
            token.kind = TTokenKind::Open;
            token.depth = depth++;
            ++pos;
        } else if (c == u')') {
            token.kind = TTokenKind::Close;
            depth = std::max(0, depth - 1);
            ++pos;
        } else {
            token.kind = TTokenKind::Symbol;
            pos += twoCharSymbols.contains(QStringView(sql).mid(pos, 2)) ? 2 : 1;
        }
        token.text = sql.mid(start, pos - start);
        if (token.kind != TTokenKind::Open)
            token.depth = depth;
        if (token.out.isNull())
            token.out = token.text;
        tokens.append(token);
    }
    return tokens;
}

qsizetype NextSignificant(const TTokens& tokens, qsizetype i)
{
    for (++i; i < tokens.size(); ++i) {
        if (tokens[i].kind != TTokenKind::Space)
            return i;
    }
    return -1;
}

qsizetype PreviousSignificant(const TTokens& tokens, qsizetype i)
{
    for (--i; i >= 0; --i) {
        if (tokens[i].kind != TTokenKind::Space)
            return i;
    }
    return -1;
}

// The closing parenthesis of the group opened at `open`, or the last token when it is never closed.
qsizetype MatchingClose(const TTokens& tokens, qsizetype open)
{
    for (qsizetype i = open + 1; i < tokens.size(); ++i) {
        if (tokens[i].kind == TTokenKind::Close && tokens[i].depth == tokens[open].depth)
            return i;
    }
    return tokens.size() - 1;
}

// The last token of the operand that starts at i: a parenthesised group and a function call are one operand.
qsizetype OperandEnd(const TTokens& tokens, qsizetype i)
{
    if (tokens[i].kind == TTokenKind::Open)
        return MatchingClose(tokens, i);
    if (tokens[i].kind == TTokenKind::Word) {
        const qsizetype next = NextSignificant(tokens, i);
        if (next >= 0 && tokens[next].kind == TTokenKind::Open)
            return MatchingClose(tokens, next);
    }
    return i;
}

void TranslateTrueFalse(TTokens& tokens)
{
    for (TToken& token : tokens) {
        if (IsWord(token, u"true") || IsWord(token, u"false"))
            token.out = BoolNumber(IsWord(token, u"true"));
    }
}

// "True" and "False" in quotes mean the Boolean only when compared with a Boolean column; anywhere else
// they are texts, so a person named True is still found.
void TranslateQuotedBooleans(TTokens& tokens)
{
    auto isBooleanColumn = [](const TToken& token) {
        return IsColumnOf(token, {TColumnType::Flag});
    };
    auto translateIfBoolean = [](TToken& token) {
        if (token.kind != TTokenKind::Text)
            return;
        if (token.value.compare(u"true"_s, Qt::CaseInsensitive) == 0)
            token.out = BoolNumber(true);
        else if (token.value.compare(u"false"_s, Qt::CaseInsensitive) == 0)
            token.out = BoolNumber(false);
    };
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (!IsSymbol(tokens[i], u"=") && !IsSymbol(tokens[i], u"<>"))
            continue;
        const qsizetype left = PreviousSignificant(tokens, i);
        const qsizetype right = NextSignificant(tokens, i);
        if (left < 0 || right < 0)
            continue;
        if (isBooleanColumn(tokens[left]))
            translateIfBoolean(tokens[right]);
        else if (isBooleanColumn(tokens[right]))
            translateIfBoolean(tokens[left]);
    }
}

void TranslateConcatenation(TTokens& tokens)
{
    auto isText = [&tokens](qsizetype i) {
        if (i < 0)
            return false;
        const TToken& token = tokens[i];
        return IsTextLiteral(token) || IsColumnOf(token, {TColumnType::Text, TColumnType::Id});
    };
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (IsSymbol(tokens[i], u"&")
            || (IsSymbol(tokens[i], u"+")
                && (isText(PreviousSignificant(tokens, i)) || isText(NextSignificant(tokens, i)))))
            tokens[i].out = u"||"_s;
    }
}

// The opening parenthesis of the group closed at `close`.
qsizetype MatchingOpen(const TTokens& tokens, qsizetype close)
{
    for (qsizetype i = close - 1; i >= 0; --i) {
        if (tokens[i].kind == TTokenKind::Open && tokens[i].depth == tokens[close].depth)
            return i;
    }
    return 0;
}

bool IsConcatenation(const TToken& token)
{
    return token.kind == TTokenKind::Symbol && token.out == u"||";
}

// The first token of the operand that ends at i: a parenthesised group, with the name of the function it
// belongs to when the name stands right before it.
qsizetype OperandStart(const TTokens& tokens, qsizetype i)
{
    if (tokens[i].kind != TTokenKind::Close)
        return i;
    const qsizetype open = MatchingOpen(tokens, i);
    if (open > 0 && tokens[open - 1].kind == TTokenKind::Word && !IsWord(tokens[open - 1], u"and")
        && !IsWord(tokens[open - 1], u"or") && !IsWord(tokens[open - 1], u"not"))
        return open - 1;
    return open;
}

// The last token of the pattern that starts at i: operands joined with || are one pattern.
qsizetype PatternEnd(const TTokens& tokens, qsizetype i)
{
    qsizetype last = OperandEnd(tokens, i);
    for (;;) {
        const qsizetype op = NextSignificant(tokens, last);
        if (op < 0 || !IsConcatenation(tokens[op]))
            return last;
        const qsizetype operand = NextSignificant(tokens, op);
        if (operand < 0)
            return last;
        last = OperandEnd(tokens, operand);
    }
}

// The server compares texts by a collation that like cannot use, so both sides of a like go through the
// folding function of the text rules (letter case folded, ё as е) and compare byte by byte. PostgreSQL
// takes a backslash in a pattern as an escape; the system's patterns have no escape character. The clause
// goes after the whole pattern, so a pattern joined from pieces keeps its last piece.
void TranslateLikeForPostgres(TTokens& tokens)
{
    const QString fold = QLatin1String(TextCollation::kServerFold) + u'(';
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (!IsWord(tokens[i], u"like"))
            continue;
        qsizetype leftEnd = PreviousSignificant(tokens, i);
        if (leftEnd >= 0 && IsWord(tokens[leftEnd], u"not"))
            leftEnd = PreviousSignificant(tokens, leftEnd);
        const qsizetype right = NextSignificant(tokens, i);
        if (leftEnd < 0 || right < 0)
            continue;
        qsizetype leftStart = OperandStart(tokens, leftEnd);
        for (;;) {
            const qsizetype op = PreviousSignificant(tokens, leftStart);
            if (op < 0 || !IsConcatenation(tokens[op]))
                break;
            const qsizetype operand = PreviousSignificant(tokens, op);
            if (operand < 0)
                break;
            leftStart = OperandStart(tokens, operand);
        }
        const qsizetype last = PatternEnd(tokens, right);
        tokens[leftStart].before = fold + tokens[leftStart].before;
        tokens[leftEnd].after += u") COLLATE \"C\""_s;
        tokens[right].before = fold + tokens[right].before;
        tokens[last].after += u')';
        const qsizetype next = NextSignificant(tokens, last);
        if (next >= 0 && IsWord(tokens[next], u"escape"))
            continue;
        tokens[last].after += u" ESCAPE ''"_s;
    }
}

// A prefix search on a text column, `Str1 like "Ив%"`, also becomes the range of the texts that begin
// with the prefix under the column's collation, so that the engine reads the rows from an index instead
// of testing every row; the like stays as the exact test of the rows in the range. A pattern with another
// wildcard, an escape or joined pieces stays a plain like.
void TranslatePrefixRanges(TTokens& tokens)
{
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (!IsWord(tokens[i], u"like"))
            continue;
        const qsizetype column = PreviousSignificant(tokens, i);
        const qsizetype pattern = NextSignificant(tokens, i);
        if (column < 0 || pattern < 0 || !IsColumnOf(tokens[column], {TColumnType::Text})
            || !IsTextLiteral(tokens[pattern]))
            continue;
        const qsizetype before = PreviousSignificant(tokens, column);
        const qsizetype after = NextSignificant(tokens, pattern);
        if ((before >= 0 && (IsConcatenation(tokens[before]) || IsSymbol(tokens[before], u"+")))
            || (after >= 0 && (IsConcatenation(tokens[after]) || IsSymbol(tokens[after], u"+") || IsWord(tokens[after], u"escape"))))
            continue;
        QString value = tokens[pattern].value;
        if (tokens[pattern].kind == TTokenKind::QuotedText)
            value = tokens[pattern].text.mid(1, tokens[pattern].text.size() - 2).replace(u"''"_s, u"'"_s);
        if (!value.endsWith(u'%'))
            continue;
        const QString prefix = value.chopped(1);
        if (prefix.isEmpty() || prefix.contains(u'%') || prefix.contains(u'_'))
            continue;
        const QString& name = tokens[column].out;
        tokens[column].before = u'(' + name + u" >= "_s + SingleQuoted(prefix) + u" and "_s + name + u" < "_s
            + SingleQuoted(TextCollation::PrefixUpperBound(prefix)) + u" and "_s + tokens[column].before;
        tokens[pattern].after += u')';
    }
}

struct TTopSelect
{
    qsizetype select = 0; // the select word
    qsizetype last = 0; // the last token of the select
    QString count;
    bool unionMember = false;
};

// Where the select at `select` ends: before the parenthesis that closes its group, a union joining it to
// the next member, a semicolon, or the end of the text.
qsizetype SelectStop(const TTokens& tokens, qsizetype select)
{
    const int depth = tokens[select].depth;
    for (qsizetype i = select + 1; i < tokens.size(); ++i) {
        const TToken& token = tokens[i];
        if (token.kind == TTokenKind::Close && token.depth < depth)
            return i;
        if (token.depth == depth && (IsWord(token, u"union") || IsSymbol(token, u";")))
            return i;
    }
    return tokens.size();
}

bool FollowsUnion(const TTokens& tokens, qsizetype select)
{
    const int depth = tokens[select].depth;
    for (qsizetype i = select - 1; i >= 0; --i) {
        const TToken& token = tokens[i];
        if (token.depth < depth || (token.depth == depth && IsSymbol(token, u";")))
            return false;
        if (token.depth == depth && IsWord(token, u"union"))
            return true;
    }
    return false;
}

// Finds `select [distinct] top N`, removes `top N` and the blanks after it, and tells where the select ends.
bool TakeTop(TTokens& tokens, qsizetype select, TTopSelect& top)
{
    qsizetype word = NextSignificant(tokens, select);
    if (word >= 0
        && (IsWord(tokens[word], u"distinct") || IsWord(tokens[word], u"distinctrow") || IsWord(tokens[word], u"all")))
        word = NextSignificant(tokens, word);
    if (word < 0 || !IsWord(tokens[word], u"top"))
        return false;
    const qsizetype count = NextSignificant(tokens, word);
    if (count < 0 || tokens[count].kind != TTokenKind::Number
        || !std::all_of(tokens[count].text.cbegin(), tokens[count].text.cend(), IsDigit))
        return false;
    // TOP n PERCENT has no LIMIT counterpart; such a statement is left for the engine to refuse.
    const qsizetype afterCount = NextSignificant(tokens, count);
    if (afterCount >= 0 && IsWord(tokens[afterCount], u"percent"))
        return false;
    qsizetype end = count + 1;
    while (end < tokens.size() && tokens[end].kind == TTokenKind::Space)
        ++end;
    for (qsizetype i = word; i < end; ++i)
        tokens[i].out.clear();

    qsizetype stop = SelectStop(tokens, select);
    const bool followsUnion = FollowsUnion(tokens, select);
    // The order after the last member of a union orders the whole union (by the names of its output
    // columns): it stays outside the member's sub-select.
    if (followsUnion && (stop >= tokens.size() || !IsWord(tokens[stop], u"union"))) {
        const int depth = tokens[select].depth;
        for (qsizetype i = select + 1; i < stop; ++i) {
            if (tokens[i].depth == depth && IsWord(tokens[i], u"order")) {
                stop = i;
                break;
            }
        }
    }
    top.select = select;
    top.last = std::max(count, PreviousSignificant(tokens, stop));
    top.count = tokens[count].text;
    top.unionMember = followsUnion || (stop < tokens.size() && IsWord(tokens[stop], u"union"));
    return true;
}

// A union member cannot carry its own LIMIT, so a member with a row limit becomes a sub-select under an
// alias name the statement does not use yet.
void TranslateTop(TTokens& tokens)
{
    QList<TTopSelect> tops;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        TTopSelect top;
        if (IsWord(tokens[i], u"select") && TakeTop(tokens, i, top))
            tops.append(top);
    }
    if (tops.isEmpty())
        return;

    QSet<QString> usedNames;
    for (const TToken& token : std::as_const(tokens)) {
        if (token.kind == TTokenKind::Word)
            usedNames.insert(ColumnName(token));
    }
    int aliasNumber = 0;
    QList<QString> aliases;
    for (const TTopSelect& top : std::as_const(tops)) {
        QString alias;
        if (top.unionMember) {
            do
                alias = u"T"_s + QString::number(++aliasNumber);
            while (usedNames.contains(alias.toLower()));
        }
        aliases.append(alias);
    }

    // An inner select closes before the select around it, so deeper selects add their endings first.
    QList<qsizetype> order(tops.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
        [&](qsizetype a, qsizetype b) { return tokens[tops[a].select].depth > tokens[tops[b].select].depth; });
    for (qsizetype index : std::as_const(order)) {
        const TTopSelect& top = tops[index];
        if (top.unionMember) {
            tokens[top.select].before = u"select * from ("_s + tokens[top.select].before;
            tokens[top.last].after += u" LIMIT "_s + top.count + u") as "_s + aliases[index];
        } else {
            tokens[top.last].after += u" LIMIT "_s + top.count;
        }
    }
}

QString Assemble(const TTokens& tokens)
{
    QString sql;
    for (const TToken& token : tokens) {
        const QString piece = token.before + token.out + token.after;
        // The dialect has no comments: "Int5 --500" subtracts a negative number, which the engines would
        // read as a comment; "-" then "-1" from a True would do the same.
        if (!sql.isEmpty() && !piece.isEmpty()
            && ((sql.back() == u'-' && piece.front() == u'-') || (sql.back() == u'/' && piece.front() == u'*')))
            sql += u' ';
        sql += piece;
    }
    return sql;
}

} // namespace

namespace SqlDialect {

QString Translate(const QString& dialectSql, TSqlEngine engine)
{
    TTokens tokens = Tokenize(dialectSql);
    TranslateTrueFalse(tokens);
    TranslateQuotedBooleans(tokens);
    TranslateConcatenation(tokens);
    if (engine == TSqlEngine::PostgreSQL)
        TranslateLikeForPostgres(tokens);
    TranslatePrefixRanges(tokens);
    TranslateTop(tokens);
    return Assemble(tokens);
}

QString Quote(const QString& value)
{
    QString inner = value;
    inner.replace(u'"', u"\"\""_s);
    return u'"' + inner + u'"';
}

QString DateLiteral(double serial)
{
    const QDate date = DateSerial::ToDate(serial);
    return u"#%1/%2/%3#"_s.arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString BoolLiteral(bool value)
{
    return value ? u"True"_s : u"False"_s;
}

} // namespace SqlDialect
