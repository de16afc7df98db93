#pragma once

#include "shell/frames/BaseDBFrame.h"
#include "store/DataBase.h"
#include "store/ObjectRecord.h"

#include <QLineEdit>
#include <QVBoxLayout>

// An editor of Str1 that refuses an empty name with RefusalText, counts what the record asks of it and
// offers the size the test gives it.
class TNameFrame : public TBaseDBFrame
{
public:
    explicit TNameFrame(QWidget* parent = nullptr)
        : TBaseDBFrame(parent)
        , eName(new QLineEdit(this))
    {
        eName->setObjectName(QStringLiteral("eName"));
        (new QVBoxLayout(this))->addWidget(eName);
    }
    bool ValidateData() override
    {
        ++Validations;
        if (!eName->text().trimmed().isEmpty())
            return true;
        m_errorText = RefusalText;
        eName->setFocus();
        return false;
    }
    void StoreData() override { MasterDBInfo()->Str1 = eName->text(); }
    void LoadData() override
    {
        TBaseDBFrame::LoadData();
        ++Loads;
        eName->setText(MasterDBInfo() ? MasterDBInfo()->Str1 : QString());
    }
    void AfterSave() override { ++Saves; }
    QSize sizeHint() const override { return Hint; }

    QLineEdit* eName;
    QString RefusalText = QStringLiteral("Укажите название");
    QSize Hint{320, 120};
    int Loads = 0;
    int Saves = 0;
    int Validations = 0;
};
