// Modal message boxes of the system. Every box carries the application's
// title as caption. Tests install a responder so that no window blocks them.
#pragma once

#include <QString>
#include <functional>

// The caption of every message box of the system.
extern const char* const kAppTitle;

// Buttons and icon of a box, combined with |.
enum MessageBoxType : unsigned {
    MB_OK = 0x0,
    MB_YESNO = 0x4,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_BUTTONMASK = 0xF,
    MB_ICONMASK = 0xF0,
};

// The button that closed a box.
enum MessageBoxResult : int { IDOK = 1, IDYES = 6, IDNO = 7 };

// Shows text in a modal box and returns the button chosen.
int AfxMessageBox(const QString& text, unsigned nType = MB_OK);
// The same under a caption of the caller's (the dialogs' own boxes).
int AfxMessageBox(const QString& text, unsigned nType, const QString& caption);
// The caption of the box shown last, so that a responder can see it.
QString LastMessageBoxCaption();

// A responder answers boxes instead of showing them (null restores the
// real boxes). It receives the text and the type and returns the button.
using MessageBoxResponder = std::function<int(const QString& text, unsigned nType)>;
void SetMessageBoxResponder(MessageBoxResponder responder);
