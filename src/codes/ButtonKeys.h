#pragma once

class QAbstractButton;
class QKeySequence;
class QWidget;

// A key of the form that clicks the button while it is enabled. (A button's own
// shortcut clicks only after a short animation.)
void bindKey(QWidget *form, const QKeySequence &key, QAbstractButton *button);
