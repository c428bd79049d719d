// The start of the administration program: the visual style of the common
// controls, the settings, the shared connection and the main window.
#pragma once

namespace qvadmin {

// True when the program runs as a built program.
inline bool IsCompiled = false;
// The result of the last IsThemed; the colour schemes choose by it.
inline bool ThemesActive = false;

// Prepares the visual style, loads the settings, creates the shared
// connection (not opened) and shows the main window modeless; returns at
// once, the program then lives in the message loop. No step reports an
// error: one that fails is passed over.
void Main();

// Whether the program's controls are drawn in the desktop's visual style:
// the application and the desktop are themed, the application lets its
// controls be themed, and the common controls are of version 6 or later.
// Determined once a process; sets ThemesActive.
bool IsThemed();

// When themed, initialises the common controls; runs once a process.
void InitXPStyles();

namespace detail {
// Forgets what IsThemed and InitXPStyles determined (tests only).
void ForgetThemeState();
// How often InitXPStyles initialised the common controls.
int CommonControlsInitialised();
}  // namespace detail

}  // namespace qvadmin
