// The program document: it loads a program image into the machine. It holds
// no machine state of its own (all of it is in g_Sim); its windows are the
// program window and the watch windows, all views of this one document.
#pragma once

#include <QString>

#include "framework/Document.h"

// Result of loading an Intel HEX file.
enum HexLoadResult { kHexLoaded = 0, kHexCannotOpen = 1, kHexNotValid = 2 };

class CTorvanDoc : public CDocument {
    Q_OBJECT
public:
    // Loads the program at path: records it as the last program, loads its
    // configuration, resets the machine and reads the image. False only when
    // a raw image cannot be read (the document is then discarded).
    bool OnOpenDocument(const QString& path);

    // Reads an Intel HEX file into target memory (data records only).
    static int LoadHexFile(const QString& path);

    // The configuration file that opening a program loads: beside it, under
    // its name, with the extension cfg.
    static QString ConfigPathFor(const QString& programPath);
    // Writes the machine's configuration to path; a failure is told in a
    // message box.
    static void SaveConfiguration(const QString& path);

private:
    void RecordLastProgram(const QString& path);
    void LoadProgramConfig(const QString& path);
    static void StoreProgramNames(const QString& path);
    static bool LoadRawImage(const QString& path);
};
