#include "reports/PersonReport.h"

#include "reports/ELSObject.h"
#include "reports/PrintMSG.h"
#include "reports/ReportRows.h"
#include "reports/ReportSheet.h"
#include "shell/widgets/ListModel.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/TextHelpers.h"
#include "store/kinds/AdoptiveFamilyLinkView.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/GroupView.h"
#include "store/kinds/InternetContactView.h"
#include "store/kinds/PersonView.h"
#include "store/kinds/PhoneView.h"
#include "store/kinds/ResidenceView.h"
#include "store/kinds/RoleView.h"

#include <QHash>
#include <QImage>
#include <QSet>
#include <QSqlQuery>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;
using namespace ReportRows;

namespace {

const QString ColA = u"a"_s;
const QString ColB = u"b"_s;
const QString ColD = u"d"_s;
const QString ColF = u"f"_s;

/// The photo of a dossier fits into this box over the first rows of columns a to c.
constexpr int PhotoWidth = 220;
constexpr int PhotoHeight = 170;
/// The addresses and phones of a short people list are looked up this many people at a time.
constexpr int PeopleBatch = 400;

QString Q(const QString& value)
{
    return SqlDialect::Quote(value);
}

QString PhoneWord(qint64 type)
{
    switch (type) {
    case PhoneType::Fax:
        return u"факс"_s;
    case PhoneType::PhoneFax:
        return u"тел/факс"_s;
    case PhoneType::Mobile:
        return u"мобильный"_s;
    default:
        return u"телефон"_s;
    }
}

QString InternetWord(qint64 type)
{
    switch (type) {
    case InternetType::Email:
        return u"e-mail"_s;
    case InternetType::Site:
        return u"Web сайт"_s;
    case InternetType::SocialNetwork:
        return u"Социальная сеть"_s;
    case InternetType::Messenger:
        return u"Служба сообщений"_s;
    case InternetType::Skype:
        return u"Skype"_s;
    default:
        return u"Прочее"_s;
    }
}

/// The text of a relative's line: the name, birth and death, then \a tail.
QString RelativeText(const TObjectRow& relative, bool female, const QString& tail = QString())
{
    return PersonName(relative) + LifeText(relative, female) + tail;
}

/// Writes the dossier of one person: the head block, then the sections from row 10.
class TDossier final
{
public:
    TDossier(TELSObject& writer, TMyDataBase* db, const TDBMainInfo& person)
        : m_sheet(writer)
        , m_db(db)
        , m_person(person)
        , m_id(Q(person.Obj))
    {
    }

    void Write()
    {
        Head();
        m_sheet.SetRow(10);
        Section(u"Адреса проживания"_s, &TDossier::Residences);
        Section(u"Контактная информация"_s, &TDossier::Contacts);
        Section(u"Характеристика"_s, &TDossier::Characteristic);
        Section(u"Семья и родственники"_s, &TDossier::Family);
        Section(u"Друзья, знакомые"_s, [](TDossier& d) { d.Links(Kind::Person); });
        Section(u"Учеба, работа и т.д. (связь с организациями)"_s, [](TDossier& d) { d.Links(Kind::Organization); });
        Section(u"События"_s, [](TDossier& d) { d.Links(Kind::Event); });
    }

private:
    TELSObject& Writer() const { return m_sheet.Writer(); }

