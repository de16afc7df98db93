// The note screens: the note text over its four columns, the note editor's refusals and type switch, the
// file picker's mask, attachments opened through the desktop, the link rules of the notes section and of the
// objects of a note with their two-way links, the period filter, and a note written from a person's card in
// the real main window.
#include "activities/EditMemo.h"
#include "activities/FindMemo.h"
#include "activities/FindMemoLinks.h"
#include "activities/GroupScreens.h"
#include "activities/MemoObjFrame.h"
#include "activities/MyDirectoryList.h"
#include "activities/NoteScreens.h"
#include "activities/ZorvinSelectDir.h"
#include "activities/ZorvinSelectFiles.h"
#include "contacts/ContactScreens.h"
#include "contacts/PeopleObjFrame.h"
#include "contacts/PersonSections.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/FindModalForm.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/mainwindow/Main.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "shell/widgets/TimeEdit.h"
#include "store/CascadeDelete.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SettingsFile.h"
#include "store/kinds/NoteLinkView.h"
#include "store/kinds/NoteView.h"
#include "store/kinds/PersonView.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/ScriptedBroker.h"
#include "tests/support/ScriptedDesktop.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QString SavedNote(const QString& title, const QString& text = QString(), double date = 0, qint64 type = NoteType::Plain,
    const QString& attachment = QString())
{
    TDBMainInfo row;
    row.ObjType = Kind::Note;
    const TNoteView note(row);
    note.SetTitle(title);
    note.SetText(text);
    note.SetNoteKind(type);
    note.SetAttachment(attachment);
    note.SetGroup(QString(Ids::None));
    note.SetDate(date);
    note.SetHasDate(date != 0);
    return row.Save() == 0 ? row.Obj.Text() : QString();
}

QString SavedPerson(const QString& surname)
{
    TDBMainInfo row;
    row.ObjType = Kind::Person;
    PersonView(row).SetSurname(surname);
    return row.Save() == 0 ? row.Obj.Text() : QString();
}

// "link1>link2" for every note link, sorted.
QStringList NoteLinks()
{
    QStringList links;
    auto q = TMyDataBase::QueryOn(nullptr, u"select Link1, Link2 from AllInfo where ObjType = 34"_s);
    while (q && q->next())
        links << q->value(0).toString() + u'>' + q->value(1).toString();
    links.sort();
    return links;
}

QString Titles(TMyDBGrid* grid)
{
    QStringList names;
    for (int i = 0; i < grid->Model()->RecordCount(); ++i)
        names << grid->Model()->Row(i).Text(u"Str1"_s);
    return names.join(u'|');
}

// Picks the object \a id in the next pick dialog.
TScriptedBroker::TEffect Pick(const QString& id)
{
    return [id](TDBMainInfo& record) { record.SetObj(id); };
}

void ShowActive(QWidget& widget)
{
    widget.show();
    QApplication::setActiveWindow(&widget);
    QVERIFY(QTest::qWaitForWindowActive(&widget));
}

} // namespace

class TestNotes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }
    void init();
    void cleanup();
    void textSplitsAtEveryBoundary_data();
    void textSplitsAtEveryBoundary();
    void editorKeepsTheTextAndRefuses();
    void filePickerListsByMask();
    void attachmentsOpenThroughTheDesktop();
    void notesSectionLinkRules();
    void objectsOfANoteLinkBothWays();
    void periodTakesInItsLastDay();
    void noteFromAPersonCardInTheMainWindow();

private:
    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
};

void TestNotes::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    RegisterContactScreens();
    RegisterGroupScreens();
    RegisterNoteScreens();
}

