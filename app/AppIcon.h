// The application's icon, drawn at start-up: the main window's and the
// About box's.
#pragma once

#include <QIcon>

QIcon TorvanIcon();
