#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

/**
 * \brief The arithmetic of the photo editor: the zoomed size of the working picture, where the crop frame
 * cuts in the picture's own pixels, the cut-out itself, and the reading of a loaded picture.
 *
 * A cut never stretches the whole picture: only the source pixels under the crop frame are scaled, so a
 * drag costs the same whatever the size of the picture and its zoom.
 */
namespace PhotoCut {

/// The stored cut-out: 100 pixels wide, 115 high.
constexpr int CutWidth = 100;
constexpr int CutHeight = 115;
/// The crop frame on screen: the cut-out with its one-pixel outline.
constexpr int FrameWidth = CutWidth + 2;
constexpr int FrameHeight = CutHeight + 2;
/// The zoom in percent; a zoom below MinZoom counts as MinZoom, so a picture never shrinks to nothing.
constexpr int MinZoom = 1;
constexpr int MaxZoom = 200;
/// The longest side a loaded picture keeps; larger pictures are scaled down when they are read.
constexpr int MaxLoadedSide = 1600;

/// \a natural at \a zoom percent (whole pixels, rounded down, at least one pixel; zoom clamped to MinZoom).
QSize ZoomedSize(const QSize& natural, int zoom);

/// The rectangle of the picture's own pixels (of size \a natural) under a cut-out whose top-left corner is
/// \a cutTopLeft on the picture shown at \a zoomed; clipped to the picture, empty when the cut-out lies
/// beside it.
QRect SourceRect(const QSize& natural, const QSize& zoomed, const QPoint& cutTopLeft);

/// The 100 x 115 cut-out at \a cutTopLeft of \a picture shown at \a zoomed; white where the cut-out
/// reaches past the picture. A null picture gives a null cut-out.
QImage Cut(const QImage& picture, const QSize& zoomed, const QPoint& cutTopLeft);

/// Reads a picture from \a bytes (any format the imaging library knows), scaled down to MaxLoadedSide on its
/// long side while it is decoded, so that a huge photo never lies in memory at full size. Null when the bytes
/// are no picture.
QImage Read(const QByteArray& bytes);
/// The same from the file \a path.
QImage ReadFile(const QString& path);

} // namespace PhotoCut
