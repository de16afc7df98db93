#include "contacts/VCardContact.h"

#include "store/DateSerial.h"
#include "store/kinds/InternetContactView.h"
#include "store/kinds/PhoneView.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace VCardContact {

namespace {

using VCard::TCard;
using VCard::TProperty;

// Parameters of this program's own, so that what the standard properties cannot say survives a round trip.
const QString FormParam = u"X-ZORVIN-FORM"_s;
const QString DistrictParam = u"X-ZORVIN-DISTRICT"_s;
const QString CurrentParam = u"X-ZORVIN-CURRENT"_s;
const QString TypeParam = u"X-ZORVIN-TYPE"_s;
const QString NameParam = u"X-ZORVIN-NAME"_s;
const QString RemindParam = u"X-ZORVIN-REMIND"_s;
const QString PartialParam = u"X-ZORVIN-PARTIAL"_s;
// Apple's mark of a birthday without a year, written with the year 1604 in 3.0 cards.
const QString OmitYearParam = u"X-APPLE-OMIT-YEAR"_s;

bool EndsWithAny(const QString& word, std::initializer_list<const char16_t*> endings)
{
    const QString w = word.toLower();
    for (const char16_t* ending : endings) {
        if (w.endsWith(QStringView(ending)))
            return true;
    }
    return false;
}

bool IsPatronymic(const QString& word)
{
    return word.size() > 4 && EndsWithAny(word, {u"вич", u"вна", u"ична", u"ьич", u"инична", u"оглы", u"кызы"});
}

bool IsRussianSurname(const QString& word)
{
    return word.size() > 3
        && EndsWithAny(word, {u"ов", u"ова", u"ев", u"ева", u"ёв", u"ёва", u"ин", u"ина", u"ын", u"ына", u"ский",
                                 u"ская", u"цкий", u"цкая", u"енко", u"ук", u"юк"});
}

QString Trimmed(const QString& text)
{
    return text.simplified();
}

// The year, month and day of a vCard date ("1975-03-15", "19750315", "--0315", "--03-15", "1975-03", "1975",
// "15.03.1975", with a time after "T" ignored); 0 for a part not given. False when it is no date.
bool DateParts(const QString& value, int& year, int& month, int& day)
{
    year = month = day = 0;
    QString v = value.trimmed();
    const qsizetype t = v.indexOf(u'T');
    if (t >= 0)
        v = v.left(t);
    static const QRegularExpression russian(u"^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})$"_s);
    static const QRegularExpression full(u"^(\\d{4})-?(\\d{2})-?(\\d{2})$"_s);
    static const QRegularExpression yearMonth(u"^(\\d{4})-(\\d{2})$"_s);
    static const QRegularExpression yearOnly(u"^(\\d{4})$"_s);
    static const QRegularExpression noYear(u"^--(\\d{2})-?(\\d{2})$"_s);
    static const QRegularExpression monthOnly(u"^--(\\d{2})$"_s);
    static const QRegularExpression dayOnly(u"^---(\\d{2})$"_s);
    QRegularExpressionMatch m;
    if ((m = russian.match(v)).hasMatch()) {
        day = m.captured(1).toInt();
        month = m.captured(2).toInt();
        year = m.captured(3).toInt();
    } else if ((m = full.match(v)).hasMatch()) {
        year = m.captured(1).toInt();
        month = m.captured(2).toInt();
        day = m.captured(3).toInt();
    } else if ((m = yearMonth.match(v)).hasMatch()) {
        year = m.captured(1).toInt();
        month = m.captured(2).toInt();
    } else if ((m = yearOnly.match(v)).hasMatch()) {
        year = m.captured(1).toInt();
    } else if ((m = noYear.match(v)).hasMatch()) {
        month = m.captured(1).toInt();
        day = m.captured(2).toInt();
    } else if ((m = monthOnly.match(v)).hasMatch()) {
        month = m.captured(1).toInt();
    } else if ((m = dayOnly.match(v)).hasMatch()) {
        day = m.captured(1).toInt();
    } else {
        return false;
    }
    if (month > 12 || day > 31 || (year != 0 && year < 1000))
        return false;
    const int checkYear = year ? year : 2000; // a leap year, so that 29 February without a year is a date
    return QDate(checkYear, month ? month : 1, day ? day : 1).isValid();
}

bool ReadBirthday(const TProperty& p, TPerson& person, QList<VCard::TProblem>& problems)
{
    int year = 0, month = 0, day = 0;
    if (!DateParts(p.Value, year, month, day)) {
        problems.append({p.Line, u"Дата рождения не прочитана: "_s + p.Value.left(40)});
        return false;
    }
    if (!p.Param(OmitYearParam).isEmpty() && QString::number(year) == p.Param(OmitYearParam).value(0))
        year = 0;
    if (year == 0) {
        if (month == 0 || day == 0) {
            problems.append({p.Line, u"Дата рождения без года и без дня или месяца: "_s + p.Value.left(40)});
            return false;
        }
        person.BirthdayDay = day;
        person.BirthdayMonth = month;
        return true;
    }
    person.Birth = DateSerial::FromDate(QDate(year, month ? month : 1, day ? day : 1));
    person.BirthComplete = month != 0 && day != 0
        && p.Param(PartialParam).value(0).compare(u"TRUE"_s, Qt::CaseInsensitive) != 0;
    const QString remind = p.Param(RemindParam).value(0);
    person.RemindBirthday = remind.isEmpty() ? person.BirthComplete : remind.compare(u"TRUE"_s, Qt::CaseInsensitive) == 0;
    return true;
}

void ReadDeath(const TProperty& p, TPerson& person)
{
    person.Dead = true;
    int year = 0, month = 0, day = 0;
    if (DateParts(p.Value, year, month, day) && year != 0)
        person.Death = DateSerial::FromDate(QDate(year, month ? month : 1, day ? day : 1));
}

int SexOf(const TCard& card)
{
    if (const TProperty* g = card.First(u"GENDER"_s)) {
        const QString sex = VCard::Components(g->Value).value(0).trimmed().toUpper();
        if (sex == u"M"_s)
            return 1;
        if (sex == u"F"_s)
            return 2;
    }
    if (const TProperty* g = card.First(u"X-GENDER"_s)) {
        const QString sex = g->Value.trimmed().toLower();
        if (sex.startsWith(u'm') || sex.startsWith(u'м'))
            return 1;
        if (sex.startsWith(u'f') || sex.startsWith(u'ж'))
            return 2;
    }
    // Outlook: 1 a woman, 2 a man.
    if (const TProperty* g = card.First(u"X-WAB-GENDER"_s)) {
        if (g->Value.trimmed() == u"1"_s)
            return 2;
        if (g->Value.trimmed() == u"2"_s)
            return 1;
    }
    return 0;
}

void ReadNames(const TCard& card, TPerson& person)
{
    if (const TProperty* n = card.First(u"N"_s)) {
        const QStringList parts = VCard::Components(n->Value);
        person.Surname = Trimmed(parts.value(0));
        person.FirstName = Trimmed(parts.value(1));
        person.Patronymic = Trimmed(parts.value(2));
        // "Иван Иванович" given as the first name, the patronymic not in the additional names.
        const QStringList given = person.FirstName.split(u' ', Qt::SkipEmptyParts);
        if (person.Patronymic.isEmpty() && given.size() == 2 && IsPatronymic(given.at(1))) {
            person.FirstName = given.at(0);
            person.Patronymic = given.at(1);
        }
    }
    if (person.Surname.isEmpty() && person.FirstName.isEmpty() && person.Patronymic.isEmpty()) {
        if (const TProperty* fn = card.First(u"FN"_s)) {
            const std::array<QString, 3> split = SplitFullName(VCard::Unescape(fn->Value));
            person.Surname = split[0];
            person.FirstName = split[1];
            person.Patronymic = split[2];
        }
    }
}

// The comments of a card's grouped properties, by group (upper case). A comment is kept as it writes back:
// line breaks as LF, no blanks around it, and only what UTF-8 can carry.
QHash<QString, QString> GroupComments(const TCard& card)
{
    QHash<QString, QString> comments;
    for (const TProperty& p : card.Properties) {
        if (p.Name != CommentProperty || p.Group.isEmpty())
            continue;
        QString text = VCard::Unescape(p.Value);
        text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
        comments.insert(p.Group.toUpper(), QString::fromUtf8(text.toUtf8()).trimmed());
    }
    return comments;
}

QString CommentOf(const TProperty& p, const QHash<QString, QString>& comments)
{
    return p.Group.isEmpty() ? QString() : comments.value(p.Group.toUpper());
}

void ReadPhone(const TProperty& p, TPerson& person, QList<VCard::TProblem>& problems)
{
    QString text = VCard::Unescape(p.Value).trimmed();
    if (text.startsWith(u"tel:"_s, Qt::CaseInsensitive))
        text = text.mid(4);
    const QString digits = PhoneDigits(text);
    if (digits.isEmpty()) {
        if (!text.isEmpty())
            problems.append({p.Line, u"Номер телефона не помещается в 12 цифр: "_s + text.left(40)});
        return;
    }
    TPhone phone;
    phone.Number = digits;
    const bool fax = p.HasType(u"FAX"_s);
    if (p.HasType(u"CELL"_s))
        phone.Type = PhoneType::Mobile;
    else if (fax)
        phone.Type = p.HasType(u"VOICE"_s) ? PhoneType::PhoneFax : PhoneType::Fax;
    else
        phone.Type = PhoneType::Phone;
    person.Phones.append(phone);
}

void ReadInternet(const TProperty& p, int type, TPerson& person)
{
    TInternet contact;
    contact.Type = type;
    contact.Address = VCard::Unescape(p.Value).trimmed();
    if (type == InternetType::Email && contact.Address.startsWith(u"mailto:"_s, Qt::CaseInsensitive))
        contact.Address = contact.Address.mid(7);
    if (type == InternetType::Messenger && contact.Address.startsWith(u"skype:"_s, Qt::CaseInsensitive)) {
        contact.Type = InternetType::Skype;
        contact.Address = contact.Address.mid(6);
    }
    if (contact.Address.isEmpty())
        return;
    bool known = false;
    const int own = p.Param(TypeParam).value(0).toInt(&known);
    if (known && own >= InternetType::None && own <= InternetType::Other)
        contact.Type = own;
    contact.Name = p.Param(NameParam).value(0);
    if (contact.Name.isEmpty() && type == InternetType::Messenger)
        contact.Name = p.Param(u"X-SERVICE-TYPE"_s).value(0);
    if (contact.Name.isEmpty() && type == InternetType::SocialNetwork) {
        for (const QString& t : p.Param(u"TYPE"_s)) {
            const QString lower = t.toLower();
            if (lower != u"pref"_s && lower != u"home"_s && lower != u"work"_s && lower != u"internet"_s) {
                contact.Name = t;
                break;
            }
        }
    }
    person.Internet.append(contact);
}

void ReadAddress(const TProperty& p, TPerson& person)
{
    const QStringList parts = VCard::Components(p.Value);
    TAddress a;
    QString extended = Trimmed(parts.value(1));
    QString street = Trimmed(parts.value(2));
    a.Settlement = Trimmed(parts.value(3));
    a.Region = Trimmed(parts.value(4));
    a.PostalIndex = Trimmed(parts.value(5)).left(6);
    a.Country = Trimmed(parts.value(6));
    a.District = Trimmed(p.Param(DistrictParam).value(0));
    // "ул. Ленина, д. 5" or "ул. Ленина, 5": the house after the last comma.
    static const QRegularExpression marked(u"^(.*),\\s*(?:д\\.|дом)\\s*(.+)$"_s);
    static const QRegularExpression numbered(u"^(.*\\D),\\s*(\\d[^,]*)$"_s);
    QRegularExpressionMatch m = marked.match(street);
    if (!m.hasMatch())
        m = numbered.match(street);
    if (m.hasMatch()) {
        a.Street = m.captured(1).trimmed();
        a.House = m.captured(2).trimmed().left(16);
    } else {
        a.Street = street;
    }
    static const QRegularExpression flat(u"^(?:кв\\.|квартира|офис|оф\\.)\\s*"_s);
    extended.remove(flat);
    a.Flat = extended.trimmed().left(16);
    if (!parts.value(0).trimmed().isEmpty() && a.Flat.isEmpty())
        a.Flat = Trimmed(parts.value(0)).left(16);
    a.Current = p.Param(CurrentParam).value(0).compare(u"FALSE"_s, Qt::CaseInsensitive) != 0;
    if (a.Country.isEmpty() && a.Region.isEmpty() && a.Settlement.isEmpty() && a.Street.isEmpty() && a.House.isEmpty()
        && a.PostalIndex.isEmpty())
        return;
    person.Addresses.append(a);
}

QByteArray PhotoBytes(const TProperty& p)
{
    if (!p.Binary.isEmpty())
        return p.Binary;
    const QString value = p.Value.trimmed();
    if (value.startsWith(u"data:"_s, Qt::CaseInsensitive)) {
        const qsizetype comma = value.indexOf(u',');
        if (comma > 0 && value.left(comma).contains(u";base64"_s, Qt::CaseInsensitive))
            return QByteArray::fromBase64(value.mid(comma + 1).toLatin1());
    }
    return QByteArray();
}

QString DateValue(double serial, bool complete, bool monthKnown)
{
    const QDate d = DateSerial::ToDate(serial);
    if (complete)
        return d.toString(u"yyyy-MM-dd"_s);
    if (d.month() == 1 && d.day() == 1)
        return d.toString(u"yyyy"_s);
    if (d.day() == 1 && monthKnown)
        return d.toString(u"yyyy-MM"_s);
    return d.toString(u"yyyy-MM-dd"_s);
}

} // namespace