void TestNotes::cleanup()
{
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

void TestNotes::textSplitsAtEveryBoundary_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("sizes");
    const QString a(1000, u'а');
    const QString emoji = u"\U0001F600"_s;
    QTest::newRow("600 plain") << a.left(600) << QList<int> {255, 255, 90, 0};
    QTest::newRow("1000 plain") << a << QList<int> {255, 255, 255, 235};
    for (int boundary : {255, 510, 765}) {
        // A pair whose first half would end a part goes whole into the next one.
        QString pair = a.left(boundary - 1) + emoji + a.left(20);
        QList<int> sizes {255, 255, 255, 0};
        sizes[boundary / 255 - 1] = 254;
        sizes[boundary / 255 < 3 ? boundary / 255 : 3] += 1;
        int rest = static_cast<int>(pair.size());
        for (int i = 0; i < 3; ++i) {
            sizes[i] = qMin(sizes[i], rest);
            rest -= sizes[i];
        }
        sizes[3] = rest;
        QTest::newRow(qPrintable(u"surrogate at %1"_s.arg(boundary))) << pair << sizes;
        QTest::newRow(qPrintable(u"CR LF at %1"_s.arg(boundary)))
            << a.left(boundary - 1) + u"\r\n"_s + a.left(20) << sizes;
    }
    QTest::newRow("pair just inside") << a.left(253) + emoji + a.left(300) << QList<int> {255, 255, 45, 0};
}

void TestNotes::textSplitsAtEveryBoundary()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, sizes);
    const std::array<QString, 4> parts = NoteTextParts(text, TNoteView::TextPart);
    QCOMPARE(
        (QList<int> {int(parts[0].size()), int(parts[1].size()), int(parts[2].size()), int(parts[3].size())}), sizes);
    for (const QString& part : parts) {
        QVERIFY(part.isEmpty() || !part.back().isHighSurrogate());
        QVERIFY(part.isEmpty() || !part.front().isLowSurrogate());
    }
    // Written and read back through the database, the text is the same to the last character.
    const QString id = SavedNote(u"Текст"_s, text);
    QVERIFY(!id.isEmpty());
    TDBMainInfo loaded;
    QVERIFY(loaded.SetObj(id));
    QCOMPARE(NoteView(loaded).Text(), text);
}

