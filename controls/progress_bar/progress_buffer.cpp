#include "controls/progress_bar/progress_buffer.h"

#include "controls/raster/canvas.h"

namespace scrivlet {

ProgressBuffer::ProgressBuffer() = default;
ProgressBuffer::~ProgressBuffer() = default;

gdi::Canvas *ProgressBuffer::EnsureBuffer(int width, int height, qreal scale)
{
    if (m_dc) {
        if (width > m_width || height > m_height || scale != m_bitmap.devicePixelRatio())
            CreateBuffer(width, height, scale);
    } else if (width > 0 && height > 0) {
        CreateBuffer(width, height, scale);
    }
    return m_dc.get();
}

bool ProgressBuffer::CreateBuffer(int width, int height, qreal scale)
{
    ReleaseBuffer();
    if (width <= 0 || height <= 0)
        return false;
    QImage bitmap = gdi::Canvas::surfaceImage({width, height}, scale);
    if (bitmap.isNull())
        return false;       // too large to allocate
    bitmap.fill(Qt::black); // a fresh bitmap is black until drawn on
    m_bitmap = std::move(bitmap);
    m_dc = std::make_unique<gdi::Canvas>(m_bitmap);
    m_width = width;
    m_height = height;
    return true;
}

void ProgressBuffer::ReleaseBuffer()
{
    m_dc.reset();
    m_bitmap = QImage();
    m_width = 0;
    m_height = 0;
}

} // namespace scrivlet