    void Head()
    {
        const TConstPersonView person(m_person);
        TELSObject& w = Writer();
        // The photo over columns a to c, the head's labels against the right edge of d beside their values in
        // f, and below them the sections' labels in a and their lines of 60 characters in d.
        w.SetColumnWidth(u"a"_s, 32);
        w.SetColumnWidth(u"b"_s, 1);
        w.SetColumnWidth(u"c"_s, 1);
        w.SetColumnWidth(u"d"_s, 62);
        w.SetColumnWidth(u"e"_s, 1);
        w.SetColumnWidth(u"f"_s, 30);
        w.FitToPageWidth();
        if (!person.Photo().isEmpty()) {
            const QImage photo = QImage::fromData(person.Photo());
            if (!photo.isNull()) {
                const QRect place = FitRect(photo.size(), PhotoWidth, PhotoHeight);
                w.InsertPicture(u"a1"_s, person.Photo(), place.height(), place.width());
            }
        }
        const bool female = person.IsFemale();
        const auto line = [&w](int row, const QString& label, const QString& value) {
            w.SetText(ColD + QString::number(row), label, TCellStyle::Label);
            w.SetText(ColF + QString::number(row), value);
        };
        line(2, u"Фамилия:"_s, person.Surname());
        line(3, u"Имя:"_s, person.FirstName());
        line(4, u"Отчество:"_s, person.Patronymic());
        line(5, u"пол:"_s, female ? u"женский"_s : u"мужской"_s);
        line(6, u"Дата рождения:"_s, DateText(person.BirthDate()));
        int row = 7;
        if (person.IsDead()) {
            line(row, female ? u"Умерла:"_s : u"Умер:"_s,
                 person.DeathDate() != 0 ? DateText(person.DeathDate()) : u"X"_s);
            ++row;
        }
        if (!person.Comments().trimmed().isEmpty())
            line(row, u"Комментарий:"_s, person.Comments());
    }

    template <typename TFill> void Section(const QString& title, TFill fill)
    {
        if (Writer().IsCancelled())
            return;
        if (m_sections++ > 0)
            m_sheet.Skip();
        m_sheet.Title(title);
        if constexpr (std::is_member_function_pointer_v<TFill>)
            (this->*fill)();
        else
            fill(*this);
    }

    void Line(const QString& label, const QString& text) { m_sheet.WrappedLine(label, text, ColD); }

    void Residences()
    {
        ForEach(m_db, u"select * from AllInfo where ObjType = "_s + QString::number(Kind::Residence)
                    + u" and Link2 = "_s + m_id + u" order by Flag"_s,
                [this](const TObjectRow& row, const QSqlQuery&) {
                    const TConstResidenceView residence(row);
                    QString head = residence.Current() ? u"Проживает"_s : QString();
                    QString tail;
                    if (residence.From() != 0) {
                        const QString from = u"с:  "_s + DateText(residence.From());
                        (head.isEmpty() ? head : tail) = from;
                    }
                    if (residence.To() != 0) {
                        tail += (tail.isEmpty() ? QString() : u" "_s) + u"по: "_s + DateText(residence.To());
                        if (head.isEmpty())
                            head = u"-"_s;
                    }
                    TDBMainInfo address;
                    if (!Load(m_db, residence.Address(), address))
                        return;
                    Line(head + u' ' + tail, AddressFullText(address) + InParentheses(address.Comments));
                });
    }

    void Contacts()
    {
        const QString phones = u"select P.* from AllInfo as P"_s;
        const QString phoneKind = QString::number(Kind::Phone);
        ForEach(m_db, phones + u" where P.ObjType = "_s + phoneKind + u" and P.Link1 = "_s + m_id + u" order by P.Int1, P.Str1"_s,
                [this](const TObjectRow& row, const QSqlQuery&) {
                    const TConstPhoneView phone(row);
                    Line(PhoneWord(phone.PhoneKind()) + u':', phone.Number() + InParentheses(phone.Comments()));
                });
        ForEach(m_db, phones + u", AllInfo as R where P.ObjType = "_s + phoneKind + u" and P.Link1 = R.Link1 and R.ObjType = "_s
                    + QString::number(Kind::Residence) + u" and R.Link2 = "_s + m_id + u" and R.Flag = True order by P.Int1, P.Str1"_s,
                [this](const TObjectRow& row, const QSqlQuery&) {
                    const TConstPhoneView phone(row);
                    Line(PhoneWord(phone.PhoneKind()) + u" (домашний):"_s, phone.Number());
                });
        QSet<QString> firmPhones;
        ForEach(m_db, u"select P.*, O.Str5 as OrgName from AllInfo as P, AllInfo as R, AllInfo as RF, AllInfo as O where R.ObjType = "_s
                    + QString::number(Kind::Role) + u" and R.Link1 = "_s + m_id
                    + u" and R.Flag = True and R.D2Flag = False and RF.ObjId = R.Link5 and O.ObjId = RF.Link1 and O.ObjType = "_s
                    + QString::number(Kind::Organization) + u" and P.ObjType = "_s + phoneKind
                    + u" and P.Link1 = O.ObjId order by O.Str5, P.Int1, P.Str1"_s,
                [this, &firmPhones](const TObjectRow& row, const QSqlQuery& all) {
                    // A person with two roles in one organization reaches its phones once.
                    if (firmPhones.contains(row.Obj.Text().toUpper()))
                        return;
                    firmPhones.insert(row.Obj.Text().toUpper());
                    const TConstPhoneView phone(row);
                    Line(PhoneWord(phone.PhoneKind()) + u" (рабочий):"_s,
                         phone.Number() + InParentheses(all.value(u"OrgName"_s).toString()));
                });
        ForEach(m_db, u"select * from AllInfo where ObjType = "_s + QString::number(Kind::InternetContact) + u" and Link1 = "_s
                    + m_id + u" order by Int1, Str1"_s,
                [this](const TObjectRow& row, const QSqlQuery&) {
                    const TConstInternetContactView contact(row);
                    Line(InternetWord(contact.ContactType()) + InParentheses(contact.Name()) + u':', contact.Address());
                });
    }

