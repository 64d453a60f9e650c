#pragma once

#include <QRect>
#include <QSize>

// How a source picture sits in a preview that fits it whole, centred (as the player shows it),
// and how a selection on the preview maps back to source pixels.
namespace PreviewGeometry {
// The picture's size in an area: fitted to the area's height unless that is too wide.
QSize fitted(const QSize& source, const QSize& area);
// A selection in preview coordinates as a crop of the source: clipped to the picture, offsets from
// the picture's own corner. A side that spans the whole picture gives exactly the source size;
// other sizes are rounded down to even numbers, which the encoders need. No overlap gives 0 x 0.
QRect selectionToSource(const QRect& selection, const QSize& preview, const QSize& source);
} // namespace PreviewGeometry
