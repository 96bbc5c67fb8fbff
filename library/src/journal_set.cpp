#include "library/src/journal_set.h"

#include "library/src/journal_folder.h"
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
    m_stamp.reset();
}

void JournalSet::follow(const std::string &folder)
{
    if (folder == m_folder)
        return;
    m_folder = folder;
    m_stamp.reset();
    m_watched.clear();
    m_journal.setFolder(folder);
}

int JournalSet::retryOwn(FileAccess *held, const recovery::Report &report)
{
    if (m_journal.unfinished().empty())
        return SCRIVLET_OK;
    bool allFinal = false;
    const int status = recovery::settleJournal(m_journal.file(), held, held != nullptr, report, allFinal);
    m_journal.forgetSettled();
    return status;
}

int JournalSet::scan(const recovery::Report &report)
{
    // The stamp is taken first: a journal that comes while the folder is read changes it again.
    const std::optional<std::string> stamp = journal_folder::stamp(m_folder);
    std::vector<std::string> journals;
    if (journal_folder::list(m_folder, journals) != SCRIVLET_OK)
        return SCRIVLET_E_JOURNAL;
    m_watched.clear();
    int first = SCRIVLET_OK;
    for (const std::string &path : journals) {
        if (path == m_journal.path())
            continue;
        FileAccess journal;
        if (journal.open(path.c_str(), FileAccess::Mode::Update) != SCRIVLET_OK)
            continue; // gone meanwhile, or not ours to touch
        const int locked = journal.lock(FileAccess::Lock::Exclusive, false);
        if (locked == SCRIVLET_E_BUSY) {
            m_watched.push_back(std::move(journal)); // its process runs (or another one recovers it)
            continue;
        }
        if (locked != SCRIVLET_OK)
            continue;
        bool allFinal = false;
        const int status = recovery::settleJournal(journal, nullptr, false, report, allFinal);
        if (first == SCRIVLET_OK)
            first = status;
        if (allFinal)
            journal_folder::removeJournal(path); // still locked: nobody settles it twice
    }
    m_stamp = stamp;
    return first;
}

void JournalSet::beforeLock()
{
    follow(journal_folder::location());
    if (m_folder.empty())
        return;
    retryOwn(nullptr, {});
    const std::optional<std::string> stamp = journal_folder::stamp(m_folder);
    if (!stamp || stamp != m_stamp)
        scan({});
}

void JournalSet::settleHeld(FileAccess &file)
{
    bool allFinal = false;
    for (FileAccess &journal : m_watched)
        recovery::settleJournal(journal, &file, true, {}, allFinal);
    retryOwn(&file, {});
}

int JournalSet::recoverAll(const recovery::Report &report)
{
    follow(journal_folder::location());
    if (m_folder.empty())
        return SCRIVLET_E_JOURNAL;
    const int own = retryOwn(nullptr, report);
    const int others = scan(report);
    return own != SCRIVLET_OK ? own : others;
}

} // namespace scrivlet
