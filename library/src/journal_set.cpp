#include "library/src/journal_set.h"

#include "scrivlet.h"

#ifndef _WIN32
#include <pthread.h>
#endif

namespace scrivlet {

JournalSet &JournalSet::process()
{
    static JournalSet set;
    return set;
}

JournalSet::JournalSet()
{
#ifndef _WIN32
    // A child forked in the middle of a change would otherwise write its records over its
    // parent's; the mutex is held across the fork so that no change is half recorded in it.
    ::pthread_atfork([] { process().m_mutex.lock(); }, [] { process().m_mutex.unlock(); },
                     [] {
                         process().forgetInherited();
                         process().m_mutex.unlock();
                     });
#endif
}

void JournalSet::forgetInherited()
{
    m_journal.forget();
    m_watched.clear();
    m_seen.reset();
}

int JournalSet::follow(const recovery::Report &report)
{
    const std::string location = JournalFolder::location();
    if (location != m_location) {
        m_journal.setFolder(nullptr); // removed while the old folder is still open
        m_watched.clear();
        m_seen.reset();
        m_folder.close();
        m_location = location;
        m_journal.setFolder(&m_folder);
    }
    if (m_location.empty() || m_folder.isOpen())
        return SCRIVLET_OK;
    // Made only when the first record needs it.
    const int status = m_folder.open(m_location, false);
    if (status == SCRIVLET_E_UNSAFE) {
        if (report)
            report(m_location, status);
        return status;
    }
    return SCRIVLET_OK;
}

int JournalSet::retryOwn(FileAccess *held, const recovery::Report &report)
{
    if (m_journal.unfinished().empty())
        return SCRIVLET_OK;
    recovery::Filter filter;
    filter.held = held;
    filter.onlyHeld = held != nullptr;
    const recovery::Settled settled = recovery::settleJournal(m_journal.file(), filter, report);
    m_journal.forgetSettled();
    return settled.first;
}

int JournalSet::scan(const recovery::Filter &filter, const recovery::Report &report)
{
    // Taken first: a journal that comes while the folder is read changes it again.
    const std::optional<std::uint64_t> generation = m_folder.generation();
    std::vector<std::string> names;
    std::vector<std::string> setAside;
    if (m_folder.list(names, &setAside) != SCRIVLET_OK)
        return SCRIVLET_E_JOURNAL;
    m_watched.clear();
    int first = SCRIVLET_OK;
    const auto note = [&first](int status) {
        if (first == SCRIVLET_OK)
            first = status;
    };
    for (const std::string &name : names) {
        if (name == m_journal.name())
            continue;
        FileAccess journal;
        if (const int status = m_folder.openJournal(name, journal); status != SCRIVLET_OK) {
            if (status == SCRIVLET_E_UNSAFE) {
                if (report)
                    report(m_folder.pathOf(name), status);
                note(status);
            }
            continue; // gone meanwhile
        }
        const int locked = journal.lock(FileAccess::Lock::Exclusive, false);
        if (locked == SCRIVLET_E_BUSY) {
            // Its process runs (or another one recovers it): only the records of a file held
            // locked may be settled, its writer having let go of that file.
            if (filter.held != nullptr && filter.discard == nullptr) {
                recovery::Filter held = filter;
                held.onlyHeld = true;
                note(recovery::settleJournal(journal, held, report).first);
            }
            m_watched.push_back(std::move(journal));
            continue;
        }
        if (locked != SCRIVLET_OK)
            continue;
        const recovery::Settled settled = recovery::settleJournal(journal, filter, report);
        note(settled.first);
        std::string aside;
        if (settled.damaged && m_folder.setAside(name, aside) == SCRIVLET_OK) {
            if (report)
                report(aside, SCRIVLET_E_JOURNAL);
            note(SCRIVLET_E_JOURNAL);
        } else if (settled.allFinal) {
            m_folder.remove(name, journal); // still locked: nobody settles it twice
        } else {
            m_watched.push_back(std::move(journal)); // kept records: a change of their inode settles them
        }
    }
    if (report && filter.held == nullptr && filter.discard == nullptr) {
        for (const std::string &name : setAside) {
            report(m_folder.pathOf(name), SCRIVLET_E_JOURNAL);
            note(SCRIVLET_E_JOURNAL);
        }
    }
    m_seen = generation;
    return first;
}

int JournalSet::beforeLock()
{
    if (const int status = follow({}); status != SCRIVLET_OK)
        return status;
    if (!m_folder.isOpen())
        return SCRIVLET_OK;
    retryOwn(nullptr, {});
    const std::optional<std::uint64_t> generation = m_folder.generation();
    if (!generation || generation != m_seen)
        scan({}, {});
    return SCRIVLET_OK;
}

void JournalSet::settleHeld(FileAccess &file)
{
    recovery::Filter filter;
    filter.held = &file;
    filter.onlyHeld = true;
    for (FileAccess &journal : m_watched)
        recovery::settleJournal(journal, filter, {});
    retryOwn(&file, {});
}

int JournalSet::recoverAll(const recovery::Report &report)
{
    if (const int status = follow(report); status != SCRIVLET_OK)
        return status;
    if (m_location.empty())
        return SCRIVLET_E_JOURNAL;
    if (!m_folder.isOpen())
        return SCRIVLET_OK; // no folder yet: nothing was ever recorded
    const int own = retryOwn(nullptr, report);
    const int others = scan({}, report);
    return own != SCRIVLET_OK ? own : others;
}

int JournalSet::settleFile(const char *path, bool discard, const recovery::Report &report)
{
    if (const int status = follow(report); status != SCRIVLET_OK)
        return status;
    if (m_location.empty())
        return SCRIVLET_E_JOURNAL;
    recovery::Filter filter;
    std::string absolute;
    FileAccess file;
    if (discard) {
        if (const int status = Journal::absolutePath(path, absolute); status != SCRIVLET_OK)
            return status;
        filter.discard = &absolute;
    } else {
        if (const int status = file.open(path, FileAccess::Mode::Update, FileAccess::Lock::Exclusive);
            status != SCRIVLET_OK)
            return status;
        filter.held = &file;
        filter.onlyHeld = true;
    }
    if (!m_folder.isOpen())
        return SCRIVLET_OK;
    const int own = discard ? SCRIVLET_OK : retryOwn(&file, report);
    const int others = scan(filter, report);
    return own != SCRIVLET_OK ? own : others;
}

} // namespace scrivlet
