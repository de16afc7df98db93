#pragma once

#include <QList>

struct TShellKind;

/**
 * The shell's descriptors of notes, with their screens:
 *  - 10 (notes): the note editor in the edit dialog "Новая заметка", the notes list in the pick dialog
 *    "Поиск заметки" and as the side list of picture 5 (F6, "Заметки"), the note card; notes are deleted
 *    from the main window with "все данные о заметке";
 *  - 34 (note links): deleted from the main window as "связь между объектами";
 *  - the dialog-only codes 200 (the folder picker "Выбор рабочей папки") and 201 (the file picker
 *    "Выбор файла").
 */
QList<TShellKind> NoteShellKinds();

/// Registers the note screens, the note-links list the main window hands the note card, and the "Заметки"
/// section of the person, family, address, event and project cards.
void RegisterNoteScreens();
