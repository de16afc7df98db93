#pragma once

#include <QList>
#include <QString>

#include <functional>

class QObject;
class QWidget;
class TBaseDBFrame;
class TDBMainInfo;
class TLinksWindow;
class TListModel;

/// Makes a frame as a child of \a parent.
using TFrameFactory = std::function<TBaseDBFrame*(QWidget* parent)>;
/// Makes a linked-objects window owned by \a parent.
using TLinksWindowFactory = std::function<TLinksWindow*(QWidget* parent)>;
/// Reacts to objects of a kind having been saved or deleted.
using TObjectSavedHandler = std::function<void(int kind)>;
/// Writes the report on one object.
using TObjectReportHandler = std::function<void(const TDBMainInfo& object)>;
/// Writes the report on the rows a list shows.
using TListReportHandler = std::function<void(const TListModel& rows)>;
/// Runs a command of the main window; \a window is the main window, the parent of the dialogs it shows.
using TMainCommandHandler = std::function<void(QWidget* window)>;

/// A command a screen subsystem puts on the main window's tool bar.
struct TMainCommand
{
    /// The action's object name ("aImportVCard"); its button is named "tb" and the rest ("tbImportVCard").
    QString Name;
    QString Caption;
    QString Hint;
    /// The picture of the large list.
    int Picture = -1;
    TMainCommandHandler Run;
};

/**
 * The screens the shell shows without knowing them: each screen subsystem registers its factories once at
 * start-up, and the main window and the dialogs look them up by kind or picture number. Whatever is not
 * registered is simply absent (no card, no side list, a dialog that closes with Cancel).
 *
 * Each slot (a kind's card, edit frame, pick frame, side list, section, report) takes one registration:
 * a second one is refused, with an assertion in debug builds and a warning in release builds, and its
 * Register answers false.
 * User-interface thread only.
 */
namespace Screens {

/// The card of stored objects of \a kind in the main window's object area.
bool RegisterCard(int kind, TFrameFactory create);
/// The frame of the edit dialog for \a dialogKind.
bool RegisterEditFrame(int dialogKind, TFrameFactory create);
/// The list frame of the pick dialog for \a dialogKind.
bool RegisterPickFrame(int dialogKind, TFrameFactory create);
/// The side-panel list shown for the main window's picture number \a picture.
bool RegisterSideList(int picture, TFrameFactory create);
/// The small read-only preview of an object of \a kind (the object picker shows it), linked to a record
/// someone else owns (link mode 1).
bool RegisterPreview(int kind, TFrameFactory create);
/// The linked-objects window lists ask the main window for.
void RegisterLinksWindow(TLinksWindowFactory create);
/// The note-links list note cards ask the main window for.
void RegisterNoteLinks(TFrameFactory create);
/// Run whenever objects of \a kind were saved or deleted (several handlers may share a kind). With a
/// \a context the handler lives no longer than that object: it is removed when the object is destroyed,
/// so a handler that captures a widget never runs after it. Answers the handle UnregisterObjectSaved takes.
int RegisterObjectSaved(int kind, TObjectSavedHandler handler, QObject* context = nullptr);
/// Removes the handler registered under \a handle; nothing for an unknown handle.
void UnregisterObjectSaved(int handle);
/// The frame section \a code of the card of \a cardKind shows; the code's meaning is the card's own.
bool RegisterSection(int cardKind, int code, TFrameFactory create);
/// The report printed from the card of an object of \a kind.
bool RegisterObjectReport(int kind, TObjectReportHandler report);
/// The report printed from the list of objects of \a kind.
bool RegisterListReport(int kind, TListReportHandler report);
/// A command of the main window's tool bar; a second one of the same name is refused.
bool RegisterMainCommand(const TMainCommand& command);
/// The main window's commands in the order of registration.
const QList<TMainCommand>& MainCommands();

/// Each Create answers nullptr when nothing is registered.
TBaseDBFrame* CreateCard(int kind, QWidget* parent);
TBaseDBFrame* CreateEditFrame(int dialogKind, QWidget* parent);
TBaseDBFrame* CreatePickFrame(int dialogKind, QWidget* parent);
TBaseDBFrame* CreateSideList(int picture, QWidget* parent);
TBaseDBFrame* CreatePreview(int kind, QWidget* parent);
TLinksWindow* CreateLinksWindow(QWidget* parent);
TBaseDBFrame* CreateNoteLinks(QWidget* owner);
TBaseDBFrame* CreateSection(int cardKind, int code, QWidget* parent);
bool HasCard(int kind);
bool HasSideList(int picture);
bool HasObjectReport(int kind);
bool HasListReport(int kind);
void ObjectSaved(int kind);
/// Each Print runs the registered report; false when there is none.
bool PrintObject(int kind, const TDBMainInfo& object);
bool PrintList(int kind, const TListModel& rows);

/// Forgets every registration, the kinds' descriptors included (tests).
void Clear();

} // namespace Screens
