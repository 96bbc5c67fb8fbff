#include "library/src/recovery.h"

#include "library/src/journal_record.h"
#include "scrivlet.h"

#include <algorithm>
#include <span>

namespace scrivlet::recovery {

namespace {

// openAndSettle's answer for a record that the file in hand turned out not to concern.
constexpr int kNotItsFile = -1000;

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
    if (held == nullptr || held->identity().inode != record.identity.inode) {
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
    // The same inode on another device may be another file altogether: only a tail that matches
    // the record proves it is the record's; anything else must not end the record.
    if (file == held && outcome <= 0 && held->identity().device != record.identity.device)
        return kNotItsFile;
    return outcome;
}

} // namespace

bool isFinal(int outcome)
{
    return outcome > 0 || outcome == SCRIVLET_E_CHANGED;
}

int settle(const JournalRecord &record, FileAccess &file)
{
    if (file.identity().inode != record.identity.inode)
        return SCRIVLET_E_NOENT;
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

Settled settleJournal(FileAccess &journal, const Filter &filter, const Report &report)
{
    Settled settled;
    std::string header(4096, '\0');
    std::uint64_t offset = 0;
    bool suspect = false; // a record failed its checksum: torn, unless an unfinished one follows
    while (true) {
        std::size_t got = 0;
        if (journal.readSomeAt(offset, header, got) != SCRIVLET_OK)
            break;
        const std::span<const char> head = std::span<const char>(header).first(got);
        const auto size = JournalRecord::sizeOf(head);
        if (!size)
            break;
        offset += *size;
        if (JournalRecord::stateOf(head) != JournalRecord::State::InFlight)
            continue;
        if (suspect)
            settled.damaged = true;
        const bool wanted =
            !filter.onlyHeld || (filter.held != nullptr &&
                                 JournalRecord::identityOf(head).inode == filter.held->identity().inode);
        if (!wanted && filter.discard == nullptr) {
            settled.allFinal = false;
            continue;
        }
        std::string bytes(static_cast<std::size_t>(*size), '\0');
        std::size_t read = 0;
        if (journal.readSomeAt(offset - *size, bytes, read) != SCRIVLET_OK || read < bytes.size())
            break; // shorter than its size: being written when its process ended
        const auto record = JournalRecord::decode(bytes);
        if (!record) {
            suspect = true;
            continue;
        }
        if (filter.discard != nullptr) {
            if (record->path != *filter.discard) {
                settled.allFinal = false;
            } else if (mark(journal, offset - *size) == SCRIVLET_OK) {
                if (report)
                    report(record->path, SCRIVLET_RECOVERED_DISCARDED);
            } else {
                settled.allFinal = false;
            }
            continue;
        }
        const int outcome = openAndSettle(journal, offset - *size, *record, filter.held);
        if (outcome == kNotItsFile) {
            settled.allFinal = false;
            continue;
        }
        const bool marked = isFinal(outcome) && mark(journal, offset - *size) == SCRIVLET_OK;
        if (outcome == 0)
            continue;
        if (report)
            report(record->path, outcome);
        settled.allFinal = settled.allFinal && marked;
        if (outcome < 0 && settled.first == SCRIVLET_OK)
            settled.first = outcome;
    }
    return settled;
}

} // namespace scrivlet::recovery
