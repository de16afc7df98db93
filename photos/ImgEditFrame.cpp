#include "photos/ImgEditFrame.h"

#include "photos/PhotoCut.h"
#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "shell/widgets/DBImageFrame.h"
#include "shell/widgets/MainData.h"
#include "store/ObjectRecord.h"
#include "store/kinds/PersonView.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int LoadPicture = 35;
constexpr int PastePicture = 115;
constexpr int ClearPicture = 36;
constexpr int ZoomStep = 5;
// The viewing box with room for its scroll bars.
constexpr QSize ViewSize(440, 380);

// The working picture, stretched to its own size. Only the part that shows is drawn, from the source pixels
// under it, so a large zoom never makes a stretched copy of the whole picture.
class TWorkPicture final : public QWidget
{
public:
    TWorkPicture(const QImage* picture, QWidget* parent)
        : QWidget(parent)
        , m_picture(picture)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        const QRect shown = event->rect() & rect();
        if (m_picture->isNull() || shown.isEmpty()) {
            painter.fillRect(shown, Qt::white);
            return;
        }
        const double scaleX = double(m_picture->width()) / width();
        const double scaleY = double(m_picture->height()) / height();
        const QRectF source(shown.x() * scaleX, shown.y() * scaleY, shown.width() * scaleX, shown.height() * scaleY);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(shown), *m_picture, source);
    }

private:
    const QImage* m_picture;
};

// The crop frame: a white dash-dot outline, filled with a diagonal cross except while it is dragged.
class TCropShape final : public QWidget
{
public:
    explicit TCropShape(QWidget* parent)
        : QWidget(parent)
    {
        setFixedSize(PhotoCut::FrameWidth, PhotoCut::FrameHeight);
        setCursor(Qt::SizeAllCursor);
    }

