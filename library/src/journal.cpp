#include "library/src/journal.h"

#include "library/src/journal_folder.h"
#include "library/src/journal_record.h"
#include "library/src/tail_change.h"
#include "scrivlet.h"

#include <algorithm>
#include <span>

namespace scrivlet {

Journal::~Journal()
{
    close();
}

void Journal::setFolder(const std::string &folder)
{
    if (folder == m_folder)
        return;
    close();
    m_folder = folder;
}

void Journal::close()
{
    if (!m_file.isOpen())
        return;
    // Removed while still locked, so nobody finds it unlocked and empty; a journal with unfinished
    // records stays for a recovery once the lock has gone with the file.
    if (m_unfinished.empty())
        journal_folder::removeJournal(m_path);
    m_file.close();
    m_path.clear();
    m_end = 0;
    m_unfinished.clear();
    m_folderSynced = false;
}

int Journal::create(bool sync)
{
    if (m_folder.empty() || journal_folder::make(m_folder) != SCRIVLET_OK)
        return SCRIVLET_E_JOURNAL;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = journal_folder::newJournalPath(m_folder);
        const int status = m_file.open(path.c_str(), FileAccess::Mode::Create);
        if (status == SCRIVLET_E_CHANGED)
            continue; // the name is taken
        if (status != SCRIVLET_OK)
            return SCRIVLET_E_JOURNAL;
        if (m_file.lock(FileAccess::Lock::Exclusive, false) != SCRIVLET_OK) {
            m_file.close();
            journal_folder::removeJournal(path);
            return SCRIVLET_E_JOURNAL;
        }
        m_path = path;
        m_folderSynced = sync && journal_folder::sync(m_folder) == SCRIVLET_OK;
        return SCRIVLET_OK;
    }
    return SCRIVLET_E_JOURNAL;
}

int Journal::begin(const char *path, const FileAccess &file, const TailChange &change, std::uint64_t &record)
{
    if (!m_file.isOpen()) {
        if (const int status = create(change.sync); status != SCRIVLET_OK)
            return status;
    }
    JournalRecord entry;
    entry.path = path;
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
        if (!m_folderSynced && journal_folder::sync(m_folder) != SCRIVLET_OK)
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
    m_path.clear();
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
