#pragma once

#include "shell/frames/BaseDBFrame.h"
#include "store/ObjectRecord.h"

#include <QPointer>

class QCheckBox;
class QGroupBox;
class QPlainTextEdit;
class QVBoxLayout;
class TdbTimeEdit;

/**
 * \brief The editor of a residence (the dialog "Адрес жительства"): who lives or is located at which address,
 * from when to when, and whether they live there now.
 *
 * The resident is shown above in its own editor, disabled; the address as its one-line text. The two date
 * editors are linked to the residence record, so the dialog's one save writes the period too. A complete end
 * date means the residence is over: it cannot be current, and an end before the start is refused.
 */
class TPtoALink final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPtoALink)

public:
    /// Makes \a work a new current residence of \a resident at \a address, ready for its dialog.
    static void PrepareResidence(TDBMainInfo& work, const QString& address, const QString& resident);

    explicit TPtoALink(QWidget* parent = nullptr);
    ~TPtoALink() override;

    TdbTimeEdit* dtStart() const { return m_dtStart; }
    TdbTimeEdit* dtEnd() const { return m_dtEnd; }
    QCheckBox* cbFlag() const { return m_cbFlag; }
    QPlainTextEdit* mAdr() const { return m_mAdr; }
    /// The resident's disabled editor; nullptr when its kind has none.
    TBaseDBFrame* ResidentFrame() const { return m_residentFrame; }
    const TDBMainInfo& PInfo() const { return m_pInfo; }
    const TDBMainInfo& AInfo() const { return m_aInfo; }

    void SetMasterDBInfo(TDBMainInfo* record) override;
    bool ValidateData() override;
    void StoreData() override;
    void AfterSave() override;

    void dtEndExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowAddress();

    QVBoxLayout* m_layout;
    QGroupBox* m_gbPeriod;
    TdbTimeEdit* m_dtStart;
    TdbTimeEdit* m_dtEnd;
    QCheckBox* m_cbFlag;
    QGroupBox* m_gbAddress;
    QPlainTextEdit* m_mAdr;
    QPointer<TBaseDBFrame> m_residentFrame;
    TDBMainInfo m_pInfo;
    TDBMainInfo m_aInfo;
    bool m_loaded = false;
};
