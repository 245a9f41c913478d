#pragma once

class QWidget;

// Sizes and places a form before it is shown modally.
// 0: statistics lists and the photo viewer, centred at a generous size;
// 1: record editors, centred over their parent at their designed size;
// 2: large management lists, nearly the whole available screen.
void DispFormPos(QWidget *form, int mode);
