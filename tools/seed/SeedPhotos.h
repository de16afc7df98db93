#pragma once

#include <QByteArray>

namespace SeedPhotos {

/// Whether the demonstration person \a index carries a photo: a few of the first people do.
bool HasPortrait(int index);
/// A portrait drawn for person \a index (a head and shoulders on a coloured ground, hair by \a female), as
/// the photo editor stores one: JPEG, 100 x 115. The same index always gives the same picture.
QByteArray Portrait(int index, bool female);

} // namespace SeedPhotos