    /// The role rows of the person with their groups, ordered by group type, group name and start; \a other
    /// narrows them (a condition on R, the role row).
    void Roles(const QString& from, const QString& other,
               const std::function<void(const TObjectRow& role, const QSqlQuery& all)>& each)
    {
        QString lastGroup;
        bool first = true;
        ForEach(m_db, u"select R.*, G.Str1 as GrpName, G.Int1 as GrpType"_s + from + u" from AllInfo as R, AllInfo as G"_s
                    + other + u" and R.ObjType = "_s + QString::number(Kind::Role) + u" and R.Link1 = "_s + m_id
                    + u" and G.ObjId = R.Link2 order by G.Int1, G.Str1, R.Date1"_s,
                [&](const TObjectRow& row, const QSqlQuery& all) {
                    const TConstRoleView role(row);
                    if (first || !SameId(lastGroup, role.Group())) {
                        first = false;
                        lastGroup = role.Group();
                        const bool project = all.value(u"GrpType"_s).toLongLong() == GroupType::Project;
                        Line(project ? u"Проект:"_s : u"Группа:"_s, all.value(u"GrpName"_s).toString());
                    }
                    each(row, all);
                });
    }

    void Characteristic()
    {
        Roles(QString(), u" where R.Link5 = "_s + Q(Ids::None), [this](const TObjectRow& row, const QSqlQuery&) {
            const TConstRoleView role(row);
            Line(PeriodLabel(role.From(), role.To()), role.Name());
        });
    }

    void Links(int kind)
    {
        Roles(u", RF.Link1 as OtherId"_s,
              u", AllInfo as RF, AllInfo as O where RF.ObjId = R.Link5 and O.ObjId = RF.Link1 and O.ObjType = "_s
                  + QString::number(kind),
              [this, kind](const TObjectRow& row, const QSqlQuery& all) {
                  const TConstRoleView role(row);
                  TDBMainInfo other;
                  if (!Load(m_db, all.value(u"OtherId"_s).toString(), other))
                      return;
                  const QString name = kind == Kind::Person
                      ? RelativeText(other, TConstPersonView(other).IsFemale())
                      : other.Str5;
                  const QString roleName = role.Name().trimmed() == u"-"_s ? QString() : role.Name().trimmed();
                  const QString period = PeriodLabel(role.From(), role.To());
                  if (roleName.isEmpty())
                      Line(period, name);
                  else if (!period.isEmpty())
                      Line(period, roleName + u": "_s + name);
                  else
                      Line(roleName + u": "_s, name);
              });
    }

    /// A relative's line, or nothing when \a id names nobody.
    void Relative(const QString& id, const std::function<void(const TObjectRow& relative)>& write)
    {
        TDBMainInfo relative;
        if (Load(m_db, id, relative))
            write(relative);
    }

    /// A line whose relation word starts the text when the link's period is the label.
    void PeriodLine(const QString& period, const QString& word, const QString& text)
    {
        if (period != Period(0, 0))
            Line(period, word + text);
        else
            Line(word, text);
    }

