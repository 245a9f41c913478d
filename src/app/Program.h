#pragma once

class QApplication;

namespace Program {
// Fonts, translations and application names shared by the program and its tools.
void initApplication(QApplication &app);
// The start-up sequence and the event loop; returns the exit code.
int run(QApplication &app);
} // namespace Program