std::array<QString, 3> SplitFullName(const QString& fullName)
{
    const QStringList words = fullName.simplified().split(u' ', Qt::SkipEmptyParts);
    std::array<QString, 3> names; // surname, first name, patronymic
    if (words.size() == 1) {
        names[1] = words.at(0);
    } else if (words.size() == 2) {
        if (IsPatronymic(words.at(1))) {
            names[1] = words.at(0);
            names[2] = words.at(1);
        } else if (IsRussianSurname(words.at(0)) && !IsRussianSurname(words.at(1))) {
            names[0] = words.at(0);
            names[1] = words.at(1);
        } else {
            names[1] = words.at(0);
            names[0] = words.at(1);
        }
    } else if (words.size() >= 3) {
        if (IsPatronymic(words.at(1))) {
            // "Иван Иванович Иванов"
            names[1] = words.at(0);
            names[2] = words.at(1);
            names[0] = words.mid(2).join(u' ');
        } else if (IsPatronymic(words.last()) || IsRussianSurname(words.at(0))) {
            names[0] = words.at(0);
            names[1] = words.at(1);
            names[2] = words.mid(2).join(u' ');
        } else {
            // "John Ronald Smith": the last word is the surname.
            names[1] = words.mid(0, words.size() - 1).join(u' ');
            names[0] = words.last();
        }
    }
    return names;
}