void TestNotes::editorKeepsTheTextAndRefuses()
{
    // A stored text with CR LF across the first boundary and a pair across the second shows as the user
    // typed it and is stored back unchanged by a save.
    const QString a(400, u'ы');
    const QString stored = a.left(254) + u"\r\n"_s + a.left(254) + u"\U0001F600"_s + a.left(100);
    const QString id = SavedNote(
        u"Старая"_s, stored, DateSerial::FromDate(QDate(2020, 3, 4)), NoteType::File, u"/home/user/plan.odt"_s);
    TDBMainInfo note;
    QVERIFY(note.SetObj(id));
    {
        TMainModalForm dialog;
        dialog.DBMain()->Assign(&note);
        auto* editor = dynamic_cast<TFEditMemo*>(dialog.Frame());
        QVERIFY(editor);
        ShowActive(dialog);
        QCOMPARE(dialog.windowTitle(), u"Новая заметка"_s);
        const QString shown = editor->mComments()->toPlainText();
        QCOMPARE(shown, QString(stored).replace(u"\r\n"_s, u"\n"_s));
        QVERIFY(editor->Panel1()->isVisible());
        QCOMPARE(editor->Label4()->text(), u"Файл"_s);
        QCOMPARE(editor->DirSelect()->DirName()->text(), u"/home/user/plan.odt"_s);
        QVERIFY(editor->DirSelect()->DirName()->isReadOnly());
        QCOMPARE(editor->dtStart()->eDT()->text(), u"04.03.2020"_s);
        // Another type by keys: a folder, whose path starts empty and is required.
        editor->mType()->setFocus();
        QTest::keyClick(editor->mType(), Qt::Key_Up);
        QCOMPARE(editor->mType()->currentText(), u"Ссылка на папку"_s);
        QCOMPARE(editor->Label4()->text(), u"Папка"_s);
        QCOMPARE(editor->DirSelect()->DirName()->text(), QString());
        dialog.AOkExecute();
        QCOMPARE(m_messages->Shown(), QStringList {u"Укажите папку!"_s});
        QCOMPARE(QApplication::focusWidget(), editor->DirSelect()->DirName());
        // Back to a plain note: no attachment, nothing to ask for; the title may not be blank.
        m_messages->ClearShown();
        editor->mType()->setFocus();
        QTest::keyClick(editor->mType(), Qt::Key_Up);
        QVERIFY(!editor->Panel1()->isVisible());
        editor->eName()->setFocus();
        editor->eName()->selectAll();
        QTest::keyClick(editor->eName(), Qt::Key_Delete);
        TypeText(editor->eName(), u"   "_s);
        dialog.AOkExecute();
        QCOMPARE(m_messages->Shown(), QStringList {u"Укажите название заметки!"_s});
        QCOMPARE(QApplication::focusWidget(), editor->eName());
        TypeText(editor->eName(), u"Новая"_s);
        dialog.AOkExecute();
        QCOMPARE(m_messages->Shown().size(), 1);
        QVERIFY(!dialog.isVisible());
    }
    QVERIFY(note.SetObj(id));
    const TConstNoteView saved(note);
    QCOMPARE(saved.Title(), u"Новая"_s);
    QCOMPARE(saved.NoteKind(), qint64(NoteType::Plain));
    QCOMPARE(saved.Attachment(), QString());
    QCOMPARE(saved.Text(), QString(stored).replace(u"\r\n"_s, u"\n"_s));
    QCOMPARE(saved.Date(), DateSerial::FromDate(QDate(2020, 3, 4)));

    // A new note: plain, dated today, without an attachment field; a web note needs its address.
    TDBMainInfo fresh;
    fresh.ObjType = Kind::Note;
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&fresh);
    auto* editor = dynamic_cast<TFEditMemo*>(dialog.Frame());
    QVERIFY(editor);
    ShowActive(dialog);
    QCOMPARE(editor->mType()->currentText(), u"Обычная заметка"_s);
    QVERIFY(!editor->Panel1()->isVisible());
    QCOMPARE(editor->dtStart()->eDT()->text(), DateSerial::DateText(DateSerial::Today()));
    QCOMPARE(editor->cbGroup()->currentText(), u"Группа не указана"_s);
    editor->eName()->setFocus();
    TypeText(editor->eName(), u"Сайт"_s);
    editor->mType()->setFocus();
    QTest::keyClick(editor->mType(), Qt::Key_End);
    QVERIFY(!editor->DirSelect()->DirName()->isReadOnly());
    QVERIFY(!editor->DirSelect()->tbFind()->isVisible());
    m_messages->ClearShown();
    dialog.AOkExecute();
    QCOMPARE(m_messages->Shown(), QStringList {u"Укажите сайт!"_s});
    TypeText(editor->DirSelect()->DirName(), u"www.example.ru"_s);
    editor->mComments()->setFocus();
    TypeText(editor->mComments(), QString(1100, u'щ'));
    QCOMPARE(editor->mComments()->toPlainText().size(), TFEditMemo::TextLength);
    dialog.AOkExecute();
    QVERIFY(!dialog.isVisible());
    QVERIFY(fresh.SetObj(dialog.DBMain()->Obj));
    QCOMPARE(TConstNoteView(fresh).Attachment(), u"www.example.ru"_s);
    QCOMPARE(fresh.Str3.size(), 255);
    QCOMPARE(fresh.Comments.size(), 1000 - 765);
    QCOMPARE(QString(TConstNoteView(fresh).Group()), Ids::None);
}

