#include "reports/EventReport.h"

#include "reports/ELSObject.h"
#include "reports/PrintMSG.h"
#include "reports/ReportRows.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/EventView.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;
using namespace ReportRows;

namespace EventReport {

void Write(TELSObject& writer, TMyDataBase* db, const QString& id)
{
    TDBMainInfo row;
    if (!Load(db, id, row))
        return;
    const TConstEventView event(row);
    writer.SetColumnWidth(u"a"_s, 22);
    writer.SetColumnWidth(u"b"_s, 40);
    writer.SetColumnWidth(u"c"_s, 24);
    writer.SetColumnWidth(u"d"_s, 24);
    writer.SetColumnWidth(u"e"_s, 24);
    writer.SetColumnWidth(u"f"_s, 30);
    writer.FitToPageWidth(true);
    const auto field = [&writer](int line, const QString& label, const QString& value) {
        writer.SetText(u"a"_s + QString::number(line), label, TCellStyle::Label);
        writer.SetText(u"b"_s + QString::number(line), value);
    };
    const auto nameOf = [db](const QString& objectId, int column) {
        TDBMainInfo object;
        return Load(db, objectId, object) ? object.Str(column) : QString();
    };
    field(1, u"Дата"_s, DateText(event.Start()));
    field(2, u"Название"_s, event.Name());
    field(3, u"Проект"_s, nameOf(event.Project(), 1));
    // The report names the types up to a parcel; "other events" are left without a caption.
    field(4, u"Тип"_s, event.EventKind() <= EventType::Parcel ? EventType::Caption(event.EventKind()) : QString());
    if (event.EventKind() > EventType::Meeting) {
        if (event.Direction() == EventDirection::Outgoing)
            writer.SetText(u"c4"_s, u"Исходящ."_s);
        else if (event.Direction() == EventDirection::Incoming)
            writer.SetText(u"c4"_s, u"Входящ."_s);
    }
    field(5, u"Место проведения"_s, event.HasFreePlace() ? event.FreePlace() : nameOf(event.Host(), 5));
    if (!event.HasFreePlace()) {
        TDBMainInfo address;
        if (Load(db, event.MeetingAddress(), address))
            writer.SetText(u"b6"_s, AddressFullText(address));
    }
    field(7, u"Цель"_s, event.Aim());
    field(8, u"Результат"_s, event.Result());
    field(9, u"Комментарий"_s, event.Comments());

    writer.SetText(u"a11"_s, u"Участники, роли, результат"_s, TCellStyle::Title);
    const QStringList heads{u"№№"_s, u"Ф.И.О. (Название организации)"_s, u"Группа"_s, u"Роль"_s, u"Результат"_s, u"От кого"_s};
    const QStringList columns{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u"f"_s};
    for (qsizetype i = 0; i < heads.size(); ++i)
        writer.SetText(columns.at(i) + u"12"_s, heads.at(i), TCellStyle::Bold);
    // The group and the "from whom" object are read by sub-selects, so that a role row naming nobody there
    // still lists its participant.
    const QString sql = u"select O.Str5 as ObjName, (select G.Str1 from AllInfo as G where G.ObjId = E.Link2) as GrpName, "
                        u"P.Str1 as Role, E.Str1 as Result, (select S.Str5 from AllInfo as S where S.ObjId = P.Link3) as Sponsor "
                        u"from AllInfo as E, AllInfo as P, AllInfo as O where E.ObjType = "_s
        + QString::number(Kind::Role) + u" and E.Link1 = "_s + SqlDialect::Quote(row.Obj) + u" and P.ObjId = E.Link5 and (P.Int1 = "_s
        + QString::number(Kind::Person) + u" or P.Int1 = "_s + QString::number(Kind::Organization)
        + u") and O.ObjId = P.Link1 order by GrpName, ObjName, Role, Result"_s;
    int line = 13;
    int number = 0;
    ForEach(db, sql, [&](const TObjectRow&, const QSqlQuery& all) {
        const QString at = QString::number(line++);
        writer.SetNumber(u"a"_s + at, ++number);
        writer.SetText(u"b"_s + at, all.value(u"ObjName"_s).toString());
        writer.SetText(u"c"_s + at, all.value(u"GrpName"_s).toString());
        writer.SetText(u"d"_s + at, all.value(u"Role"_s).toString());
        writer.SetText(u"e"_s + at, all.value(u"Result"_s).toString());
        writer.SetText(u"f"_s + at, all.value(u"Sponsor"_s).toString());
    });
}

QString Print(TMyDataBase* db, const QString& id)
{
    TDBMainInfo event;
    if (!Load(db, id, event))
        return QString();
    return Reports::Run(u"Событие "_s + event.Str1, false, [db, &id](TELSObject& writer) { Write(writer, db, id); });
}

} // namespace EventReport
