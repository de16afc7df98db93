#include "shell/widgets/DBImageFrame.h"

#include "shell/mainwindow/MainBroker.h"
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/PersonView.h"

#include <QBuffer>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace {

QPixmap DeadMarker()
{
    QPixmap marker(12, 12);
    marker.fill(Qt::black);
    return marker;
}

} // namespace

TDBImageFrame::TDBImageFrame(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_panel(new QFrame(this))
    , m_caption(new QLabel(m_panel))
    , m_foto(new QLabel(m_panel))
    , m_imgDead(new QLabel(m_panel))
{
    setObjectName(QStringLiteral("DBImageFrame"));
    SetLinkMode(1);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    auto* frame = static_cast<QFrame*>(m_panel);
    frame->setObjectName(QStringLiteral("p"));
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Sunken);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_panel);
    m_caption->setAlignment(Qt::AlignCenter);
    m_foto->setObjectName(QStringLiteral("Foto"));
    m_foto->setAlignment(Qt::AlignCenter);
    m_imgDead->setObjectName(QStringLiteral("imgDead"));
    m_imgDead->setPixmap(DeadMarker());
    m_imgDead->adjustSize();
    m_imgDead->hide();
    // Clicks go to the frame, whatever child lies under the mouse.
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_foto->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_imgDead->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_panel->setAttribute(Qt::WA_TransparentForMouseEvents);
}

TDBImageFrame::~TDBImageFrame() = default;

void TDBImageFrame::SetDeadVisible(bool visible)
{
    m_deadVisible = visible;
    m_imgDead->setVisible(visible);
    Place();
}

void TDBImageFrame::SetFoneString(const QString& caption)
{
    m_foneString = caption;
    m_caption->setText(caption);
}

QByteArray TDBImageFrame::JpegBytes(const QImage& picture)
{
    if (picture.isNull())
        return QByteArray();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPEG"))
        return QByteArray();
    return bytes;
}

void TDBImageFrame::ShowPhotoOf(const TDBMainInfo& record)
{
    const TKindView<const TObjectRow> row(record);
    m_bytes = row.Picture();
    m_picture = QImage();
    // A picture that does not decode is no picture; nothing is said about it.
    if (!row.Picture().isEmpty() && !m_picture.loadFromData(row.Picture(), "JPEG"))
        m_picture = QImage();
    SetDeadVisible(record.ObjType == Kind::Person && PersonView(record).IsDead());
    Place();
}

void TDBImageFrame::LoadData()
{
    TBaseDBFrame::LoadData();
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    ShowPhotoOf(*master);
    m_changed = false;
    m_encodePending = false;
}

void TDBImageFrame::StoreData()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!m_changed || !master)
        return;
    if (m_encodePending) {
        m_bytes = JpegBytes(m_picture);
        m_encodePending = false;
    }
    TKindView<TObjectRow>(*master).SetPicture(m_bytes);
}

bool TDBImageFrame::SetPicture(const QImage& picture)
{
    const QByteArray bytes = JpegBytes(picture);
    if (!picture.isNull() && bytes.isEmpty())
        return false;
    m_bytes = bytes;
    m_picture = picture;
    m_changed = true;
    m_encodePending = false;
    Place();
    return true;
}

void TDBImageFrame::ShowCutOut(const QImage& picture)
{
    m_picture = picture;
    m_changed = true;
    m_encodePending = true;
    Place();
}

void TDBImageFrame::FrameClick()
{
    if (!isEnabled())
        return;
    TDBMainInfo photo;
    photo.ObjType = PhotoDialogKind;
    // The photo editor shows the mark of the dead as the person's card does.
    const TPersonView edited(photo);
    edited.SetPicture(m_bytes);
    if (const TDBMainInfo* master = MasterDBInfo()) {
        photo.SetDatabase(master->Database());
        edited.SetIsDead(PersonView(*master).IsDead());
    }
    if (SendRequest(TMainMessage::WM_EDITOBJECT, photo) != RequestAnswer::Done)
        return;
    const bool dead = m_deadVisible;
    ShowPhotoOf(photo);
    SetDeadVisible(dead);
    m_changed = true;
    m_encodePending = false;
}

void TDBImageFrame::mouseReleaseEvent(QMouseEvent* event)
{
    TBaseDBFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        FrameClick();
}

void TDBImageFrame::resizeEvent(QResizeEvent* event)
{
    TBaseDBFrame::resizeEvent(event);
    Place();
}

// The picture fills the panel keeping its proportions, centred; the mark sits in its bottom-right corner.
void TDBImageFrame::Place()
{
    const QRect area = m_panel->contentsRect();
    m_caption->setGeometry(area);
    m_caption->setVisible(m_picture.isNull());
    if (m_picture.isNull()) {
        m_foto->clear();
        m_foto->setGeometry(area);
    } else {
        const QSize size = m_picture.size().scaled(area.size(), Qt::KeepAspectRatio);
        const QRect shown(area.left() + (area.width() - size.width()) / 2,
            area.top() + (area.height() - size.height()) / 2, size.width(), size.height());
        m_foto->setGeometry(shown);
        m_foto->setPixmap(QPixmap::fromImage(m_picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    const QRect picture = m_foto->geometry();
    m_imgDead->move(picture.right() + 1 - m_imgDead->width(), picture.bottom() + 1 - m_imgDead->height());
    m_imgDead->raise();
}