    void Family()
    {
        const TConstPersonView person(m_person);
        const QString personKind = QString::number(Kind::Person);
        const QString familyKind = QString::number(Kind::Family);
        const QString adoptionKind = QString::number(Kind::AdoptiveFamilyLink);
        TDBMainInfo native;
        const bool hasNative = Load(m_db, person.NativeFamily(), native);
        const QString father = hasNative ? FamilyView(native).Husband().Text() : QString();
        const QString mother = hasNative ? FamilyView(native).Wife().Text() : QString();
        Relative(father, [this](const TObjectRow& r) { Line(u"отец:"_s, RelativeText(r, false, InParentheses(r.Comments))); });
        Relative(mother, [this](const TObjectRow& r) { Line(u"мать:"_s, RelativeText(r, true, InParentheses(r.Comments))); });

        // Foster parents, and the adoptive families the step-siblings come from.
        std::vector<std::pair<QString, QString>> adoptiveFamilies;
        ForEach(m_db, u"select * from AllInfo where ObjType = "_s + adoptionKind + u" and Link2 = "_s + m_id + u" order by Date1"_s,
                [&](const TObjectRow& row, const QSqlQuery&) {
                    const TConstAdoptiveFamilyLinkView link(row);
                    TDBMainInfo family;
                    if (!Load(m_db, link.Family(), family))
                        return;
                    const TConstFamilyView adoptive(family);
                    adoptiveFamilies.emplace_back(family.Obj.Text(), adoptive.HusbandName() + u' ' + adoptive.WifeName());
                    const QString period = Period(link.From(), link.To());
                    const auto same = [](const QString& a, const QString& b) { return !IsEmptyId(a) && SameId(a, b); };
                    if (!IsEmptyId(adoptive.Husband()) && !SameId(adoptive.Husband(), father))
                        Relative(adoptive.Husband(), [&](const TObjectRow& r) {
                            PeriodLine(period, same(adoptive.Wife(), mother) ? u"отчим: "_s : u"Названный отец: "_s,
                                       RelativeText(r, false, InParentheses(r.Comments)));
                        });
                    if (!IsEmptyId(adoptive.Wife()) && !SameId(adoptive.Wife(), mother))
                        Relative(adoptive.Wife(), [&](const TObjectRow& r) {
                            PeriodLine(period, same(adoptive.Husband(), father) ? u"мачеха: "_s : u"Названная мать: "_s,
                                       RelativeText(r, true, InParentheses(r.Comments)));
                        });
                });

        const auto sexWord = [](const TObjectRow& r, const QString& she, const QString& he) {
            return TConstPersonView(r).IsFemale() ? she : he;
        };
        const auto female = [](const TObjectRow& r) { return TConstPersonView(r).IsFemale(); };
        if (hasNative)
            ForEach(m_db, u"select * from AllInfo where ObjType = "_s + personKind + u" and Link1 = "_s + Q(native.Obj)
                       + u" and ObjId <> "_s + m_id + u" order by Date1, Str1, Str2"_s,
                   [&](const TObjectRow& r, const QSqlQuery&) {
                       Line(sexWord(r, u"сестра:"_s, u"брат:"_s), RelativeText(r, female(r)));
                   });
        for (const auto& [family, names] : adoptiveFamilies)
            ForEach(m_db, u"select * from AllInfo where ObjType = "_s + personKind + u" and ObjId <> "_s + m_id + u" and (Link1 = "_s
                       + Q(family) + u" or ObjId in (select Link2 from AllInfo where ObjType = "_s + adoptionKind
                       + u" and Link1 = "_s + Q(family) + u")) order by Date1, Str1, Str2"_s,
                   [&](const TObjectRow& r, const QSqlQuery&) {
                       Line(sexWord(r, u"Сводная сестра:"_s, u"Сводный брат:"_s),
                            RelativeText(r, female(r), InParentheses(u"семья: "_s + names)));
                   });
        for (const QString& godparent : {person.Godfather().Text(), person.Godmother().Text()})
            Relative(godparent, [&](const TObjectRow& r) {
                Line(sexWord(r, u"крестная:"_s, u"крестный:"_s), RelativeText(r, female(r), u" ( )"_s));
            });
        for (const auto& [self, partner] : {std::pair(u"Link2"_s, u"Link1"_s), std::pair(u"Link1"_s, u"Link2"_s)})
            ForEach(m_db, u"select * from AllInfo where ObjType = "_s + familyKind + u" and "_s + self + u" = "_s + m_id
                        + u" order by Date1"_s,
                    [&](const TObjectRow& row, const QSqlQuery&) {
                        const TConstFamilyView family(row);
                        const qint64 status = family.Status() - 1;
                        const QString statusText = status >= 0 && status < FamilyStatus::Captions().size()
                            ? FamilyStatus::Captions().at(status)
                            : QString();
                        Relative(partner == u"Link1"_s ? family.Husband() : family.Wife(), [&](const TObjectRow& r) {
                            PeriodLine(Period(family.Start(), family.End()), sexWord(r, u"супруга: "_s, u"супруг: "_s),
                                       RelativeText(r, female(r), InParentheses(statusText)));
                        });
                    });
        const QString ownFamilies = u"F.ObjType = "_s + familyKind + u" and (F.Link1 = "_s + m_id + u" or F.Link2 = "_s + m_id + u')';
        ForEach(m_db, u"select C.*, F.Str1 as FStr1, F.Str2 as FStr2 from AllInfo as C, AllInfo as F where C.ObjType = "_s + personKind
                   + u" and F.ObjId = C.Link1 and "_s + ownFamilies + u" order by C.Date1, C.Str1, C.Str2"_s,
               [&](const TObjectRow& r, const QSqlQuery& all) {
                   Line(sexWord(r, u"дочь:"_s, u"сын:"_s),
                        RelativeText(r, female(r),
                                     InParentheses(all.value(u"FStr1"_s).toString() + u' ' + all.value(u"FStr2"_s).toString())));
               });
        ForEach(m_db, u"select C.* from AllInfo as C, AllInfo as L, AllInfo as F where L.ObjType = "_s + adoptionKind
                   + u" and C.ObjId = L.Link2 and C.ObjType = "_s + personKind + u" and F.ObjId = L.Link1 and "_s + ownFamilies
                   + u" order by C.Date1, C.Str1, C.Str2"_s,
               [&](const TObjectRow& r, const QSqlQuery&) {
                   QString birthFamily;
                   TDBMainInfo family;
                   if (Load(m_db, TConstPersonView(r).NativeFamily(), family))
                       birthFamily = QString(family.Str1 + u' ' + family.Str2).trimmed();
                   Line(sexWord(r, u"Приемная дочь:"_s, u"Приемный сын:"_s), RelativeText(r, female(r), InParentheses(birthFamily)));
               });
    }

