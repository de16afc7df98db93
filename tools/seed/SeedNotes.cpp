// Notes and their attachments to objects.

#include "tools/seed/SeedPlan.h"

#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/kinds/NoteLinkView.h"
#include "store/kinds/NoteView.h"

namespace SeedPlan {

TRef TSeedPlan::RandomObject()
{
    const int roll = R.Below(100);
    if (roll < 50)
        return Ref(BPerson, R.Below(People.size()));
    if (roll < 65)
        return Ref(BOrg, R.Below(Orgs.size()));
    if (roll < 80 && !Events.empty())
        return Ref(BEvent, R.Below(Events.size()));
    if (roll < 92 && !Families.empty())
        return Ref(BFamily, R.Below(Families.size()));
    return Ref(BAddress, R.Below(Addresses.size()));
}

void TSeedPlan::PlanNotes()
{
    for (int i = 0; i < P.Notes; ++i) {
        TNote n;
        n.Title = R.Pick(NoteTitles()).left(25);
        n.Type = R.Weighted({60, 15, 15, 10}) + 1;
        const QString folder = u"/home/user/Документы/"_s;
        if (n.Type == NoteType::Folder)
            n.Attachment = folder + n.Title;
        else if (n.Type == NoteType::File)
            n.Attachment = folder + n.Title + (R.Percent(50) ? u".pdf"_s : u".docx"_s);
        else if (n.Type == NoteType::WebAddress)
            n.Attachment = u"https://www."_s + Transliterate(n.Title).left(12) + u".ru/"_s;
        const int roll = R.Below(100);
        if (roll < 40)
            n.Group = Ref(BGroup, R.Pick(NoteGroupIndex));
        else if (roll < 60 && !Projects.empty())
            n.Group = Ref(BGroup, R.Pick(Projects));
        const int sentences = R.Percent(12) ? R.Between(6, 14) : R.Between(1, 3);
        QStringList text;
        for (int k = 0; k < sentences; ++k)
            text << R.Pick(NoteSentences());
        n.Text = text.join(u' ').left(1000);
        const qint64 u = R.Below(1000);
        const int day = Today - static_cast<int>(P.EventYears * 365 * u * u / 1000000);
        n.Created = Clamp(SecsOf(std::max(day, HistoryStart), R.Between(7 * 3600, 23 * 3600)));
        n.Date = DateSerial::FromDateTime(QDateTime::fromSecsSinceEpoch(n.Created, Qt::UTC));
        Notes.push_back(n);
        const int note = static_cast<int>(Notes.size()) - 1;
        if (R.Percent(70)) {
            const int links = R.Weighted({60, 30, 10}) + 1;
            for (int k = 0; k < links; ++k) {
                TNoteLink l;
                l.Note = note;
                if (note > 0 && R.Percent(5)) {
                    l.Object = Ref(BNote, R.Below(note));
                    l.BothWays = true;
                } else {
                    l.Object = RandomObject();
                }
                NoteLinks.push_back(l);
            }
        }
    }
}

void TSeedPlan::FillNote(TObjectRow& r, qint32 index) const
{
    const TNote& n = Notes[index];
    Prepare(r, Kind::Note, Id(Ref(BNote, index)));
    const TNoteView note(r);
    note.SetTitle(n.Title);
    note.SetNoteKind(n.Type);
    note.SetAttachment(n.Attachment);
    note.SetGroup(Id(n.Group));
    note.SetText(n.Text);
    note.SetDate(n.Date);
    note.SetHasDate(true);
}

void TSeedPlan::FillNoteLink(TObjectRow& r, qint32 index, int part) const
{
    const TNoteLink& l = NoteLinks[index];
    Prepare(r, Kind::NoteLink, Id(Ref(BNoteLink, index), part));
    const TNoteLinkView link(r);
    // The second row of a two-way link starts from the object.
    const QString note = Id(Ref(BNote, l.Note));
    link.SetNote(part == 0 ? note : Id(l.Object));
    link.SetObject(part == 0 ? Id(l.Object) : note);
    link.SetLinked(l.Date);
    link.SetHasLinked(true);
}

} // namespace SeedPlan
