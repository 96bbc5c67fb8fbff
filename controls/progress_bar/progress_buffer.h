#pragma once
// ProgressBuffer: the bar's off-screen picture with the canvas that draws on it. It grows when the
// bar needs more room and never shrinks, so resizing back and forth does not reallocate.
#include <QImage>
#include <QSize>
#include <memory>

namespace scrivlet {

namespace gdi {
class Canvas;
}

class ProgressBuffer
{
public:
    ProgressBuffer();
    ~ProgressBuffer();
    ProgressBuffer(const ProgressBuffer &) = delete;
    ProgressBuffer &operator=(const ProgressBuffer &) = delete;

    // The canvas of a buffer at least width x height: an existing one is re-made at that size only
    // when it is narrower or lower; a first one is made only for a positive size. Null when there
    // is no buffer.
    // A buffer of another scale is made anew.
    gdi::Canvas *EnsureBuffer(int width, int height, qreal scale = 1.0);
    // Replaces the buffer by a new black one of the given size (1x pixels, drawn at the scale);
    // false (and no buffer) when the picture cannot be allocated.
    bool CreateBuffer(int width, int height, qreal scale = 1.0);
    void ReleaseBuffer();

    gdi::Canvas *dc() const { return m_dc.get(); }
    const QImage &image() const { return m_bitmap; }
    QSize size() const { return {m_width, m_height}; }

private:
    QImage m_bitmap;
    std::unique_ptr<gdi::Canvas> m_dc;
    int m_width = 0;
    int m_height = 0;
};

} // namespace scrivlet
