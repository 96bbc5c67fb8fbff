#include "library/src/recovery.h"

#include "library/src/journal_record.h"
#include "scrivlet.h"

#include <algorithm>
#include <span>

namespace scrivlet::recovery {

namespace {

bool tornAs(const JournalRecord &record, std::string_view tail)
{
    const std::string_view before = record.before;
    const std::string_view after = record.after;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const bool isNew = i < after.size() && tail[i] == after[i];
        const bool isOld = i < before.size() ? tail[i] == before[i] : tail[i] == '\0';
        if (!isNew && !isOld)
            return false;
    }
    return true;
}

JournalRecord::State stateAt(const FileAccess &journal, std::uint64_t offset)
{
    char header[JournalRecord::kHeaderSize];
    if (journal.readAt(offset, header) != SCRIVLET_OK || !JournalRecord::sizeOf(header))
        return JournalRecord::State::Done;
    return JournalRecord::stateOf(header);
}

int mark(FileAccess &journal, std::uint64_t offset)
{
    const auto recovered = static_cast<std::uint32_t>(JournalRecord::State::Recovered);
    return journal.writeAt(offset + JournalRecord::kStateOffset,
                           std::span(reinterpret_cast<const char *>(&recovered), sizeof recovered));
}

// Opens and locks the record's file (or takes the caller's), looks at the record once more and
// settles it; 0 when someone else has settled it since.
int openAndSettle(const FileAccess &journal, std::uint64_t offset, const JournalRecord &record,
                  FileAccess *held)
{
    FileAccess *file = held;
    FileAccess own;
    if (held == nullptr || held->identity() != record.identity) {
        // The caller's own file would wait for its own lock: see whether the path names it first.
        bool isHeld = false;
        if (held != nullptr && own.open(record.path.c_str(), FileAccess::Mode::Read) == SCRIVLET_OK)
            isHeld = own.sameFileAs(*held);
        own.close();
        if (!isHeld) {
            const int status =
                own.open(record.path.c_str(), FileAccess::Mode::Update, FileAccess::Lock::Exclusive);
            if (status != SCRIVLET_OK)
                return stateAt(journal, offset) == JournalRecord::State::InFlight ? status : 0;
            file = &own;
        }
    }
    if (stateAt(journal, offset) != JournalRecord::State::InFlight)
        return 0;
    const int outcome = settle(record, *file);
    if (file == held && outcome == SCRIVLET_RECOVERED_RESTORED)
        held->refresh(true);
    return outcome;
}

} // namespace

bool isFinal(int outcome)
{
    return outcome > 0 || outcome == SCRIVLET_E_CHANGED || outcome == SCRIVLET_E_NOENT ||
           outcome == SCRIVLET_E_NOTREG;
}

int settle(const JournalRecord &record, FileAccess &file)
{
    if (file.identity().inode != record.identity.inode)
        return SCRIVLET_E_CHANGED;
    const std::uint64_t length = file.length();
    const std::uint64_t newLength = record.offset + record.after.size();
    if (length < std::min(record.priorLength, newLength) || length > std::max(record.priorLength, newLength))
        return SCRIVLET_E_CHANGED;
    std::string tail(static_cast<std::size_t>(length - record.offset), '\0');
    if (const int status = file.readAt(record.offset, tail); status != SCRIVLET_OK)
        return status;
    if (length == record.priorLength && tail == record.before)
        return SCRIVLET_RECOVERED_UNTOUCHED;
    if (length == newLength && tail == record.after)
        return SCRIVLET_RECOVERED_FINISHED;
    if (!tornAs(record, tail))
        return SCRIVLET_E_CHANGED;
    if (const int status = file.writeAt(record.offset, record.before); status != SCRIVLET_OK)
        return status;
    if (file.length() != record.priorLength) {
        if (const int status = file.truncate(record.priorLength); status != SCRIVLET_OK)
            return status;
    }
    file.setTimes(record.times); // best effort: the bytes are what counts
    if (record.sync) {
        if (const int status = file.sync(); status != SCRIVLET_OK)
            return status;
    }
    return SCRIVLET_RECOVERED_RESTORED;
}

int settleJournal(FileAccess &journal, FileAccess *held, bool onlyHeld, const Report &report, bool &allFinal)
{
    allFinal = true;
    int first = SCRIVLET_OK;
    std::string header(4096, '\0');
    std::uint64_t offset = 0;
    while (true) {
        std::size_t got = 0;
        if (journal.readSomeAt(offset, header, got) != SCRIVLET_OK)
            break;
        const std::span<const char> head = std::span<const char>(header).first(got);
        const auto size = JournalRecord::sizeOf(head);
        if (!size)
            break;
        const bool wanted =
            !onlyHeld || (held != nullptr && JournalRecord::identityOf(head) == held->identity());
        if (JournalRecord::stateOf(head) == JournalRecord::State::InFlight && wanted) {
            std::string bytes(static_cast<std::size_t>(*size), '\0');
            const auto record =
                journal.readAt(offset, bytes) == SCRIVLET_OK ? JournalRecord::decode(bytes) : std::nullopt;
            // A torn record was being written when its process ended: its file was not touched.
            if (record) {
                const int outcome = openAndSettle(journal, offset, *record, held);
                const bool marked = isFinal(outcome) && mark(journal, offset) == SCRIVLET_OK;
                if (outcome != 0) {
                    if (report)
                        report(record->path, outcome);
                    allFinal = allFinal && marked;
                    if (outcome < 0 && first == SCRIVLET_OK)
                        first = outcome;
                }
            }
        }
        offset += *size;
    }
    return first;
}

} // namespace scrivlet::recovery
