#include "controls/progress_bar/progress_buffer.h"

#include "controls/raster/canvas.h"

namespace scrivlet {

ProgressBuffer::ProgressBuffer() = default;
ProgressBuffer::~ProgressBuffer() = default;

gdi::Canvas *ProgressBuffer::EnsureBuffer(int width, int height)
{
    if (m_dc) {
        if (width > m_width || height > m_height)
            CreateBuffer(width, height);
    } else if (width > 0 && height > 0) {
        CreateBuffer(width, height);
    }
    return m_dc.get();
}

bool ProgressBuffer::CreateBuffer(int width, int height)
{
    ReleaseBuffer();
    if (width <= 0 || height <= 0)
        return false;
    QImage bitmap(width, height, QImage::Format_RGB32);
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
