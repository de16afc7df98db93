#include "contacts/FamilyPrev.h"

#include "shell/widgets/MainData.h"
#include "shell/widgets/PictureList.h"
#include "store/LookupLists.h"
#include "store/ObjectRecord.h"
#include "store/TextHelpers.h"
#include "store/kinds/FamilyView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

namespace {

QPlainTextEdit* Memo(const QString& name, QWidget* parent)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setTabChangesFocus(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setFixedHeight(40);
    return memo;
}

} // namespace

int FamilyStatusImage(qint64 status)
{
    return status >= 1 && status <= 7 ? FamilyStatusPicture(static_cast<int>(status)) : -1;
}

TFamilyPrev::TFamilyPrev(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_imageStatus(new QLabel(this))
    , m_period(Memo(u"mPeriod"_s, this))
    , m_fio(Memo(u"mFIO"_s, this))
{
    SetLinkMode(1);
    m_imageStatus->setObjectName(u"ImageStatus"_s);
    m_imageStatus->setFixedSize(36, 36);
    m_imageStatus->setAlignment(Qt::AlignCenter);
    m_period->setFixedWidth(80);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_imageStatus);
    layout->addWidget(m_period);
    layout->addWidget(m_fio, 1);
}

TFamilyPrev::~TFamilyPrev() = default;

void TFamilyPrev::LoadData()
{
    TBaseDBFrame::LoadData();
    m_imageStatus->clear();
    const TDBMainInfo* record = MasterDBInfo();
    if (!record) {
        m_period->clear();
        m_fio->clear();
        return;
    }
    const TConstFamilyView family(*record);
    const TPictureList& pictures = m_statusImages ? *m_statusImages : MainData().LagreIcons();
    const int picture = FamilyStatusImage(family.Status());
    if (picture >= 0)
        m_imageStatus->setPixmap(pictures.Icon(picture).pixmap(pictures.Size()));
    m_period->setPlainText(PeriodText(family.StartComplete(), family.HasEnded(), family.End(), family.Start()));
    m_fio->setPlainText(family.HusbandName() + u'\n' + family.WifeName());
}