int SexOfNameEndings(const QString& surname, const QString& patronymic)
{
    if (IsPatronymic(patronymic))
        return EndsWithAny(patronymic, {u"вна", u"чна", u"кызы"}) ? 2 : 1;
    if (IsRussianSurname(surname))
        return EndsWithAny(surname, {u"ова", u"ева", u"ёва", u"ина", u"ына", u"ская", u"цкая"}) ? 2 : 1;
    return 0;
}

QString PhoneDigits(const QString& text)
{
    QString digits;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digits += c;
        else if (c == u';' || c == u'x' || c == u'X' || c == u'#' || c == u',')
            break; // an extension or a pause: the number ends before it
    }
    if (digits.isEmpty())
        return QString();
    const QString trimmed = text.trimmed();
    QString country;
    QString rest;
    if (trimmed.startsWith(u'+')) {
        // The country code ends at the first separator after it, or is "7" for Russia and Kazakhstan.
        qsizetype count = 0;
        for (qsizetype i = 1; i < trimmed.size(); ++i) {
            const QChar c = trimmed.at(i);
            if (c >= u'0' && c <= u'9')
                ++count;
            else if (count > 0)
                break;
        }
        if (count > 2 || count == digits.size())
            count = digits.startsWith(u'7') ? 1 : 2;
        country = digits.left(count);
        rest = digits.mid(count);
    } else if (digits.size() == 11 && (digits.startsWith(u'8') || digits.startsWith(u'7'))) {
        country = u"7"_s; // the Russian trunk prefix 8 dials the country 7
        rest = digits.mid(1);
    } else {
        rest = digits;
    }
    if (rest.size() > 10)
        return QString();
    const QString area = rest.size() > 7 ? rest.left(rest.size() - 7) : QString();
    const QString local = rest.right(std::min<qsizetype>(rest.size(), 7));
    return country.leftJustified(2, u' ') + area.rightJustified(3, u' ') + local.rightJustified(7, u' ');
}