    TReportSheet m_sheet;
    TMyDataBase* m_db;
    const TDBMainInfo& m_person;
    const QString m_id;
    int m_sections = 0;
};

struct TListedPerson
{
    TObjectRow Row;
    QString Address;
    double AddressFrom = -1; ///< the start of the residence whose address is kept
    QList<std::pair<qint64, QString>> Phones; ///< type and number, then the role
};

/**
 * Reads the current address (the residence begun last) and the phones of the living among \a people. A short
 * list looks them up by the people's ids, a batch at a time; a long one reads every current residence and
 * every phone of people once, which costs less than looking each of them up.
 */
void ReadContacts(TMyDataBase* db, std::vector<TListedPerson>& people, int wholeTableFrom)
{
    QHash<QString, TListedPerson*> byId;
    QStringList ids;
    for (TListedPerson& person : people) {
        if (person.Row.D2Flag || IsEmptyId(person.Row.Obj))
            continue;
        byId.insert(person.Row.Obj.Text().toUpper(), &person);
        ids.append(Q(person.Row.Obj));
    }
    const auto read = [db, &byId](const QString& residents, const QString& owners) {
        // Only the columns written are read; the resident comes first, read by position on every row.
        ForEach(db, u"select R.Link2 as Resident, R.Date1 as LivesFrom, A.ObjId, A.Link5, A.Str1, A.Str2, A.Str3, A.Str4, "
                    "A.Str5, A.Link4, A.Link3, A.Foto from AllInfo as R, AllInfo as A where R.ObjType = "_s
                    + QString::number(Kind::Residence) + u" and R.Flag = True and A.ObjId = R.Link1"_s + residents,
                [&byId](const TObjectRow& address, const QSqlQuery& all) {
                    TListedPerson* person = byId.value(all.value(0).toString().toUpper());
                    const double from = all.value(1).toDouble();
                    if (person && from > person->AddressFrom) {
                        person->Address = AddressFullText(address);
                        person->AddressFrom = from;
                    }
                });
        ForEach(db, u"select Link1, Int1, Str1, Str2 from AllInfo where ObjType = "_s + QString::number(Kind::Phone) + owners,
                [&byId](const TObjectRow& row, const QSqlQuery&) {
                    const TConstPhoneView phone(row);
                    if (TListedPerson* person = byId.value(phone.Owner().Text().toUpper()))
                        person->Phones.append(
                            {phone.PhoneKind(), QString(u'(' + phone.Number().trimmed() + u") "_s + phone.Role()).trimmed()});
                });
    };
    if (ids.size() >= wholeTableFrom) {
        read(QString(), u" and Int2 = "_s + QString::number(Kind::Person));
    } else {
        for (qsizetype first = 0; first < ids.size(); first += PeopleBatch) {
            const QString in = u" in ("_s + ids.mid(first, PeopleBatch).join(u", "_s) + u')';
            read(u" and R.Link2"_s + in, u" and Link1"_s + in);
        }
    }
    for (TListedPerson& person : people)
        std::sort(person.Phones.begin(), person.Phones.end());
}

void WriteListed(TReportSheet& sheet, const std::vector<TListedPerson>& people, int& number)
{
    for (const TListedPerson& listed : people) {
        if (sheet.Writer().IsCancelled())
            return;
        const TConstPersonView person(listed.Row);
        sheet.WrappedLine(u'\'' + QString::number(++number), RelativeText(listed.Row, person.IsFemale(),
                                                                         InParentheses(person.Comments())), ColB);
        if (!person.IsDead()) {
            sheet.WrappedLine(QString(), listed.Address, ColB);
            QStringList phones;
            for (const auto& phone : listed.Phones)
                phones.append(phone.second);
            sheet.WrappedLine(QString(), phones.join(u", "_s), ColB);
        }
    }
}

} // namespace

