// Edit-field styles of the system's dialogs that a QLineEdit lacks.
#pragma once

class QLineEdit;

// Letters typed (or pasted) into the field appear in upper case.
void SetUpperCase(QLineEdit* pEdit);
