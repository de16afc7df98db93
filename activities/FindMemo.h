#pragma once

#include "shell/frames/BaseFind.h"
#include "store/LookupLists.h"

/**
 * \brief "Заметки": every note (the side list F6 and the pick dialog "Поиск заметки"), the notes of a
 * project, or the notes attached to any other object (the notes section of its card).
 *
 * A row dragged onto the notes of an object is attached to it; the delete action removes the attachment
 * there, and the note itself in the list of every note. The period filter takes in both of its days.
 */
class TFindMemo final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindMemo)

public:
    /// The captions of the note types 1..4 in the filter.
    static const QStringList& TypeCaptions();
    inline static const QString CycleText = QStringLiteral("Циклическая ссылка");
    inline static const QString ExistsText = QStringLiteral("Связь между объектами уже существует");

    explicit TFindMemo(QWidget* parent = nullptr);
    ~TFindMemo() override;

    /// What the list shows, by its master.
    enum class TMasterMode { AllNotes, Project, Attached };
    TMasterMode MasterMode() const;

    /// The notes of an object or a project follow every save of a note, wherever it was made.
    void LoadData() override;
    QString GetSelectSQL() override;
    void ParseOptionList() override;
    void QueryAfterOpen() override;
    bool CanLinkObject(const TDBMainInfo& info, QString& reason) override;
    bool LinkObject() override;
    bool IsDirectDelete() override;
    void aDelExecute() override;

    /// A project's new note is filed under the project; elsewhere the list's own way of creating.
    void NewNote();

    TOptionList* Options() const { return OptionList; }
    TMyDBGrid* ListGrid() const { return Grid; }

private:
    QStringList PickListOf(const QString& key);

    TValueList m_projects;
    int m_notesSaved = 0;
};
