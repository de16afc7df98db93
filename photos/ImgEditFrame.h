#pragma once

#include "shell/frames/BaseDBFrame.h"

#include <QImage>
#include <QPoint>
#include <QSize>

class QAction;
class QGroupBox;
class QScrollBar;
class QSlider;
class QToolBar;
class TDBImageFrame;

/**
 * \brief The photo editor of the photo dialog: a picture loaded from a file or pasted from the clipboard,
 * zoomed with the slider or the mouse wheel, and a crop frame dragged over it; what lies under the frame is
 * the cut-out, shown in pFoto, which stores it (JPEG, 100 x 115) into the dialog's record when the dialog is
 * confirmed.
 *
 * A loaded picture keeps at most PhotoCut::MaxLoadedSide pixels on its long side; the working picture is
 * drawn only where it shows and a cut scales only the pixels under the crop frame, so nothing grows with the
 * zoom. The crop frame also moves with the arrow keys while the viewing box has the focus (Shift: by ten).
 */
class TImgEditFrame final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TImgEditFrame)

public:
    explicit TImgEditFrame(QWidget* parent = nullptr);
    ~TImgEditFrame() override;

    void SetMasterDBInfo(TDBMainInfo* record) override;

    /// The file filter of the picture choice.
    static QString ImageFilter();

    void tbLoadClick();
    void tbPasteClick();
    void tbClearClick();
    /// Applies the slider's zoom to the working picture, lays out the scroll bars and cuts.
    void MSliderChange();

    QToolBar* tbarImg() const { return m_tbarImg; }
    QAction* tbLoad() const { return m_tbLoad; }
    QAction* tbPaste() const { return m_tbPaste; }
    QAction* tbClear() const { return m_tbClear; }
    QGroupBox* gbSlider() const { return m_gbSlider; }
    QSlider* MSlider() const { return m_slider; }
    QWidget* sBox() const { return m_box; }
    QWidget* LImage() const { return m_image; }
    QWidget* Shp() const { return m_shape; }
    QScrollBar* sHB() const { return m_hBar; }
    QScrollBar* sVB() const { return m_vBar; }
    TDBImageFrame* pFoto() const { return m_pFoto; }

    /// The loaded picture (after its scaling down), null when none.
    const QImage& Picture() const { return m_picture; }
    /// The size of the loaded picture at zoom 100.
    QSize NaturalSize() const { return m_natural; }
    /// The top-left corner of the cut-out in the zoomed picture: the crop frame plus the scroll positions.
    QPoint CutTopLeft() const;
    /// Moves the crop frame to \a position in the viewing box, kept inside the box, and cuts.
    void MoveShape(const QPoint& position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TakePicture(const QImage& picture);
    void LayoutScrollBars();
    void ScrollTo(int horizontal, int vertical);
    void CutOut();

    QToolBar* m_tbarImg;
    QAction* m_tbLoad;
    QAction* m_tbPaste;
    QAction* m_tbClear;
    QGroupBox* m_gbSlider;
    QSlider* m_slider;
    QWidget* m_view;
    QWidget* m_box;
    QWidget* m_image;
    QWidget* m_shape;
    QScrollBar* m_hBar;
    QScrollBar* m_vBar;
    TDBImageFrame* m_pFoto;

    QImage m_picture;
    QSize m_natural;
    QPoint m_dragStart;
    QPoint m_shapeStart;
    int m_hPos = 0;
    int m_vPos = 0;
};
