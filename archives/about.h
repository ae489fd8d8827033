// The about screen: what the program is for, and where to read more.
#pragma once

// Shows the screen and returns after one key.
void about();
