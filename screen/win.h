// The pop-up window: a single-line box centred on the 80 x 25 screen, filled
// with blanks, with a title on its top border and "[ESC]" at its left end.
#pragma once

void win(int width, int height, int fill_attribute, const char* title);
