#pragma once

#include "shell/frames/BaseDBFrame.h"

class QVBoxLayout;
class QWidget;
class TLinkAdrFind;
class TSosedyFind;
class TStreetFind;

/**
 * \brief The section "Соседи" of the person, organization and address cards: the addresses of the person or
 * organization; under the address chosen there, the addresses in its street or house; under the one chosen
 * there, who lives at it. On an address card the first list is left out.
 */
class TAdrLinks final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAdrLinks)

public:
    /// The height of the address list while the lists under it are shown.
    static constexpr int AddressTableHeight = 168;

    explicit TAdrLinks(QWidget* parent = nullptr);
    ~TAdrLinks() override;

    TLinkAdrFind* AddressTable() const { return m_addressTable; }
    QWidget* StreetPanel() const { return m_streetPanel; }
    TStreetFind* StreetTable() const { return m_streetTable; }
    TSosedyFind* SosedyFind1() const { return m_sosedy; }

    void LoadData() override;
    void AddressTableIdChange();
    void StreetTableIdChange();

private:
    QVBoxLayout* m_layout;
    TLinkAdrFind* m_addressTable;
    QWidget* m_streetPanel;
    TStreetFind* m_streetTable;
    TSosedyFind* m_sosedy;
};
