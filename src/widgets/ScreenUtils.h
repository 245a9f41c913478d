#pragma once

#include <QString>

class QWidget;

// 1 .bmp, 2 .jpg/.jpeg, 3 .gif, 0 anything else (extension compared in lowercase).
int ImageKind(const QString &fileName);

// Input methods are chosen by the desktop on this platform; nothing to apply.
void ApplyImeName(QWidget *form);

// Enables or disables the form's tbFirst, tbPrior, tbNext, tbLast, tbPrint,
// tbSet and tbExpert buttons (those it has).
void EnableNavButtons(QWidget *form, bool enabled);
