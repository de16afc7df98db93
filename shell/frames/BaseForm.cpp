#include "shell/frames/BaseForm.h"

#include "store/DataBase.h"
#include "store/ObjectRecord.h"

TBaseForm::TBaseForm(QWidget* parent)
    : QDialog(parent)
    , m_dbMain(new TDBMainInfo(this))
{
    m_dbMain->setObjectName(QStringLiteral("DBMain"));
}

TBaseForm::~TBaseForm() = default;
