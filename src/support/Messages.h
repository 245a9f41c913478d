#pragma once

#include <QString>
#include <functional>

class QWidget;

// Message kinds of ShowMess.
enum MessKind { MessInfo = 0, MessQuestion = 1, MessWarning = 2, MessError = 3 };
// ShowMess results: 1 = OK, 2 = Cancel (questions only answer 2).
enum MessResult { MessOk = 1, MessCancel = 2 };

// Shows a modal message box with Chinese buttons and returns 1 (OK) or 2 (Cancel).
int ShowMess(const QString &text, int kind);

// Every message goes through one responder; tests replace it to read and answer
// messages without a window. Returns the previous responder.
using MessResponder = std::function<int(const QString &text, int kind)>;
MessResponder setMessResponder(MessResponder responder);
void resetMessResponder();
