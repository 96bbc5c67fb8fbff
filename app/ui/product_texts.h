#pragma once

namespace scrivlet {

// The program's name and version as its windows show them. They are fixed texts of the product,
// not the build's version (scrivlet_version.h). The stored designs show the same texts: the main
// window's caption in forms/main_window.json and the About window's Label3 in forms/about_window.json; a test
// checks that they agree.
namespace ProductTexts {
// The main window's title, also the title of the message boxes it shows.
inline constexpr const char *kTitle = "Scrivlet 1.0";
// The About window's version line (two spaces after the name).
inline constexpr const char *kAboutVersion = "Scrivlet  v1.0";
} // namespace ProductTexts

} // namespace scrivlet
