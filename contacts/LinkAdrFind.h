#pragma once

#include "shell/frames/BaseFind.h"

/**
 * \brief The addresses a person or organization lives or is located at ("Связанные адреса"): the current
 * residences first, each with its period and address; a new one is an address picked or dropped here, tied
 * by a residence edited in its dialog. Deleting removes the residence, not the address.
 */
class TLinkAdrFind final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TLinkAdrFind)

public:
    /// The picture of a current residence in the status column.
    static constexpr int CurrentPicture = 61;

    explicit TLinkAdrFind(QWidget* parent = nullptr);
    ~TLinkAdrFind() override;

    TMyDBGrid* ListGrid() const { return Grid; }

    QString GetSelectSQL() override;
    void QueryAfterOpen() override;
    void InitFindMode() override;
    bool CanLinkObject(const TDBMainInfo& info, QString& reason) override;
    bool LinkObject() override;
    void GridStatusColumnGetImage(const TListRow& row, int& imageIndex) const;
};