    void SetFilled(bool filled)
    {
        m_filled = filled;
        update();
    }
    bool Filled() const { return m_filled; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (m_filled)
            painter.fillRect(rect(), QBrush(Qt::white, Qt::DiagCrossPattern));
        painter.setPen(QPen(Qt::white, 1, Qt::DashDotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    bool m_filled = true;
};

QAction* ToolAction(QToolBar* bar, const QString& name, const QString& caption, int picture, const QKeySequence& key)
{
    QAction* action = bar->addAction(MainData().LagreIcons().Icon(picture), caption);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    return action;
}

} // namespace

TImgEditFrame::TImgEditFrame(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_tbarImg(new QToolBar(this))
    , m_gbSlider(new QGroupBox(u"Масштаб"_s, this))
    , m_slider(new QSlider(Qt::Horizontal, m_gbSlider))
    , m_view(new QWidget(this))
    , m_box(new QWidget(m_view))
    , m_image(new TWorkPicture(&m_picture, m_box))
    , m_shape(new TCropShape(m_box))
    , m_hBar(new QScrollBar(Qt::Horizontal, m_view))
    , m_vBar(new QScrollBar(Qt::Vertical, m_view))
    , m_pFoto(new TDBImageFrame(this))
{
    setObjectName(u"ImgEditFrame"_s);
    m_tbarImg->setObjectName(u"tbarImg"_s);
    m_tbarImg->setIconSize(MainData().LagreIcons().Size());
    m_tbarImg->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_tbLoad = ToolAction(m_tbarImg, u"tbLoad"_s, u"Загрузить"_s, LoadPicture, QKeySequence::Open);
    m_tbPaste = ToolAction(m_tbarImg, u"tbPaste"_s, u"Вставить"_s, PastePicture, QKeySequence::Paste);
    m_tbClear = ToolAction(m_tbarImg, u"tbClear"_s, u"Очистить"_s, ClearPicture, QKeySequence(Qt::CTRL | Qt::Key_Delete));
    connect(m_tbLoad, &QAction::triggered, this, &TImgEditFrame::tbLoadClick);
    connect(m_tbPaste, &QAction::triggered, this, &TImgEditFrame::tbPasteClick);
    connect(m_tbClear, &QAction::triggered, this, &TImgEditFrame::tbClearClick);

    m_gbSlider->setObjectName(u"gbSlider"_s);
    m_slider->setObjectName(u"MSlider"_s);
    m_slider->setRange(0, PhotoCut::MaxZoom);
    m_slider->setSingleStep(ZoomStep);
    m_slider->setPageStep(5 * ZoomStep);
    m_slider->setValue(100);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setTickInterval(25);
    auto* sliderLayout = new QVBoxLayout(m_gbSlider);
    sliderLayout->addWidget(m_slider);
    connect(m_slider, &QSlider::valueChanged, this, &TImgEditFrame::MSliderChange);

    m_view->setObjectName(u"pView"_s);
    m_view->setFixedSize(ViewSize);
    m_box->setObjectName(u"sBox"_s);
    m_box->setFocusPolicy(Qt::StrongFocus);
    m_box->setAutoFillBackground(true);
    QPalette dark = m_box->palette();
    dark.setColor(QPalette::Window, QColor(96, 96, 96));
    m_box->setPalette(dark);
    m_box->setGeometry(QRect(QPoint(0, 0), ViewSize));
    m_image->setObjectName(u"LImage"_s);
    m_image->hide();
    m_shape->setObjectName(u"Shp"_s);
    m_shape->move((ViewSize.width() - PhotoCut::FrameWidth) / 2, (ViewSize.height() - PhotoCut::FrameHeight) / 2);
    m_shape->raise();
    m_hBar->setObjectName(u"sHB"_s);
    m_vBar->setObjectName(u"sVB"_s);
    m_hBar->hide();
    m_vBar->hide();
    connect(m_hBar, &QScrollBar::valueChanged, this, [this](int value) { ScrollTo(value, m_vPos); });
    connect(m_vBar, &QScrollBar::valueChanged, this, [this](int value) { ScrollTo(m_hPos, value); });
    m_box->installEventFilter(this);
    m_image->installEventFilter(this);
    m_shape->installEventFilter(this);

    m_pFoto->setObjectName(u"pFoto"_s);
    m_pFoto->SetFoneString(u"Фото"_s);
    m_pFoto->setFixedSize(PhotoCut::CutWidth + 4, PhotoCut::CutHeight + 4);
    // Display only: clicks pass it by, and it keeps its colours (a disabled frame would grey the cut-out).
    m_pFoto->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pFoto->setFocusPolicy(Qt::NoFocus);

    auto* side = new QVBoxLayout;
    side->addWidget(m_pFoto, 0, Qt::AlignHCenter);
    side->addWidget(m_gbSlider);
    side->addStretch();
    auto* work = new QHBoxLayout;
    work->addWidget(m_view);
    work->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tbarImg);
    layout->addLayout(work);
}

TImgEditFrame::~TImgEditFrame() = default;

QString TImgEditFrame::ImageFilter()
{
    return u"Image Format (*.bmp *.jpg *.png)"_s;
}

void TImgEditFrame::SetMasterDBInfo(TDBMainInfo* record)
{
    TBaseDBFrame::SetMasterDBInfo(record);
    m_pFoto->SetMasterDBInfo(MasterDBInfo());
    if (const TDBMainInfo* master = MasterDBInfo())
        m_pFoto->SetDeadVisible(PersonView(*master).IsDead());
}

void TImgEditFrame::tbLoadClick()
{
    const QString path = FileDialogs().OpenFileName(u"Выбор фото"_s, QString(), ImageFilter());
    if (path.isEmpty())
        return;
    const QImage picture = PhotoCut::ReadFile(path);
    if (picture.isNull()) {
        Messages().ShowMessage(u"Файл «%1» не удалось прочитать как изображение.\nВыберите файл BMP, JPG или PNG."_s.arg(path));
        return;
    }
    TakePicture(picture);
}

void TImgEditFrame::tbPasteClick()
{
    const QByteArray bytes = Clipboard().Picture();
    const QImage picture = bytes.isEmpty() ? QImage() : PhotoCut::Read(bytes);
    if (picture.isNull()) {
        Messages().ShowMessage(u"В буфере обмена нет изображения.\nСкопируйте фото в буфер обмена и вставьте его снова."_s);
        return;
    }
    TakePicture(picture);
}

void TImgEditFrame::tbClearClick()
{
    m_pFoto->ShowCutOut(QImage());
}

void TImgEditFrame::TakePicture(const QImage& picture)
{
    m_picture = picture;
    m_natural = picture.size();
    m_hPos = 0;
    m_vPos = 0;
    m_image->move(0, 0);
    m_image->resize(m_natural);
    m_image->show();
    m_shape->raise();
    const QSignalBlocker blocker(m_slider);
    m_slider->setValue(100);
    MSliderChange();
}

void TImgEditFrame::MSliderChange()
{
    if (m_picture.isNull())
        return;
    m_image->resize(PhotoCut::ZoomedSize(m_natural, m_slider->value()));
    LayoutScrollBars();
    CutOut();
}

// A bar shows when the picture does not fit the box along it; the box gives up the bar's room, which may
// make the other bar needed too.
void TImgEditFrame::LayoutScrollBars()
{
    const QSize picture = m_image->size();
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_view);
    bool horizontal = false;
    bool vertical = false;
    for (int pass = 0; pass < 3; ++pass) {
        const bool wide = picture.width() > ViewSize.width() - (vertical ? extent : 0);
        const bool high = picture.height() > ViewSize.height() - (horizontal ? extent : 0);
        if (wide == horizontal && high == vertical)
            break;
        horizontal = wide;
        vertical = high;
    }
    const QSize box(ViewSize.width() - (vertical ? extent : 0), ViewSize.height() - (horizontal ? extent : 0));
    m_box->setGeometry(QRect(QPoint(0, 0), box));
    m_hBar->setGeometry(0, box.height(), box.width(), extent);
    m_vBar->setGeometry(box.width(), 0, extent, box.height());
    m_hBar->setVisible(horizontal);
    m_vBar->setVisible(vertical);

    const auto lay = [](QScrollBar* bar, bool shown, int pictureSide, int boxSide, int& position) {
        const QSignalBlocker blocker(bar);
        if (!shown) {
            position = 0;
            bar->setRange(0, 0);
            return;
        }
        const int maximum = pictureSide - boxSide;
        bar->setRange(0, maximum);
        bar->setSingleStep(std::max(1, maximum / 10));
        bar->setPageStep(std::max(1, maximum / 4));
        // The picture's far edge never stops short of the box's.
        position = std::clamp(position, 0, maximum);
        bar->setValue(position);
    };
    lay(m_hBar, horizontal, picture.width(), box.width(), m_hPos);
    lay(m_vBar, vertical, picture.height(), box.height(), m_vPos);
    m_image->move(-m_hPos, -m_vPos);
    MoveShape(m_shape->pos());
}

void TImgEditFrame::ScrollTo(int horizontal, int vertical)
{
    m_hPos = horizontal;
    m_vPos = vertical;
    m_image->move(-m_hPos, -m_vPos);
    CutOut();
}

QPoint TImgEditFrame::CutTopLeft() const
{
    return m_shape->pos() + QPoint(m_hPos, m_vPos);
}

void TImgEditFrame::MoveShape(const QPoint& position)
{
    const int left = std::clamp(position.x(), 0, std::max(0, m_box->width() - PhotoCut::FrameWidth));
    const int top = std::clamp(position.y(), 0, std::max(0, m_box->height() - PhotoCut::FrameHeight));
    m_shape->move(left, top);
    CutOut();
}

void TImgEditFrame::CutOut()
{
    if (m_picture.isNull())
        return;
    m_pFoto->ShowCutOut(PhotoCut::Cut(m_picture, m_image->size(), CutTopLeft()));
}

bool TImgEditFrame::eventFilter(QObject* watched, QEvent* event)
{
    auto* shape = static_cast<TCropShape*>(m_shape);
    const bool inBox = watched == m_box || watched == m_image || watched == m_shape;
    if (inBox && event->type() == QEvent::Wheel) {
        // A turn towards the user (downwards) zooms in, a turn away zooms out.
        const int turn = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (turn != 0)
            m_slider->setValue(m_slider->value() + (turn < 0 ? 1 : -1) * m_slider->singleStep());
        return true;
    }
    if (watched == m_shape) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton)
                break;
            m_dragStart = mouse->globalPosition().toPoint();
            m_shapeStart = m_shape->pos();
            shape->SetFilled(false);
            m_box->setFocus(Qt::MouseFocusReason);
            return true;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!(mouse->buttons() & Qt::LeftButton))
                break;
            MoveShape(m_shapeStart + mouse->globalPosition().toPoint() - m_dragStart);
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                shape->SetFilled(true);
                return true;
            }
            break;
        default:
            break;
        }
    } else if (watched == m_box && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int step = key->modifiers() & Qt::ShiftModifier ? 10 : 1;
        QPoint offset;
        switch (key->key()) {
        case Qt::Key_Left: offset = QPoint(-step, 0); break;
        case Qt::Key_Right: offset = QPoint(step, 0); break;
        case Qt::Key_Up: offset = QPoint(0, -step); break;
        case Qt::Key_Down: offset = QPoint(0, step); break;
        default: return false;
        }
        MoveShape(m_shape->pos() + offset);
        return true;
    }
    return TBaseDBFrame::eventFilter(watched, event);
}
