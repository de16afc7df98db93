#pragma once

#include "shell/frames/BaseFind.h"

/**
 * \brief "Объекты": the objects a note is attached to (the "Связанные объекты" section of the note card,
 * handed out by the main window).
 *
 * The kind box narrows the list to people, families, organizations, addresses, events or notes. New links
 * are made by picking an object of the kind chosen from the new menu; a note picked here is linked both
 * ways. Deleting removes the link, never the object; nothing is dropped here.
 */
class TFindMemoLinks final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindMemoLinks)

public:
    inline static const QString ExistsText = QStringLiteral("Связь между объектами уже существует!");
    inline static const QString CycleText = QStringLiteral("Циклическая ссылка!");
    static constexpr int ShortAddressWidth = 300;

    explicit TFindMemoLinks(QWidget* parent = nullptr);
    ~TFindMemoLinks() override;

    /// The kinds listed, as the statement names them.
    static QString GetKindList();
    /// The kind an item of the kind box stands for; 0 for the blank item and anything unknown.
    static int KindOfCaption(const QString& caption);
    /// The text of the name column for a row.
    QString GetNameText(const TListRow& row) const;

    QString GetSelectSQL() override;
    void ParseBriefFind() override;
    void QueryAfterOpen() override;
    bool CanLinkObject(const TDBMainInfo& info, QString& reason) override;
    bool LinkObject() override;
    bool IsDirectDelete() override;
    void aDelExecute() override;
    void InitFindMode() override;

    QComboBox* KindBox() const { return eFind; }
    TMyDBGrid* ListGrid() const { return Grid; }
    QMenu* NewMenu() const { return pmNew; }
};
