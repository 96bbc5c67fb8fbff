#include "library/src/journal.h"

#include "library/src/journal_record.h"
#include "library/src/tail_change.h"
#include "scrivlet.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <span>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace scrivlet {

Journal::~Journal()
{
    close();
}

void Journal::setFolder(JournalFolder *folder)
{
    close();
    m_folder = folder;
}

int Journal::absolutePath(const char *path, std::string &absolute)
{
#ifdef _WIN32
    // An absolute path stays as given (its separators too); only a relative one is completed.
    const bool drive = std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                       (path[2] == '\\' || path[2] == '/');
    const bool share = (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
    if (drive || share) {
        absolute = path;
        return SCRIVLET_OK;
    }
    char full[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(path, sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full)
        return SCRIVLET_E_JOURNAL;
    absolute.assign(full, length);
#else
    if (path[0] == '/') {
        absolute = path;
        return SCRIVLET_OK;
    }
    char folder[PATH_MAX];
    if (::getcwd(folder, sizeof folder) == nullptr || folder[0] != '/')
        return SCRIVLET_E_JOURNAL;
    absolute = folder;
    if (absolute.back() != '/')
        absolute += '/';
    absolute += path;
#endif
    return SCRIVLET_OK;
}

void Journal::close()
{
    if (!m_file.isOpen())
        return;
    // Removed while still locked, so nobody finds it unlocked and empty; a journal with unfinished
    // records stays for a recovery once the lock has gone with the file.
    if (m_unfinished.empty() && m_folder != nullptr)
        m_folder->remove(m_name, m_file);
    m_file.close();
    m_name.clear();
    m_end = 0;
    m_unfinished.clear();
    m_folderSynced = false;
}

int Journal::create(bool sync)
{
    if (m_folder == nullptr || m_folder->path().empty())
        return SCRIVLET_E_JOURNAL;
    if (!m_folder->isOpen()) {
        if (const int status = m_folder->open(m_folder->path(), true); status != SCRIVLET_OK)
            return status == SCRIVLET_E_UNSAFE ? status : SCRIVLET_E_JOURNAL;
    }
    if (const int status = m_folder->create(m_file, m_name); status != SCRIVLET_OK)
        return status;
    m_folderSynced = sync && m_folder->sync() == SCRIVLET_OK;
    return SCRIVLET_OK;
}

int Journal::begin(const char *path, const FileAccess &file, const TailChange &change, std::uint64_t &record)
{
    JournalRecord entry;
    // Before the journal is made: a change refused here leaves no empty journal behind.
    if (const int status = absolutePath(path, entry.path); status != SCRIVLET_OK)
        return status;
    if (!m_file.isOpen()) {
        if (const int status = create(change.sync); status != SCRIVLET_OK)
            return status;
    }
    entry.identity = file.identity();
    entry.priorLength = file.length();
    entry.offset = change.offset;
    entry.before = change.before;
    entry.after = change.after;
    entry.times = file.times();
    entry.sync = change.sync;
    const std::string bytes = entry.encode();
    if (const int status = m_file.writeAt(m_end, bytes); status != SCRIVLET_OK)
        return status;
    if (change.sync) {
        // The record must be on the disk before the file changes, or a power cut could leave a
        // torn file without its record.
        if (const int status = m_file.sync(); status != SCRIVLET_OK)
            return status;
        if (!m_folderSynced && m_folder->sync() != SCRIVLET_OK)
            return SCRIVLET_E_JOURNAL;
        m_folderSynced = true;
    }
    record = m_end;
    m_unfinished.push_back(record);
    m_end += bytes.size();
    return SCRIVLET_OK;
}

int Journal::finish(std::uint64_t record)
{
    if (const int status = mark(record, JournalRecord::State::Done); status != SCRIVLET_OK)
        return status;
    std::erase(m_unfinished, record);
    if (m_unfinished.empty())
        m_end = 0;
    return SCRIVLET_OK;
}

int Journal::reopen(std::uint64_t record)
{
    return mark(record, JournalRecord::State::InFlight);
}

int Journal::mark(std::uint64_t record, JournalRecord::State state)
{
    const auto value = static_cast<std::uint32_t>(state);
    return m_file.writeAt(record + JournalRecord::kStateOffset,
                          std::span(reinterpret_cast<const char *>(&value), sizeof value));
}

} // namespace scrivlet

namespace scrivlet {

void Journal::forget()
{
    m_file.close();
    m_name.clear();
    m_end = 0;
    m_unfinished.clear();
    m_folderSynced = false;
}

void Journal::forgetSettled()
{
    std::erase_if(m_unfinished, [this](std::uint64_t record) {
        char header[JournalRecord::kHeaderSize];
        return m_file.readAt(record, header) != SCRIVLET_OK ||
               JournalRecord::stateOf(header) != JournalRecord::State::InFlight;
    });
    if (m_unfinished.empty())
        m_end = 0;
}

} // namespace scrivlet
