#pragma once

namespace scrivlet::message_box {

/// Shows @p text in a modal information box with an OK button and waits until it is closed.
/// Returns 1 once it was closed, 0 at once when no box can be shown: no desktop session, or (on
/// POSIX systems) none of the dialog programs zenity, kdialog or xmessage on the PATH.
int show(const char *text, const char *title);

} // namespace scrivlet::message_box
