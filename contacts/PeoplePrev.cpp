#include "contacts/PeoplePrev.h"

#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/TextHelpers.h"
#include "store/kinds/PersonView.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>

using namespace Qt::StringLiterals;

namespace {

constexpr int PhotoSide = 48;
constexpr int Margin = 2;
constexpr int AgeWidth = 32;
constexpr int LineHeight = 16;
constexpr int RightGap = 4;

QLabel* Label(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

} // namespace

TPeoplePrev::TPeoplePrev(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_foto(Label(u"Foto"_s, this))
    , m_imgDead(Label(u"imgDead"_s, this))
    , m_lOld(Label(u"LOld"_s, this))
    , m_lStr1(Label(u"lStr1"_s, this))
    , m_lStr2(Label(u"lStr2"_s, this))
    , m_lStr3(Label(u"lStr3"_s, this))
{
    SetLinkMode(1);
    m_foto->setAlignment(Qt::AlignCenter);
    QPixmap marker(12, 12);
    marker.fill(Qt::black);
    m_imgDead->setPixmap(marker);
    m_imgDead->adjustSize();
    m_imgDead->hide();
    m_lOld->setAlignment(Qt::AlignCenter);
    m_lOld->hide();
    QFont bold = m_lStr1->font();
    bold.setBold(true);
    m_lStr1->setFont(bold);
    Place();
}

TPeoplePrev::~TPeoplePrev() = default;

void TPeoplePrev::SetOldVisible(bool visible)
{
    m_oldVisible = visible;
    m_lOld->setVisible(visible);
    Place();
}

QSize TPeoplePrev::sizeHint() const
{
    return {240, PhotoSide + 2 * Margin};
}

void TPeoplePrev::LoadData()
{
    TBaseDBFrame::LoadData();
    m_foto->clear();
    m_imgDead->hide();
    const TDBMainInfo* record = MasterDBInfo();
    if (!record) {
        for (QLabel* label : {m_lStr1, m_lStr2, m_lStr3, m_lOld})
            label->clear();
        return;
    }
    const TConstPersonView person(*record);
    m_lStr1->setText(person.Surname());
    m_lStr2->setText(person.FirstName());
    m_lStr3->setText(person.Patronymic());
    m_lOld->setText(AgeText(person.IsDead(), false, person.BirthDate()));
    if (!person.Photo().isEmpty()) {
        QImage picture;
        if (picture.loadFromData(person.Photo(), "JPEG")) {
            const QRect box = FitRect(picture.size(), PhotoSide, PhotoSide);
            m_foto->setPixmap(QPixmap::fromImage(picture.scaled(box.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
            m_imgDead->setVisible(record->ObjType == Kind::Person && person.IsDead());
        }
    }
}

void TPeoplePrev::resizeEvent(QResizeEvent* event)
{
    TBaseDBFrame::resizeEvent(event);
    Place();
}

void TPeoplePrev::Place()
{
    m_foto->setGeometry(Margin, Margin, PhotoSide, PhotoSide);
    m_imgDead->move(Margin + PhotoSide - m_imgDead->width(), Margin + PhotoSide - m_imgDead->height());
    m_imgDead->raise();
    int left = Margin + PhotoSide + Margin;
    if (m_oldVisible) {
        m_lOld->setGeometry(left, Margin, AgeWidth, PhotoSide);
        left += AgeWidth + Margin;
    }
    const int width = std::max(0, this->width() - left - RightGap);
    QLabel* lines[] = {m_lStr1, m_lStr2, m_lStr3};
    for (int i = 0; i < 3; ++i)
        lines[i]->setGeometry(left, Margin + i * LineHeight, width, LineHeight);
}
