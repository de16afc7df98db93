#pragma once

#include "shell/frames/BaseDBFrame.h"

class QCheckBox;
class QMenu;
class QTextEdit;
class QToolBar;
class QToolButton;

/**
 * \brief The place of a meeting ("Место проведения"): who receives it (a person or an organization) and
 * at which address, or, with "Произвольно", the place as free text.
 *
 * Linked to the event record: LoadData reads the host (Link3), the address (Link4) and the free text (Str4
 * with Flag); StoreData writes them back, the none id standing for no host and no address. Choosing a host
 * takes its one current address, if it has exactly one.
 */
class TEventSetting final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEventSetting)

public:
    /// Which kinds of host may be chosen.
    enum TButtonMode : int {
        bmPeople = 0x1,
        bmFirma = 0x2,
    };

    explicit TEventSetting(QWidget* parent = nullptr);
    ~TEventSetting() override;

    int ButtonMode() const { return m_buttonMode; }
    void SetButtonMode(int mode) { m_buttonMode = mode; }
    bool FreeMode() const { return m_freeMode; }
    void SetFreeMode(bool free);

    void LoadData() override;
    void StoreData() override;

    /// A person as "surname name patronymic"; an organization by its name and form, a branch as
    /// "organization, branch"; empty for an empty id or another kind.
    static QString HostText(const TDBMainInfo& host);

    const QString& HostId() const { return m_host; }
    const QString& AddressId() const { return m_address; }
    /// Takes \a id as the host and its one current address, if it has one (what a pick of a host does).
    void SetHost(const QString& id);
    void SetAddress(const QString& id);
    void ClearHost();
    void ClearAddress();

    // Handlers
    void tbFindWhoClick();
    /// Picks a host of \a kind (1 a person, 6 an organization) in the pick dialog.
    void PickHost(int kind);
    void tbFindAddrClick();
    void OpenHost();
    void OpenAddress();
    void cbFlagClick();

    QTextEdit* mMainFirma() const { return m_mainFirma; }
    QCheckBox* cbFlag() const { return m_cbFlag; }
    QToolButton* tbFindWho() const { return m_tbFindWho; }
    QToolButton* tbFindAddr() const { return m_tbFindAddr; }
    QToolButton* tbOpenWho() const { return m_tbOpenWho; }
    QToolButton* tbClearWho() const { return m_tbClearWho; }
    QMenu* pmWho() const { return m_pmWho; }
    QMenu* pmOpen() const { return m_pmOpen; }
    QMenu* pmDel() const { return m_pmDel; }

private:
    void ShowPlace();
    void EnableButtons();

    QTextEdit* m_mainFirma;
    QWidget* m_pCustom;
    QCheckBox* m_cbFlag;
    QToolBar* m_tbWho;
    QToolButton* m_tbFindWho;
    QToolButton* m_tbFindAddr;
    QToolBar* m_tbMWho;
    QToolButton* m_tbOpenWho;
    QToolButton* m_tbClearWho;
    QMenu* m_pmWho;
    QMenu* m_pmOpen;
    QMenu* m_pmDel;
    int m_buttonMode = bmPeople | bmFirma;
    bool m_freeMode = true;
    QString m_host;
    QString m_address;
    QString m_hostText;
    QString m_addressText;
};
