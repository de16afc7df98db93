#pragma once

#include "shell/frames/BaseDBFrame.h"

#include <QImage>
#include <QString>

class QLabel;

/**
 * \brief The photo of a person or the logo of an organization in their editors: the record's JPEG picture
 * fitted into the frame and centred, the mark of a dead person in its corner, and a caption ("Фото",
 * "Логотип") where there is no picture. A click opens the photo dialog; a changed picture is written back
 * with the host's save. The frame keeps the bytes it was given and stores them as they are: a photo is
 * encoded only once, when a new picture is set, never again on every save.
 */
class TDBImageFrame final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDBImageFrame)

public:
    /// The dialog kind of the photo dialog.
    static constexpr int PhotoDialogKind = 1001;

    explicit TDBImageFrame(QWidget* parent = nullptr);
    ~TDBImageFrame() override;

    bool DeadVisible() const { return m_deadVisible; }
    void SetDeadVisible(bool visible);
    const QString& FoneString() const { return m_foneString; }
    void SetFoneString(const QString& caption);

    /// The picture shown (null when none).
    const QImage& Picture() const { return m_picture; }
    /// The stored bytes of the picture, as the record or the photo dialog gave them (empty when none).
    const QByteArray& PictureBytes() const { return m_bytes; }
    /// Shows \a picture (a new cut-out) and marks the frame changed; its JPEG encoding is what the host's
    /// save stores. False when it cannot be encoded: the picture and its bytes then stay as they were.
    bool SetPicture(const QImage& picture);
    /// Shows \a picture (a cut-out still being made; null: no picture) and marks the frame changed. It is
    /// encoded once, by the next StoreData, however often it was replaced before.
    void ShowCutOut(const QImage& picture);
    /// Whether the picture changed since it was loaded.
    bool Changed() const { return m_changed; }
    QLabel* Foto() const { return m_foto; }
    QLabel* imgDead() const { return m_imgDead; }
    QWidget* p() const { return m_panel; }

    void LoadData() override;
    void StoreData() override;
    /// Opens the photo dialog on the picture; a picture chosen there replaces it (ignored while disabled).
    void FrameClick();

    /// The bytes of \a picture as JPEG with the imaging library's default settings; empty for no picture.
    static QByteArray JpegBytes(const QImage& picture);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowPhotoOf(const TDBMainInfo& record);
    void Place();

    QWidget* m_panel;
    QLabel* m_caption;
    QLabel* m_foto;
    QLabel* m_imgDead;
    QImage m_picture;
    QByteArray m_bytes;
    QString m_foneString;
    bool m_deadVisible = false;
    bool m_changed = false;
    bool m_encodePending = false;
};
