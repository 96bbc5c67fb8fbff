#pragma once
// Exact image comparison for pixel tests: both images are compared as Format_RGB32. On a mismatch
// the failure names the first differing pixel and the images are saved as <name>-actual.png and
// <name>-expected.png in the build folder's test-images/.
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

namespace scrivlet {

::testing::AssertionResult imagesEqual(const QImage &actual, const QImage &expected, const QString &name);

// Same, but only the pixels where mask is non-zero (mask.size() == expected.size()) are compared;
// used to keep text out of exact comparisons.
::testing::AssertionResult imagesEqualWhere(const QImage &actual, const QImage &expected, const QImage &mask,
                                            const QString &name);

// The image with every pixel repeated factor x factor times: a 1x drawing as a 2x screen shows it
// when the drawing is merely blown up.
QImage enlarged(const QImage &image, int factor);

// How many pixels from start, stepping by step, have start's colour: the width of a stroke.
int runLength(const QImage &image, QPoint start, QPoint step);

// A colour as it appears in a Format_RGB32 image, from a 0x00BBGGRR value.
QRgb rgbFromColorRef(unsigned colorRef);

} // namespace scrivlet
