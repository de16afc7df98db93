#pragma once

#include "shell/frames/BaseDBFrame.h"

#include <QString>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

/**
 * \brief The editor of an internet contact (the dialog "Данные о связи через Интернет"): the type of the
 * link, a name for the types that have one (a social network, a messenger, another link), the address and a
 * comment.
 */
class TEditINet final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEditINet)

public:
    /// The caption of type \a type (InternetType) in the editor: "Электронная почта" .. "Прочее".
    static QString TypeCaption(int type);
    /// The caption of type \a type in lists: "Эл. почта" .. "Прочее"; "Прочее" for a type outside 1..5.
    static QString ListCaption(int type);
    /// The picture of type \a type; -1 for "Прочее" and for no type.
    static int TypePicture(int type);

    explicit TEditINet(QWidget* parent = nullptr);
    ~TEditINet() override;

    QComboBox* cbLinkType() const { return m_cbLinkType; }
    QComboBox* eName() const { return m_eName; }
    QLineEdit* eAddress() const { return m_eAddress; }
    QPlainTextEdit* mComments() const { return m_mComments; }

    void LoadData() override;
    bool ValidateData() override;
    void StoreData() override;
    /// Tells the lists that an internet contact was saved.
    void AfterSave() override;

    /// The name is offered only for the types that have one, with the names used before for the type; it is
    /// cleared on every change of the type.
    void cbLinkTypeChange();

private:
    QComboBox* m_cbLinkType;
    QComboBox* m_eName;
    QLineEdit* m_eAddress;
    QPlainTextEdit* m_mComments;
};