QString PhoneText(const QString& digits)
{
    const QString n = digits.leftJustified(12, u' ');
    const QString country = n.left(2).trimmed();
    const QString area = n.mid(2, 3).trimmed();
    const QString local = n.mid(5).trimmed();
    QString text;
    if (!country.isEmpty())
        text += u'+' + country + u' ';
    if (!area.isEmpty())
        text += u'(' + area + u") "_s;
    if (local.size() == 7)
        text += local.left(3) + u'-' + local.mid(3, 2) + u'-' + local.mid(5);
    else
        text += local;
    return text.trimmed();
}

TReading FromCard(const TCard& card)
{
    TReading reading;
    TPerson person;
    person.Line = card.Line;
    ReadNames(card, person);
    if (person.Surname.isEmpty() && person.FirstName.isEmpty() && person.Patronymic.isEmpty()) {
        reading.Problems.append({card.Line, u"В карточке нет имени человека"_s});
        return reading;
    }
    person.Sex = SexOf(card);
    QStringList titles;
    const QHash<QString, QString> comments = GroupComments(card);
    for (const TProperty& p : card.Properties) {
        const QString& name = p.Name;
        const qsizetype phones = person.Phones.size();
        const qsizetype internet = person.Internet.size();
        if (name == u"BDAY"_s) {
            ReadBirthday(p, person, reading.Problems);
        } else if (name == u"DEATHDATE"_s) {
            ReadDeath(p, person);
        } else if (name == u"TEL"_s) {
            ReadPhone(p, person, reading.Problems);
        } else if (name == u"EMAIL"_s) {
            ReadInternet(p, InternetType::Email, person);
        } else if (name == u"URL"_s) {
            ReadInternet(p, InternetType::Site, person);
        } else if (name == u"X-SOCIALPROFILE"_s) {
            ReadInternet(p, InternetType::SocialNetwork, person);
        } else if (name == u"IMPP"_s) {
            ReadInternet(p, InternetType::Messenger, person);
        } else if (name == u"X-SKYPE"_s || name == u"X-SKYPE-USERNAME"_s) {
            ReadInternet(p, InternetType::Skype, person);
        } else if (name == u"ADR"_s) {
            ReadAddress(p, person);
        } else if (name == u"ORG"_s) {
            const QStringList parts = VCard::Components(p.Value);
            TOrganization org;
            org.Name = Trimmed(parts.value(0));
            org.Branch = Trimmed(parts.mid(1).join(u' '));
            org.Form = Trimmed(p.Param(FormParam).value(0));
            if (!org.Name.isEmpty())
                person.Organizations.append(org);
        } else if (name == u"TITLE"_s || name == u"ROLE"_s) {
            if (name == u"TITLE"_s || titles.isEmpty())
                titles << Trimmed(VCard::Unescape(p.Value));
        } else if (name == u"NOTE"_s) {
            const QString note = VCard::Unescape(p.Value).trimmed();
            person.Note = person.Note.isEmpty() ? note : person.Note + u'\n' + note;
        } else if (name == u"PHOTO"_s) {
            if (person.Photo.isEmpty())
                person.Photo = PhotoBytes(p);
        } else if (name == u"CATEGORIES"_s) {
            for (const QString& group : VCard::Components(p.Value, u',')) {
                const QString g = Trimmed(group);
                if (!g.isEmpty() && !person.Groups.contains(g))
                    person.Groups << g;
            }
        }
        // A phone or an internet contact read just now takes the comment of its group.
        if (person.Phones.size() > phones)
            person.Phones.last().Comment = CommentOf(p, comments);
        if (person.Internet.size() > internet)
            person.Internet.last().Comment = CommentOf(p, comments);
    }
    // TITLE n belongs to ORG n; a title without an organization is lost with nothing to hold it.
    for (qsizetype i = 0; i < person.Organizations.size() && i < titles.size(); ++i)
        person.Organizations[i].Title = titles.at(i);
    reading.Person = person;
    return reading;
}

