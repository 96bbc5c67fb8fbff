#include "cli/scriv_app.h"

#include "cli/comment_file.h"
#include "cli/comment_input.h"
#include "cli/file_times.h"
#include "cli/printer.h"
#include "cli/target_list.h"
#include "scrivlet.h"

#include <functional>

namespace {

TargetList targetsOf(const Invocation &invocation, TargetList::Mode mode)
{
    TargetList targets(mode, invocation.recursive);
    for (const std::string &path : invocation.paths)
        targets.add(path);
    if (mode == TargetList::Mode::Listing && invocation.paths.empty())
        targets.add(".");
    return targets;
}

// Runs a change over every target, putting the times back afterwards when asked to (also after a
// failed step: the file may have been cut already).
int changeEach(const Invocation &invocation, Printer &printer,
               const std::function<int(CommentFile &)> &change)
{
    int exitStatus = ScrivApp::Success;
    const TargetList targets = targetsOf(invocation, TargetList::Mode::Files);
    for (const TargetList::Entry &entry : targets.entries()) {
        if (!entry.reason.empty()) {
            printer.failure(entry.path, entry.reason);
            exitStatus = ScrivApp::SomeFailed;
            continue;
        }
        FileTimes times;
        const bool captured = invocation.keepTime && times.capture(entry.path);
        CommentFile file(entry.path);
        const int status = change(file);
        if (status != SCRIVLET_OK) {
            printer.failure(entry.path, scrivlet_status_text(status));
            exitStatus = ScrivApp::SomeFailed;
        }
        if (captured && !times.restore(entry.path)) {
            printer.failure(entry.path, "could not keep its times");
            exitStatus = ScrivApp::SomeFailed;
        }
    }
    return exitStatus;
}

} // namespace

ScrivApp::ScrivApp(std::istream &in, std::ostream &out, std::ostream &err, bool terminal)
    : m_in(in), m_out(out), m_err(err), m_terminal(terminal)
{}

int ScrivApp::run(const Invocation &invocation)
{
    switch (invocation.command) {
    case Invocation::Command::Show:
        return show(invocation);
    case Invocation::Command::Set:
        return set(invocation);
    case Invocation::Command::Remove:
        return remove(invocation);
    case Invocation::Command::List:
        return list(invocation);
    case Invocation::Command::None:
        break;
    }
    return UsageError;
}

int ScrivApp::show(const Invocation &invocation)
{
    Printer printer(m_out, m_err, invocation.json, m_terminal);
    const TargetList targets = targetsOf(invocation, TargetList::Mode::Files);
    const bool withPath = targets.entries().size() > 1 || invocation.recursive;
    const int exitStatus = readEach(targets, printer, [&](const std::string &path, const std::string &text) {
        printer.comment(path, text, withPath);
    });
    printer.finish();
    return exitStatus;
}

int ScrivApp::list(const Invocation &invocation)
{
    Printer printer(m_out, m_err, invocation.json, m_terminal);
    const TargetList targets = targetsOf(invocation, TargetList::Mode::Listing);
    const int exitStatus = readEach(targets, printer, [&](const std::string &path, const std::string &text) {
        if (!text.empty())
            printer.listing(path, text);
    });
    printer.finish();
    return exitStatus;
}

int ScrivApp::readEach(const TargetList &targets, Printer &printer,
                       const std::function<void(const std::string &, const std::string &)> &handle)
{
    int exitStatus = Success;
    std::string text;
    for (const TargetList::Entry &entry : targets.entries()) {
        const int status = entry.reason.empty() ? CommentFile(entry.path).read(text) : SCRIVLET_OK;
        if (!entry.reason.empty() || status != SCRIVLET_OK) {
            printer.failure(entry.path, entry.reason.empty() ? scrivlet_status_text(status) : entry.reason);
            exitStatus = SomeFailed;
            continue;
        }
        handle(entry.path, text);
    }
    return exitStatus;
}

bool ScrivApp::readComment(const Invocation &invocation, std::string &comment)
{
    switch (invocation.source) {
    case Invocation::TextSource::Argument:
        comment = invocation.text;
        return true;
    case Invocation::TextSource::StandardInput:
        if (CommentInput::readStream(m_in, comment))
            return true;
        m_err << "scriv: cannot read the comment from standard input\n";
        return false;
    case Invocation::TextSource::File: {
        std::string reason;
        if (CommentInput::readFile(invocation.text, comment, reason))
            return true;
        m_err << "scriv: " << Printer::shown(invocation.text, true) << ": cannot read the comment: " << reason
              << '\n';
        return false;
    }
    case Invocation::TextSource::None:
        break;
    }
    return false;
}

int ScrivApp::set(const Invocation &invocation)
{
    std::string comment;
    if (!readComment(invocation, comment))
        return SomeFailed;
    Printer printer(m_out, m_err, false, m_terminal);
    const CommentInput::Filtered filtered = CommentInput::filter(comment);
    if (filtered.droppedCharacters > 0) {
        printer.warning("warning: " + std::to_string(filtered.droppedCharacters) +
                        (filtered.droppedCharacters == 1 ? " character" : " characters") +
                        " dropped (a comment keeps printable ASCII and line breaks only)");
    }
    if (filtered.kept.size() > CommentInput::MaxCommentBytes) {
        printer.warning("the comment has " + std::to_string(filtered.kept.size()) + " bytes; at most " +
                        std::to_string(CommentInput::MaxCommentBytes) + " fit");
    }
    const std::string block = CommentInput::blockText(filtered.kept);
    return changeEach(invocation, printer, [&block](CommentFile &file) { return file.replace(block); });
}

int ScrivApp::remove(const Invocation &invocation)
{
    Printer printer(m_out, m_err, false, m_terminal);
    return changeEach(invocation, printer, [](CommentFile &file) { return file.remove(); });
}
