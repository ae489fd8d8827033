// The main menu pop-up over the search screen.
#pragma once

// Runs the chosen item; 13 asks the search screen to show its completion line.
int main_menu();
