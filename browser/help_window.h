// The browser's command help: a pop-up window over the browser screen.
#pragma once

// Draws the window with one line per command and waits for one key (its code
// is not looked at); the caller redraws its screen afterwards.
void help_window();