namespace PersonReport {

void WriteDossier(TELSObject& writer, TMyDataBase* db, const QString& id)
{
    TDBMainInfo person;
    if (!Load(db, id, person))
        return;
    TDossier(writer, db, person).Write();
}

QString PrintDossier(TMyDataBase* db, const QString& id)
{
    TDBMainInfo person;
    if (!Load(db, id, person))
        return QString();
    return Reports::Run(u"Досье "_s + person.Str5, false, [db, &id](TELSObject& writer) { WriteDossier(writer, db, id); });
}

void WritePeopleList(TELSObject& writer, TMyDataBase* db, const QString& sql, int wholeTableFrom)
{
    writer.SetColumnWidth(u"a"_s, 8);
    writer.SetColumnWidth(u"b"_s, 90);
    writer.FitToPageWidth();
    writer.SetText(u"b1"_s, u"Результат поиска"_s, TCellStyle::Title);
    std::vector<TListedPerson> people;
    ForEach(db, sql, [&people](const TObjectRow& row, const QSqlQuery&) {
        people.push_back(TListedPerson{row, QString(), -1, {}});
        // The photos are not written; a long list keeps no picture in memory.
        people.back().Row.Foto.clear();
    });
    ReadContacts(db, people, wholeTableFrom);
    TReportSheet sheet(writer, 3);
    int number = 0;
    WriteListed(sheet, people, number);
}

QString PrintPeopleList(const TListModel& rows)
{
    TMyDataBase* db = rows.Database();
    const QString sql = rows.Statement();
    if (sql.isEmpty())
        return QString();
    return Reports::Run(u"Список людей"_s, true, [db, &sql](TELSObject& writer) { WritePeopleList(writer, db, sql); });
}

} // namespace PersonReport
