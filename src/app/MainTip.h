// The main window's tip of the day, `Tip`.
#pragma once

class QMainWindow;
class TTipOfDay;

// The window's `Tip`, made with the main window's tips and settings the first time it is
// asked for; making it sets up its start-up showing.
TTipOfDay& MainTip(QMainWindow& form);
