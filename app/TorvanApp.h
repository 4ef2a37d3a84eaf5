// The application: start-up, the document templates, the recent-file list,
// and the Open and About commands.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "framework/CmdTarget.h"

class CCmdUI;
class CMainFrame;
class CMultiDocTemplate;
class CTorvanDoc;

class CTorvanApp : public QObject, public CCmdTarget {
    Q_OBJECT
public:
    // Recent files kept in the settings.
    static constexpr int kMaxRecentFiles = 4;
    // The entry of the recent-file list that a command opens, or -1 when it
    // opens none.
    static int RecentFileIndex(int nID);

    CTorvanApp();
    ~CTorvanApp() override;

    // Sets up the user interface and opens the program named by arguments
    // (the command line after the program's name) or else the last program
    // opened. False when the main window cannot be made.
    bool InitInstance(const QStringList& arguments);
    int ExitInstance() { return 0; }

    // Opens a program as the document, with the program window as its first
    // window; null when it cannot be opened or a program is already open.
    CTorvanDoc* OpenDocumentFile(const QString& path);
    CTorvanDoc* GetDocument() const;

    void OnFileOpen();
    void OnAppAbout();
    void OnOpenRecentFile(int index);
    // The application's commands on the command route (see CView::OnCmdMsg).
    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;

    QStringList GetRecentFiles() const { return m_recentFiles; }
    void AddToRecentFileList(const QString& path);

    CMainFrame* m_pMainWnd = nullptr;

    // The templates of the watch windows, opened on the one document.
    CMultiDocTemplate* m_pMemWatchTemplate = nullptr;
    CMultiDocTemplate* m_pChpMemWatchTemplate = nullptr;
    CMultiDocTemplate* m_pIOWatchTemplate = nullptr;
    CMultiDocTemplate* m_pCVarWatchTemplate = nullptr;
    CMultiDocTemplate* m_pSerialTemplate = nullptr;
    CMultiDocTemplate* m_pRegWatchTemplate = nullptr;
    CMultiDocTemplate* m_pTimingTemplate = nullptr;

    // Every template in the order added; the first, the program window's,
    // opens every file.
    const std::vector<std::unique_ptr<CMultiDocTemplate>>& GetTemplates() const { return m_templates; }

private:
    void RegisterDocTemplates();
    CMultiDocTemplate* AddDocTemplate(CMultiDocTemplate* pTemplate);
    void SetUpMenus();
    void LoadRecentFiles();
    void SaveRecentFiles() const;
    void OpenStartupProgram(const QStringList& arguments);

    std::vector<std::unique_ptr<CMultiDocTemplate>> m_templates;
    QPointer<CTorvanDoc> m_pDocument;
    QStringList m_recentFiles;
};

// The application object, or null before it exists.
CTorvanApp* AfxGetApp();

// Where the last-program record KOMR.cfg lives: beside the executable when
// that folder is writable, else in the per-user configuration folder.
QString StartupCfgPath();
void SetStartupCfgPath(const QString& path);
QString ChooseStartupCfgPath();
