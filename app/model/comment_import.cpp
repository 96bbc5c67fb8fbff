#include "app/model/comment_import.h"

#include "app/model/eight_bit_text.h"

#include <QFileInfo>

namespace scrivlet {

CommentImport::CommentImport(const QString &path) : m_file(path)
{}

bool CommentImport::open()
{
    // Only regular files: a folder or a pipe would fail or block in a plain read.
    if (!QFileInfo(m_file.fileName()).isFile())
        return false;
    return m_file.open(QIODevice::ReadOnly);
}

bool CommentImport::tooLarge() const
{
    return m_file.size() > MaxBytes;
}

std::optional<QString> CommentImport::readText()
{
    // One byte beyond the limit, so a file that grew since its size was taken is refused too.
    const QByteArray bytes = m_file.read(MaxBytes + 1);
    if (bytes.size() > MaxBytes || m_file.error() != QFileDevice::NoError)
        return std::nullopt;
    // A byte order mark tells the encoding; it is no part of the text.
    const QByteArrayView bom("\xEF\xBB\xBF");
    return EightBitText::decode(bytes.startsWith(bom) ? QByteArrayView(bytes).sliced(bom.size()) : bytes);
}

} // namespace scrivlet
