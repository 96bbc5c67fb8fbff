#include "cli/scriv_app.h"

#include "cli/comment_match.h"
#include "cli/comment_source.h"
#include "cli/comment_target.h"
#include "cli/library_binding.h"
#include "cli/ordered_reads.h"
#include "cli/output.h"
#include "cli/printer.h"
#include "cli/stop_signals.h"
#include "cli/target_list.h"
#include "core/comment_draft.h"
#include "core/recovery_words.h"
#include "scrivlet.h"

#include <algorithm>
#include <optional>

namespace scrivlet {

namespace {

using scrivlet::core::CommentDraft;
using scrivlet::core::RecoveryWords;

// Readers that overlap the reads of files whose data is not cached; on cached files they cost
// little more than one thread would.
constexpr unsigned kReaderThreads = 8;

TargetList targetsOf(const Invocation &invocation, TargetList::Mode mode)
{
    TargetList targets(mode, invocation.recursive);
    for (const std::string &path : invocation.paths)
        targets.add(path);
    if (mode == TargetList::Mode::Listing && invocation.paths.empty())
        targets.add(".");
    return targets;
}

Printer::Format formatOf(const Invocation &invocation)
{
    if (invocation.json)
        return Printer::Format::Json;
    if (invocation.nullSeparated)
        return Printer::Format::NullSeparated;
    return Printer::Format::Text;
}

std::uint32_t flagsOf(const Invocation &invocation)
{
    std::uint32_t flags = 0;
    if (invocation.keepTime)
        flags |= SCRIVLET_REPLACE_KEEP_TIMES;
    if (invocation.sync)
        flags |= SCRIVLET_REPLACE_SYNC;
    if (invocation.utf8)
        flags |= SCRIVLET_REPLACE_UTF8;
    return flags;
}

CommentDraft::Source draftSourceOf(Invocation::TextSource source)
{
    switch (source) {
    case Invocation::TextSource::File:
        return CommentDraft::Source::TextFile;
    case Invocation::TextSource::StandardInput:
        return CommentDraft::Source::Stream;
    case Invocation::TextSource::Argument:
    case Invocation::TextSource::None:
        break;
    }
    return CommentDraft::Source::Argument;
}

extern "C" void SCRIVLET_CALL reportRecovery(void *context, const char *path, int32_t outcome)
{
    auto &report = *static_cast<std::function<void(const char *, int)> *>(context);
    report(path, outcome);
}

} // namespace

ScrivApp::ScrivApp(int inputFd, Output &out, Output &err, bool terminal)
    : m_inputFd(inputFd), m_out(out), m_err(err), m_terminal(terminal)
{}

int ScrivApp::run(const Invocation &invocation)
{
    std::string error;
    m_library = LibraryBinding::get(error);
    if (m_library == nullptr) {
        m_err << "scriv: " << error << '\n';
        return SomeFailed;
    }
    if (invocation.command == Invocation::Command::Recover)
        return recover(invocation);
    recoverQuietly();
    switch (invocation.command) {
    case Invocation::Command::Show:
        return show(invocation);
    case Invocation::Command::Set:
        return set(invocation);
    case Invocation::Command::Remove:
        return remove(invocation);
    case Invocation::Command::List:
        return list(invocation);
    case Invocation::Command::Recover:
    case Invocation::Command::None:
        break;
    }
    return UsageError;
}

void ScrivApp::recoverQuietly()
{
    std::function<void(const char *, int)> report = [this](const char *path, int outcome) {
        if (RecoveryWords::isNews(outcome))
            m_err << "scriv: " << Printer::shown(path, true) << ": " << RecoveryWords::of(path, outcome)
                  << '\n';
    };
    m_library->recover(reportRecovery, &report);
    m_err.flush();
}

int ScrivApp::recover(const Invocation &invocation)
{
    Printer printer(m_out, m_err, Printer::Format::Text, m_terminal);
    std::size_t records = 0;
    bool attention = false;
    std::function<void(const char *, int)> report = [&](const char *path, int outcome) {
        ++records;
        attention = attention || RecoveryWords::needsAttention(outcome);
        if (RecoveryWords::needsAttention(outcome))
            printer.failure(path, RecoveryWords::of(path, outcome));
        else
            m_out << Printer::shown(path, m_terminal) << ": " << RecoveryWords::of(path, outcome) << '\n';
    };
    if (invocation.paths.empty()) {
        const int status = m_library->recover(reportRecovery, &report);
        if (status != SCRIVLET_OK && records == 0)
            printer.warning(std::string("cannot recover: ") + scrivlet_status_text(status));
        if (records == 0 && status == SCRIVLET_OK)
            m_out << "nothing to recover\n";
        return finish(printer, status == SCRIVLET_OK && !attention ? Success : SomeFailed);
    }
    // The records of these files, wherever they say the files were; or, with --discard, dropped.
    int exitStatus = Success;
    const std::uint32_t flags = invocation.discard ? SCRIVLET_SETTLE_DISCARD : 0u;
    for (const std::string &path : invocation.paths) {
        records = 0;
        const char *pointer = path.c_str();
        const int status = m_library->settle(&pointer, flags, reportRecovery, &report);
        if (status != SCRIVLET_OK && records == 0) {
            printer.failure(path, scrivlet_status_text(status));
            exitStatus = SomeFailed;
        } else if (records == 0) {
            m_out << Printer::shown(path, m_terminal) << ": no interrupted change is recorded for it\n";
        }
    }
    return finish(printer, exitStatus == Success && !attention ? Success : SomeFailed);
}

int ScrivApp::show(const Invocation &invocation)
{
    Printer printer(m_out, m_err, formatOf(invocation), m_terminal);
    const TargetList targets = targetsOf(invocation, TargetList::Mode::Files);
    const bool withPath = targets.entries().size() > 1 || invocation.recursive;
    const int exitStatus = readEach(targets, printer, [&](const std::string &path, const std::string &text) {
        printer.comment(path, text, withPath);
    });
    return finish(printer, exitStatus);
}

int ScrivApp::list(const Invocation &invocation)
{
    Printer printer(m_out, m_err, formatOf(invocation), m_terminal);
    std::optional<CommentMatch> match;
    if (invocation.grep) {
        match.emplace(*invocation.grep, invocation.extendedRegex);
        if (!match->error().empty()) {
            printer.warning("--grep: " + match->error());
            return UsageError;
        }
    }
    const TargetList targets = targetsOf(invocation, TargetList::Mode::Listing);
    const int exitStatus = readEach(targets, printer, [&](const std::string &path, const std::string &text) {
        if (!text.empty() && (!match || match->matches(text)))
            printer.listing(path, text);
    });
    return finish(printer, exitStatus);
}

int ScrivApp::readEach(const TargetList &targets, Printer &printer,
                       const std::function<void(const std::string &, const std::string &)> &handle)
{
    const auto &entries = targets.entries();
    std::vector<std::string> paths;
    std::vector<bool> wanted;
    paths.reserve(entries.size());
    wanted.reserve(entries.size());
    for (const TargetList::Entry &entry : entries) {
        paths.push_back(entry.path);
        wanted.push_back(entry.reason.empty());
    }
    int exitStatus = Success;
    std::size_t done = 0;
    OrderedReads::run(
        *m_library, paths, wanted, kReaderThreads, [&](std::size_t i, OrderedReads::Result &result) {
            const TargetList::Entry &entry = entries[i];
            if (!entry.reason.empty() || result.status != SCRIVLET_OK) {
                printer.failure(entry.path,
                                entry.reason.empty() ? scrivlet_status_text(result.status) : entry.reason);
                exitStatus = SomeFailed;
            } else {
                handle(entry.path, result.text);
            }
            ++done;
            return StopSignals::received() == 0 && !m_out.failed();
        });
    if (StopSignals::received() != 0) {
        printer.finish();
        return stopped(done, entries.size(), "read");
    }
    return exitStatus;
}

int ScrivApp::changeEach(const Invocation &invocation, Printer &printer,
                         const std::function<int(const std::string &)> &change)
{
    int exitStatus = Success;
    const TargetList targets = targetsOf(invocation, TargetList::Mode::Files);
    std::size_t done = 0;
    for (const TargetList::Entry &entry : targets.entries()) {
        if (StopSignals::received() != 0)
            break;
        const int status = entry.reason.empty() ? change(entry.path) : SCRIVLET_OK;
        if (!entry.reason.empty() || status != SCRIVLET_OK) {
            printer.failure(entry.path, entry.reason.empty() ? scrivlet_status_text(status) : entry.reason);
            exitStatus = SomeFailed;
        }
        ++done;
    }
    if (StopSignals::received() != 0)
        return stopped(done, targets.entries().size(), "done");
    return exitStatus;
}

int ScrivApp::finish(Printer &printer, int exitStatus)
{
    printer.finish();
    if (!m_out.close()) {
        m_err << "scriv: " << m_out.failure() << '\n';
        m_err.flush();
        return std::max<int>(exitStatus, SomeFailed);
    }
    return exitStatus;
}

int ScrivApp::stopped(std::size_t done, std::size_t total, const char *verb)
{
    const int signal = StopSignals::received();
    m_err << "scriv: stopped by " << StopSignals::name(signal) << ": " << std::to_string(done) << " of "
          << std::to_string(total) << (total == 1 ? " file " : " files ") << verb << '\n';
    m_err.flush();
    return StopSignals::exitStatus(signal);
}

bool ScrivApp::readComment(const Invocation &invocation, std::string &input, int &exitStatus)
{
    CommentSource::Input read;
    switch (invocation.source) {
    case Invocation::TextSource::Argument:
        input = invocation.text;
        return true;
    case Invocation::TextSource::StandardInput:
        read = CommentSource::fromStream(m_inputFd, invocation.utf8,
                                         [] { return StopSignals::received() != 0; });
        break;
    case Invocation::TextSource::File:
        read = CommentSource::fromFile(invocation.text);
        break;
    case Invocation::TextSource::None:
        return false;
    }
    const std::string from = invocation.source == Invocation::TextSource::File
                                 ? Printer::shown(invocation.text, true)
                                 : std::string("standard input");
    switch (read.status) {
    case CommentSource::Status::Read:
        input = std::move(read.bytes);
        return true;
    case CommentSource::Status::TooLong:
        m_err << "scriv: " << from << ": the comment is longer than "
              << std::to_string(CommentDraft::maxBytes) << " bytes; nothing was changed\n";
        exitStatus = UsageError;
        break;
    case CommentSource::Status::Failed:
        m_err << "scriv: " << from << ": cannot read the comment: " << read.reason << '\n';
        exitStatus = SomeFailed;
        break;
    case CommentSource::Status::Interrupted:
        m_err << "scriv: stopped by " << StopSignals::name(StopSignals::received())
              << " while reading the comment; nothing was changed\n";
        exitStatus = StopSignals::exitStatus(StopSignals::received());
        break;
    }
    m_err.flush();
    return false;
}

int ScrivApp::set(const Invocation &invocation)
{
    std::string input;
    int exitStatus = Success;
    if (!readComment(invocation, input, exitStatus))
        return exitStatus;
    Printer printer(m_out, m_err, Printer::Format::Text, m_terminal);
    const CommentDraft draft =
        CommentDraft::prepare(input, draftSourceOf(invocation.source), invocation.utf8);
    input = {};
    if (const std::size_t dropped = draft.droppedCharacters(); dropped > 0) {
        printer.warning("warning: " + std::to_string(dropped) +
                        (dropped == 1 ? " character" : " characters") +
                        (invocation.utf8 ? " dropped (control characters)"
                                         : " dropped (a comment keeps printable ASCII and line breaks; "
                                           "--utf8 keeps other letters)"));
    }
    switch (draft.refusal()) {
    case CommentDraft::Refusal::TooLong:
        printer.warning("the comment has " + std::to_string(draft.text().size()) + " bytes; at most " +
                        std::to_string(CommentDraft::maxBytes) + " fit; nothing was changed");
        return UsageError;
    case CommentDraft::Refusal::Marker:
        printer.warning("the comment contains \"" SCRIVLET_START_MARKER "\" or \"" SCRIVLET_END_MARKER
                        "\" (or begins with \".START.#\"), so it would not read back as given; nothing was "
                        "changed");
        return UsageError;
    case CommentDraft::Refusal::None:
        break;
    }
    const std::uint32_t flags = flagsOf(invocation);
    return changeEach(invocation, printer, [&](const std::string &path) {
        return CommentTarget(*m_library, path).replace(draft.text(), flags);
    });
}

int ScrivApp::remove(const Invocation &invocation)
{
    Printer printer(m_out, m_err, Printer::Format::Text, m_terminal);
    const std::uint32_t flags = flagsOf(invocation);
    return changeEach(invocation, printer, [this, flags](const std::string &path) {
        return CommentTarget(*m_library, path).remove(flags);
    });
}

} // namespace scrivlet