void Write(VCard::TWriter& w, const TPerson& person)
{
    const bool four = w.Version() == u"4.0"_s;
    // A property with a comment is written in a group of its own, the comment beside it.
    int groups = 0;
    const auto grouped = [&](const QString& property, const QString& comment) {
        return comment.isEmpty() ? property : u"item"_s + QString::number(++groups) + u'.' + property;
    };
    const auto comment = [&](const QString& text) {
        if (!text.isEmpty())
            w.AddText(u"item"_s + QString::number(groups) + u'.' + CommentProperty, text);
    };
    w.Begin();
    w.Add(u"N"_s, {}, {person.Surname, person.FirstName, person.Patronymic, QString(), QString()});
    QStringList full;
    for (const QString& part : {person.Surname, person.FirstName, person.Patronymic}) {
        if (!part.isEmpty())
            full << part;
    }
    w.AddText(u"FN"_s, full.join(u' '));
    if (four && person.Sex != 0)
        w.AddRaw(u"GENDER"_s, person.Sex == 2 ? u"F"_s : u"M"_s);
    else if (person.Sex != 0)
        w.AddRaw(u"X-GENDER"_s, person.Sex == 2 ? u"Female"_s : u"Male"_s);
    if (person.Birth != 0) {
        QList<std::pair<QString, QString>> params;
        const QString value = DateValue(person.Birth, person.BirthComplete, true);
        if (!person.BirthComplete && value.size() == 10)
            params.append({PartialParam, u"TRUE"_s});
        if (person.RemindBirthday != person.BirthComplete)
            params.append({RemindParam, person.RemindBirthday ? u"TRUE"_s : u"FALSE"_s});
        w.AddRaw(u"BDAY"_s, value, params);
    } else if (person.BirthdayDay != 0 && person.BirthdayMonth != 0) {
        const QString md = QStringLiteral("%1-%2").arg(person.BirthdayMonth, 2, 10, QLatin1Char('0')).arg(
            person.BirthdayDay, 2, 10, QLatin1Char('0'));
        if (four)
            w.AddRaw(u"BDAY"_s, u"--"_s + QString(md).remove(u'-'));
        else
            w.AddRaw(u"BDAY"_s, u"1604-"_s + md, {{OmitYearParam, u"1604"_s}});
    }
    if (person.Dead) {
        if (person.Death != 0)
            w.AddRaw(u"DEATHDATE"_s, DateSerial::ToDate(person.Death).toString(u"yyyy-MM-dd"_s));
        else
            w.AddRaw(u"DEATHDATE"_s, QString(), {{u"VALUE"_s, u"text"_s}});
    }
    for (const TPhone& phone : person.Phones) {
        QString type;
        switch (phone.Type) {
        case PhoneType::Mobile: type = u"CELL"_s; break;
        case PhoneType::Fax: type = u"FAX"_s; break;
        case PhoneType::PhoneFax: type = u"VOICE,FAX"_s; break;
        default: type = u"VOICE"_s; break;
        }
        QList<std::pair<QString, QString>> params;
        for (const QString& t : type.split(u','))
            params.append({u"TYPE"_s, t});
        w.AddRaw(grouped(u"TEL"_s, phone.Comment), PhoneText(phone.Number), params);
        comment(phone.Comment);
    }
    for (const TInternet& contact : person.Internet) {
        QList<std::pair<QString, QString>> params;
        QString property = u"URL"_s;
        QString value = contact.Address;
        switch (contact.Type) {
        case InternetType::Email:
            property = u"EMAIL"_s;
            params.append({u"TYPE"_s, u"INTERNET"_s});
            break;
        case InternetType::Site: break;
        case InternetType::SocialNetwork:
            property = u"X-SOCIALPROFILE"_s;
            if (!contact.Name.isEmpty())
                params.append({u"TYPE"_s, contact.Name});
            break;
        case InternetType::Messenger:
            property = u"IMPP"_s;
            if (!contact.Name.isEmpty())
                params.append({u"X-SERVICE-TYPE"_s, contact.Name});
            break;
        case InternetType::Skype:
            property = u"IMPP"_s;
            value = u"skype:"_s + value;
            break;
        default: params.append({TypeParam, QString::number(contact.Type)}); break;
        }
        if (!contact.Name.isEmpty())
            params.append({NameParam, contact.Name});
        w.AddText(grouped(property, contact.Comment), value, params);
        comment(contact.Comment);
    }
    for (const TAddress& a : person.Addresses) {
        QList<std::pair<QString, QString>> params{{u"TYPE"_s, u"HOME"_s}};
        if (!a.District.isEmpty())
            params.append({DistrictParam, a.District});
        if (!a.Current)
            params.append({CurrentParam, u"FALSE"_s});
        const QString street = a.House.isEmpty() ? a.Street : a.Street + u", д. "_s + a.House;
        const QString flat = a.Flat.isEmpty() ? QString() : u"кв. "_s + a.Flat;
        w.Add(u"ADR"_s, params, {QString(), flat, street, a.Settlement, a.Region, a.PostalIndex, a.Country});
    }
    for (const TOrganization& org : person.Organizations) {
        QList<std::pair<QString, QString>> params;
        if (!org.Form.isEmpty())
            params.append({FormParam, org.Form});
        QStringList parts{org.Name};
        if (!org.Branch.isEmpty())
            parts << org.Branch;
        w.Add(u"ORG"_s, params, parts);
        // TITLE n goes with ORG n, so every organization gets one, empty when no role is named.
        w.AddText(u"TITLE"_s, org.Title);
    }
    if (!person.Groups.isEmpty()) {
        QStringList escaped;
        for (const QString& g : person.Groups)
            escaped << VCard::Escape(g);
        w.AddRaw(u"CATEGORIES"_s, escaped.join(u','));
    }
    if (!person.Note.isEmpty())
        w.AddText(u"NOTE"_s, person.Note);
    if (!person.Photo.isEmpty()) {
        const QString data = QString::fromLatin1(person.Photo.toBase64());
        if (four)
            w.AddRaw(u"PHOTO"_s, u"data:image/jpeg;base64,"_s + data);
        else
            w.AddRaw(u"PHOTO"_s, data, {{u"ENCODING"_s, u"b"_s}, {u"TYPE"_s, u"JPEG"_s}});
    }
    w.End();
}

} // namespace VCardContact
