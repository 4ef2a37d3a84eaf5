// A path shortened for a menu, as the desktop's recent-file lists show one:
// the file name always whole; a path longer than the limit keeps its first
// folder and as many of its last folders as fit, with "..." for the folders
// between, or shows the file name alone when even that is too long.
#pragma once

#include <QString>

// The characters a recent-file entry shows of its path, at most, unless the
// file name alone is longer.
constexpr int kRecentFileShownChars = 30;

QString AbbreviatePath(const QString& path, int nMaxChars);