void TestNotes::filePickerListsByMask()
{
    // The mask's entries, lower-cased, each from a "." to the next ";".
    QCOMPARE(TFZorvinSelectFiles::MaskEntries(u"*.TXT;*.doc"_s), (QStringList {u".txt"_s, u".doc"_s}));
    QVERIFY(TFZorvinSelectFiles::MaskAccepts(QString(), u"anything"_s));
    QVERIFY(!TFZorvinSelectFiles::MaskAccepts(u"*.txt"_s, u"README"_s));

    QTemporaryDir folder;
    for (const QString& name : {u"a.txt"_s, u"B.TXT"_s, u"c.doc"_s, u"d.docx"_s, u"e"_s, u"f.Doc"_s, u"g.txt.bak"_s}) {
        QFile file(QDir(folder.path()).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    TDBMainInfo request;
    request.ObjType = TMyDirectoryList::FileDialog;
    request.Str1 = QDir(folder.path()).filePath(u"c.doc"_s);
    request.Str2 = u"*.TXT;*.doc"_s;
    TMainModalForm dialog;
    dialog.DBMain()->Assign(&request);
    auto* picker = dynamic_cast<TFZorvinSelectFiles*>(dialog.Frame());
    QVERIFY(picker);
    QCOMPARE(dialog.windowTitle(), u"Выбор файла"_s);
    QCOMPARE(picker->ListedFiles(), (QStringList {u"a.txt"_s, u"B.TXT"_s, u"c.doc"_s, u"f.Doc"_s}));
    QCOMPARE(picker->FilesList()->currentItem()->text(0), u"c.doc"_s);
    ShowActive(dialog);
    // A file chosen by keys and Enter is the dialog's answer; nothing is written.
    picker->FilesList()->setFocus();
    QTest::keyClick(picker->FilesList(), Qt::Key_Home);
    QCOMPARE(picker->mPath()->text(), QDir(folder.path()).filePath(u"a.txt"_s));
    const QString before = m_fixture->Dump();
    QTest::keyClick(picker->FilesList(), Qt::Key_Return);
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.DBMain()->ObjType, 0);
    QCOMPARE(dialog.DBMain()->Str1, QDir(folder.path()).filePath(u"a.txt"_s));
    QCOMPARE(m_fixture->Dump(), before);

    // The folder picker: a folder must be chosen.
    TDBMainInfo folderRequest;
    folderRequest.ObjType = TMyDirectoryList::FolderDialog;
    TMainModalForm folders;
    folders.DBMain()->Assign(&folderRequest);
    auto* dirs = dynamic_cast<TZorvinSelectDir*>(folders.Frame());
    QVERIFY(dirs);
    ShowActive(folders);
    m_messages->ClearShown();
    folders.AOkExecute();
    QCOMPARE(m_messages->Shown(), QStringList {u"Выберите папку!"_s});
    QVERIFY(FolderTrees::Select(dirs->FolderTree(), folder.path()));
    QCOMPARE(dirs->mPath()->text(), QDir(folder.path()).absolutePath());
    folders.AOkExecute();
    QVERIFY(!folders.isVisible());
    QCOMPARE(folders.DBMain()->Str1, QDir(folder.path()).absolutePath());
    // Esc after choosing drops the choice without a question.
    TMainModalForm again;
    again.DBMain()->Assign(&folderRequest);
    auto* other = dynamic_cast<TZorvinSelectDir*>(again.Frame());
    QVERIFY(other);
    ShowActive(again);
    QVERIFY(FolderTrees::Select(other->FolderTree(), folder.path()));
    m_messages->ClearShown();
    QTest::keyClick(other->FolderTree(), Qt::Key_Escape);
    QTRY_VERIFY(!again.isVisible());
    QCOMPARE(again.result(), int(QDialog::Rejected));
    QCOMPARE(m_messages->Shown(), QStringList());
}

void TestNotes::attachmentsOpenThroughTheDesktop()
{
    TScriptedDesktop desktop;
    QTemporaryDir folder;
    const QDir dir(folder.path());
    const QString document = dir.filePath(u"отчет.odt"_s);
    const QString windowsProgram = dir.filePath(u"setup.EXE"_s);
    const QString program = dir.filePath(u"tool"_s);
    for (const QString& path : {document, windowsProgram, program}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    using TMode = TMyDirectoryList::TListMode;

    QVERIFY(TMyDirectoryList::OpenAttachment(TMode::lmDir, folder.path()));
    QVERIFY(TMyDirectoryList::OpenAttachment(TMode::lmFiles, document));
    QVERIFY(TMyDirectoryList::OpenAttachment(TMode::lmIE, u"www.example.ru/путь"_s));
    QCOMPARE(desktop.Opened().size(), 3);
    QCOMPARE(desktop.Opened()[0], QUrl::fromLocalFile(QDir(folder.path()).absolutePath()));
    QCOMPARE(desktop.Opened()[1], QUrl::fromLocalFile(document));
    QCOMPARE(desktop.Opened()[2].scheme(), u"http"_s);
    QCOMPARE(desktop.Opened()[2].host(), u"www.example.ru"_s);
    // Programs start directly, in their own folder.
    QVERIFY(TMyDirectoryList::OpenAttachment(TMode::lmFiles, windowsProgram));
    QVERIFY(TMyDirectoryList::OpenAttachment(TMode::lmFiles, program));
    QCOMPARE(desktop.Started(),
        (QStringList {windowsProgram + u" @ "_s + folder.path(), program + u" @ "_s + folder.path()}));
    QCOMPARE(m_messages->Shown(), QStringList());

    // Refusals name what was asked for and open nothing.
    const QString missing = dir.filePath(u"нет такого.odt"_s);
    QVERIFY(!TMyDirectoryList::OpenAttachment(TMode::lmFiles, missing));
    QVERIFY(!TMyDirectoryList::OpenAttachment(TMode::lmDir, dir.filePath(u"нет"_s)));
    QVERIFY(!TMyDirectoryList::OpenAttachment(TMode::lmIE, u"file:///etc/passwd"_s));
    QVERIFY(!TMyDirectoryList::OpenAttachment(TMode::lmIE, u"javascript:alert(1)"_s));
    desktop.QueueResult(false);
    QVERIFY(!TMyDirectoryList::OpenAttachment(TMode::lmFiles, document));
    QCOMPARE(m_messages->Shown(),
        (QStringList {u"Файл не найден:\r"_s + missing, u"Папка не найдена:\r"_s + dir.filePath(u"нет"_s),
            u"Открыть можно только адрес сайта (http или https):\rfile:///etc/passwd"_s,
            u"Открыть можно только адрес сайта (http или https):\rjavascript:alert(1)"_s,
            u"Не удалось открыть:\r"_s + document}));
    QCOMPARE(desktop.Opened().size(), 4);
    QCOMPARE(desktop.Started().size(), 2);
}

void TestNotes::notesSectionLinkRules()
{
    TScriptedBroker broker;
    const QString person = SavedPerson(u"Иванов"_s);
    const QString note = SavedNote(u"Договор"_s);
    TDBMainInfo master;
    QVERIFY(master.SetObj(person));
    TFindMemo section;
    section.SetMasterDBInfo(&master);
    QCOMPARE(section.MasterMode(), TFindMemo::TMasterMode::Attached);
    // Picked from the section's new action: attached once, refused the second time.
    broker.Queue(TScriptedBroker::TRequest::Pick, 1, Pick(note));
    section.findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(NoteLinks(), QStringList {note + u'>' + person});
    QCOMPARE(Titles(section.ListGrid()), u"Договор"_s);
    QCOMPARE(section.CurLinkId().isEmpty(), false);
    broker.Queue(TScriptedBroker::TRequest::Pick, 1, Pick(note));
    section.findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(m_messages->Shown(), QStringList {TFindMemo::ExistsText});
    QCOMPARE(NoteLinks().size(), 1);
    // Nothing is attached to itself, and a project's notes are filed, not attached.
    QString reason;
    QVERIFY(!section.CanLinkObject(master, reason));
    QCOMPARE(reason, TFindMemo::CycleText);
    TDBMainInfo project;
    project.ObjType = Kind::Group;
    project.Int1 = 9;
    project.Str1 = u"Дача"_s;
    QCOMPARE(project.Save(), 0);
    TFindMemo projectNotes;
    projectNotes.SetMasterDBInfo(&project);
    TDBMainInfo noteRow;
    QVERIFY(noteRow.SetObj(note));
    QVERIFY(!projectNotes.CanLinkObject(noteRow, reason));
    QCOMPARE(reason, QString());
    // A row of the notes list dragged onto the section is attached; once only.
    const QString other = SavedNote(u"Счет"_s);
    TDBMainInfo all;
    all.ObjType = Kind::Note;
    TFindMemo notes;
    notes.SetMasterDBInfo(&all);
    notes.RunQuery(other);
    QCOMPARE(notes.CurObjId(), other);
    QVERIFY(section.GridDragOver(notes.ListGrid()));
    notes.GridEndDrag(section.ListGrid()->viewport());
    QCOMPARE(NoteLinks().size(), 2);
    QCOMPARE(Titles(section.ListGrid()), u"Договор|Счет"_s);
    QVERIFY(!section.GridDragOver(notes.ListGrid()));
    QVERIFY(!projectNotes.GridDragOver(notes.ListGrid()));
    QCOMPARE(NoteLinks().size(), 2);
    // The section's delete removes the attachment, not the note.
    broker.Queue(TScriptedBroker::TRequest::Delete, 1, [](TDBMainInfo& record) {
        QCOMPARE(record.ObjType, int(Kind::NoteLink));
        QVERIFY(CascadeDelete::DeleteObject(record));
    });
    section.RunQuery(other);
    section.findChild<QAction*>(u"aDel"_s)->trigger();
    QCOMPARE(NoteLinks(), QStringList {note + u'>' + person});
    QVERIFY(noteRow.SetObj(other));
    QCOMPARE(noteRow.Str1, u"Счет"_s);

    // A project's new note is filed under the project and dated now.
    broker.Queue(TScriptedBroker::TRequest::Edit, 1, [&project](TDBMainInfo& record) {
        QCOMPARE(record.ObjType, int(Kind::Note));
        QCOMPARE(QString(TConstNoteView(record).Group()), project.Obj.Text());
        QVERIFY(TConstNoteView(record).HasDate());
        record.Str1 = u"Смета"_s;
        QCOMPARE(record.Save(), 0);
    });
    projectNotes.findChild<QAction*>(u"aNew"_s)->trigger();
    QCOMPARE(Titles(projectNotes.ListGrid()), u"Смета"_s);
    // The list of every note deletes the note itself, and with it its attachments.
    broker.Queue(TScriptedBroker::TRequest::Delete, 1, [&note](TDBMainInfo& record) {
        QCOMPARE(record.Obj.Text(), note);
        QVERIFY(CascadeDelete::DeleteObject(record));
    });
    notes.RunQuery(note);
    notes.findChild<QAction*>(u"aDel"_s)->trigger();
    QCOMPARE(NoteLinks(), QStringList());
    QVERIFY(!Titles(notes.ListGrid()).contains(u"Договор"_s));
}

void TestNotes::objectsOfANoteLinkBothWays()
{
    TScriptedBroker broker;
    const QString first = SavedNote(u"Первая"_s);
    const QString second = SavedNote(u"Вторая"_s);
    const QString person = SavedPerson(u"Петров"_s);
    TDBMainInfo master;
    QVERIFY(master.SetObj(first));
    TFindMemoLinks objects;
    objects.SetMasterDBInfo(&master);
    QCOMPARE(TFindMemoLinks::KindOfCaption(u"Заметки"_s), int(Kind::Note));
    QCOMPARE(TFindMemoLinks::KindOfCaption(u"Что-то"_s), 0);
    const auto pick = [&](int kind, const QString& id) {
        broker.Queue(TScriptedBroker::TRequest::Pick, 1, Pick(id));
        objects.NewMenu()->findChild<QAction*>(QString(u"miNew"_s + QString::number(kind)))->trigger();
    };
    // A note is linked both ways, a person one way; the note itself and a second link are refused.
    pick(Kind::Note, second);
    pick(Kind::Person, person);
    QStringList both {first + u'>' + person, first + u'>' + second, second + u'>' + first};
    both.sort();
    QCOMPARE(NoteLinks(), both);
    pick(Kind::Note, first);
    pick(Kind::Note, second);
    QCOMPARE(m_messages->Shown(), (QStringList {TFindMemoLinks::CycleText, TFindMemoLinks::ExistsText}));
    QCOMPARE(NoteLinks().size(), 3);
    // Listed from either side; the kind box narrows the list.
    objects.RunQuery(QString());
    QCOMPARE(Titles(objects.ListGrid()), u"Вторая|Петров"_s);
    objects.KindBox()->setCurrentIndex(objects.KindBox()->findText(u"Заметки"_s));
    objects.RunQuery(QString());
    QCOMPARE(Titles(objects.ListGrid()), u"Вторая"_s);
    TDBMainInfo other;
    QVERIFY(other.SetObj(second));
    TFindMemoLinks back;
    back.SetMasterDBInfo(&other);
    back.RunQuery(QString());
    QCOMPARE(Titles(back.ListGrid()), u"Первая"_s);
    TDBMainInfo personRow;
    QVERIFY(personRow.SetObj(person));
    TFindMemo personNotes;
    personNotes.SetMasterDBInfo(&personRow);
    personNotes.RunQuery(QString());
    QCOMPARE(Titles(personNotes.ListGrid()), u"Первая"_s);

    // Deleting the link from the second note's side takes its mirror with it.
    broker.Queue(TScriptedBroker::TRequest::Delete, 1,
        [](TDBMainInfo& record) { QVERIFY(CascadeDelete::DeleteObject(record)); });
    back.findChild<QAction*>(u"aDel"_s)->trigger();
    QCOMPARE(NoteLinks(), QStringList {first + u'>' + person});
    // Linked again from the second note, then the first note deleted: no link of it is left.
    QVERIFY(objects.MasterDBInfo());
    broker.Queue(TScriptedBroker::TRequest::Pick, 1, Pick(first));
    back.NewMenu()->findChild<QAction*>(u"miNew10"_s)->trigger();
    QCOMPARE(NoteLinks().size(), 3);
    QVERIFY(master.SetObj(first));
    QVERIFY(CascadeDelete::DeleteObject(master));
    QCOMPARE(NoteLinks(), QStringList());
}

void TestNotes::periodTakesInItsLastDay()
{
    const auto at = [](int month, int day, int hour) {
        return DateSerial::FromDateTime(QDate(2024, month, day), QTime(hour, 30));
    };
    QVERIFY(!SavedNote(u"Май"_s, {}, at(5, 1, 9)).isEmpty());
    QVERIFY(!SavedNote(u"Конец"_s, {}, at(9, 1, 18)).isEmpty());
    QVERIFY(!SavedNote(u"После"_s, {}, at(9, 2, 0)).isEmpty());
    QVERIFY(
        !SavedNote(u"Ссылка"_s, u"текст заметки"_s, at(4, 1, 9), NoteType::WebAddress, u"www.example.ru"_s).isEmpty());
    TFindMemo list;
    TDBMainInfo master;
    master.ObjType = Kind::Note;
    list.SetMasterDBInfo(&master);
    list.resize(500, 600);
    ShowActive(list);
    QCOMPARE(list.MasterMode(), TFindMemo::TMasterMode::AllNotes);
    TOptionList* options = list.Options();
    list.RunQuery(QString());
    QCOMPARE(Titles(list.ListGrid()), u"После|Конец|Май|Ссылка"_s);
    options->setCurrentCell(options->FindRow(u"Период"_s), 1);
    auto* period = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(period);
    TypeText(period, u"0105202401092024"_s);
    list.RunQuery(QString());
    QCOMPARE(Titles(list.ListGrid()), u"Конец|Май"_s);
    options->SetValues(u"Период"_s, QString());
    options->SetValues(u"Тип"_s, u"Ссылка на web сайт"_s);
    options->SetValues(u"Комментарий"_s, u"ТЕКСТ"_s);
    list.RunQuery(QString());
    QCOMPARE(Titles(list.ListGrid()), u"Ссылка"_s);
    QCOMPARE(list.ListGrid()->Model()->Row(0).DisplayText(u"Date1"_s), u"01.04.2024"_s);
}

void TestNotes::noteFromAPersonCardInTheMainWindow()
{
    TScriptedDesktop desktop;
    QTemporaryDir folder;
    const QString plan = QDir(folder.path()).filePath(u"план.txt"_s);
    {
        QFile file(plan);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString person = SavedPerson(u"Сидоров"_s);
    const TSettings settings = SettingsFile::ParseLine(m_fixture->SettingsLine());
    QVERIFY(SettingsFile::Write(QDir(m_fixture->Folder()).filePath(u"Zorvin.ini"_s), settings));
    TMain main;
    QTRY_VERIFY(main.IsStarted());
    ShowActive(main);

    TDBMainInfo record;
    QVERIFY(record.SetObj(person));
    main.Request(TMainMessage::WM_OPENOBJECT, record);
    auto* card = qobject_cast<TPeopleObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
    QVERIFY(card);
    QVERIFY(card->ShowSection(PersonSection::Notes));
    auto* section = dynamic_cast<TFindMemo*>(card->SectionFrame());
    QVERIFY(section);
    QTRY_VERIFY(section->ListGrid()->Model()->IsOpen());
    QCOMPARE(section->ListGrid()->Model()->RecordCount(), 0);

    // New in the section: the pick dialog of notes, a new note there, its file from the file picker.
    bool written = false;
    WhenDialogShown<TFindModalForm>([&](TFindModalForm& pick) {
        QCOMPARE(pick.windowTitle(), u"Поиск заметки"_s);
        WhenDialogShown<TMainModalForm>([&](TMainModalForm& dialog) {
            auto* editor = dynamic_cast<TFEditMemo*>(dialog.Frame());
            QVERIFY(editor);
            editor->eName()->setFocus();
            TypeText(editor->eName(), u"План"_s);
            editor->mType()->setFocus();
            QTest::keyClick(editor->mType(), Qt::Key_Down);
            QTest::keyClick(editor->mType(), Qt::Key_Down);
            QCOMPARE(editor->mType()->currentText(), u"Ссылка на файл"_s);
            WhenDialogShown<TMainModalForm>([&](TMainModalForm& files) {
                auto* picker = dynamic_cast<TFZorvinSelectFiles*>(files.Frame());
                QVERIFY(picker);
                QVERIFY(FolderTrees::Select(picker->FolderTree(), folder.path()));
                QCOMPARE(picker->ListedFiles(), QStringList {u"план.txt"_s});
                picker->FilesList()->setFocus();
                QTest::keyClick(picker->FilesList(), Qt::Key_Home);
                QTest::keyClick(picker->FilesList(), Qt::Key_Return);
            });
            editor->DirSelect()->tbFind()->click();
            QCOMPARE(editor->DirSelect()->DirName()->text(), plan);
            editor->mComments()->setFocus();
            TypeText(editor->mComments(), u"Обсудить план"_s);
            dialog.AOkExecute();
            written = true;
        });
        pick.findChild<QAction*>(u"aNew"_s)->trigger();
    });
    section->findChild<QAction*>(u"aNew"_s)->trigger();
    QVERIFY(written);
    QCOMPARE(m_messages->Shown(), QStringList());
    QTRY_COMPARE(Titles(section->ListGrid()), u"План"_s);
    const QString note = section->CurObjId();
    QCOMPARE(NoteLinks(), QStringList {note + u'>' + person});

    // Enter opens the note's card; its attachment opens through the desktop.
    section->ListGrid()->setFocus();
    QTest::keyClick(section->ListGrid(), Qt::Key_Return);
    auto* noteCard = qobject_cast<TMemoObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
    QVERIFY(noteCard);
    auto* editor = dynamic_cast<TFEditMemo*>(noteCard->EditFrame());
    QVERIFY(editor);
    QCOMPARE(editor->eName()->text(), u"План"_s);
    QCOMPARE(editor->mComments()->toPlainText(), u"Обсудить план"_s);
    editor->DirSelect()->ToolButton1()->click();
    QCOMPARE(desktop.Opened(), QList<QUrl> {QUrl::fromLocalFile(plan)});
    // A new title saved on the note's card shows in the person's notes section.
    editor->eName()->setFocus();
    editor->eName()->selectAll();
    TypeText(editor->eName(), u"План работ"_s);
    noteCard->aSaveExecute();
    QCOMPARE(m_messages->Shown(), QStringList());
    QTRY_COMPARE(Titles(section->ListGrid()), u"План работ"_s);
    // The card lists the person among the note's objects.
    auto* objects = dynamic_cast<TFindMemoLinks*>(noteCard->SectionFrame());
    QVERIFY(objects);
    QTRY_COMPARE(Titles(objects->ListGrid()), u"Сидоров"_s);
}

QTEST_MAIN(TestNotes)
#include "tst_notes.moc"
